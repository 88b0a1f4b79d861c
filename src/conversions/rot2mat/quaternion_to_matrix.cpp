// rot2mat's kernel on every vector path of the build, and the choice of the
// widest at run time; the formulas are conversions/rot2mat/quaternion_to_matrix_lanes.h.
#include "conversions/rot2mat/quaternion_to_matrix.h"

#define ROTKIT_LANES_KERNEL "conversions/rot2mat/quaternion_to_matrix_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 16384;

const KernelPaths<QuaternionsToMatrices>& quaternionsToMatricesPaths() {
  static const KernelPaths<QuaternionsToMatrices> paths = ROTKIT_KERNEL_PATHS(quaternionsToMatrices);
  return paths;
}

void quaternionsToMatrices(const double* q, double* r, std::uint32_t count) {
  const QuaternionsToMatrices path = quaternionsToMatricesPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(q + 4 * std::size_t{begin}, r + 9 * std::size_t{begin}, end - begin);
  });
}
