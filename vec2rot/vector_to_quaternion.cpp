// vec2rot's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is vec2rot/vector_to_quaternion_lanes.h.
#include "vec2rot/vector_to_quaternion.h"

#define ROTKIT_LANES_KERNEL "vec2rot/vector_to_quaternion_lanes.h"
#include "simd/each_target.h"

const KernelPaths<VectorsToQuaternions>& vectorsToQuaternionsPaths() {
  static const KernelPaths<VectorsToQuaternions> paths = ROTKIT_KERNEL_PATHS(vectorsToQuaternions);
  return paths;
}

void vectorsToQuaternions(const double* v, double* out, std::uint32_t count) {
  vectorsToQuaternionsPaths().widest()(v, out, count);
}
