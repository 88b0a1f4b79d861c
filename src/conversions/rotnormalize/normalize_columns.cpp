// rotnormalize's kernel on every vector path of the build, and the choice
// of the widest at run time; the formula is conversions/rotnormalize/normalize_columns_lanes.h.
#include "conversions/rotnormalize/normalize_columns.h"

#define ROTKIT_LANES_KERNEL "conversions/rotnormalize/normalize_columns_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 131072;

const KernelPaths<NormalizeColumns>& normalizeColumnsPaths() {
  static const KernelPaths<NormalizeColumns> paths = ROTKIT_KERNEL_PATHS(normalizeColumns);
  return paths;
}

void normalizeColumns(const double* in, double* out, std::uint32_t count) {
  const NormalizeColumns path = normalizeColumnsPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(in + 4 * std::size_t{begin}, out + 4 * std::size_t{begin}, end - begin);
  });
}
