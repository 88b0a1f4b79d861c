// rot2eul's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is rot2eul/quaternion_to_euler_lanes.h.
#include "rot2eul/quaternion_to_euler.h"

#define ROTKIT_LANES_KERNEL "rot2eul/quaternion_to_euler_lanes.h"
#include "simd/each_target.h"

const KernelPaths<QuaternionsToEuler>& quaternionsToEulerPaths() {
  static const KernelPaths<QuaternionsToEuler> paths = ROTKIT_KERNEL_PATHS(quaternionsToEuler);
  return paths;
}

void quaternionsToEuler(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                        const EulerAxes& axes) {
  quaternionsToEulerPaths().widest()(q, angles, locked, count, axes);
}
