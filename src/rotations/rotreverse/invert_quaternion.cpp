// rotreverse's kernel on every vector path of the build, and the choice at run
// time of the widest short of AVX-512 (simd/kernel_paths.h says why);
// the formula is rotations/rotreverse/invert_columns_lanes.h.
#include "rotations/rotreverse/invert_quaternion.h"

#define ROTKIT_LANES_KERNEL "rotations/rotreverse/invert_columns_lanes.h"
#include "simd/each_target.h"

const KernelPaths<InvertColumns>& invertColumnsPaths() {
  static const KernelPaths<InvertColumns> paths = ROTKIT_KERNEL_PATHS(invertColumns);
  return paths;
}

void invertColumns(const double* in, double* out, std::uint32_t count) {
  invertColumnsPaths().widestShortOfAvx512()(in, out, count);
}
