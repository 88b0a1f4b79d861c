// eul2rot's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is eul2rot/euler_to_quaternion_lanes.h.
#include "eul2rot/euler_to_quaternion.h"

#define ROTKIT_LANES_KERNEL "eul2rot/euler_to_quaternion_lanes.h"
#include "simd/each_target.h"

const KernelPaths<EulerToQuaternions>& eulerToQuaternionsPaths() {
  static const KernelPaths<EulerToQuaternions> paths = ROTKIT_KERNEL_PATHS(eulerToQuaternions);
  return paths;
}

void eulerToQuaternions(const double* angles, double* out, std::uint32_t count, const EulerAxes& axes) {
  eulerToQuaternionsPaths().widest()(angles, out, count, axes);
}
