// mat2rot's kernel on every vector path of the build, and the choice of the
// widest at run time; the formulas are mat2rot/matrix_to_quaternion_lanes.h.
#include "mat2rot/matrix_to_quaternion.h"

#define ROTKIT_LANES_KERNEL "mat2rot/matrix_to_quaternion_lanes.h"
#include "simd/each_target.h"

const KernelPaths<MatricesToQuaternions>& matricesToQuaternionsPaths() {
  static const KernelPaths<MatricesToQuaternions> paths = ROTKIT_KERNEL_PATHS(matricesToQuaternions);
  return paths;
}

void matricesToQuaternions(const double* r, double* q, std::uint32_t count) {
  matricesToQuaternionsPaths().widest()(r, q, count);
}
