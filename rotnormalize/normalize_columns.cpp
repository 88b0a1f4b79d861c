// rotnormalize's kernel on every vector path of the build, and the choice
// of the widest at run time; the formula is rotnormalize/normalize_columns_lanes.h.
#include "rotnormalize/normalize_columns.h"

#define ROTKIT_LANES_KERNEL "rotnormalize/normalize_columns_lanes.h"
#include "simd/each_target.h"

const KernelPaths<NormalizeColumns>& normalizeColumnsPaths() {
  static const KernelPaths<NormalizeColumns> paths = ROTKIT_KERNEL_PATHS(normalizeColumns);
  return paths;
}

void normalizeColumns(const double* in, double* out, std::uint32_t count) {
  normalizeColumnsPaths().widest()(in, out, count);
}
