// rot2vec's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is rot2vec/quaternion_to_vector_lanes.h.
#include "rot2vec/quaternion_to_vector.h"

#define ROTKIT_LANES_KERNEL "rot2vec/quaternion_to_vector_lanes.h"
#include "simd/each_target.h"

const KernelPaths<QuaternionsToVectors>& quaternionsToVectorsPaths() {
  static const KernelPaths<QuaternionsToVectors> paths = ROTKIT_KERNEL_PATHS(quaternionsToVectors);
  return paths;
}

void quaternionsToVectors(const double* q, double* out, std::uint32_t count) {
  quaternionsToVectorsPaths().widest()(q, out, count);
}
