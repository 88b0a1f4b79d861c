// rot2mat's kernel on every vector path of the build, and the choice of the
// widest at run time; the formulas are rot2mat/quaternion_to_matrix_lanes.h.
#include "rot2mat/quaternion_to_matrix.h"

#define ROTKIT_LANES_KERNEL "rot2mat/quaternion_to_matrix_lanes.h"
#include "simd/each_target.h"

const KernelPaths<QuaternionsToMatrices>& quaternionsToMatricesPaths() {
  static const KernelPaths<QuaternionsToMatrices> paths = ROTKIT_KERNEL_PATHS(quaternionsToMatrices);
  return paths;
}

void quaternionsToMatrices(const double* q, double* r, std::uint32_t count) {
  quaternionsToMatricesPaths().widest()(q, r, count);
}
