// rot2vec's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is conversions/rot2vec/quaternion_to_vector_lanes.h.
#include "conversions/rot2vec/quaternion_to_vector.h"

#define ROTKIT_LANES_KERNEL "conversions/rot2vec/quaternion_to_vector_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 32768;

const KernelPaths<QuaternionsToVectors>& quaternionsToVectorsPaths() {
  static const KernelPaths<QuaternionsToVectors> paths = ROTKIT_KERNEL_PATHS(quaternionsToVectors);
  return paths;
}

void quaternionsToVectors(const double* q, double* out, std::uint32_t count) {
  const QuaternionsToVectors path = quaternionsToVectorsPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(q + 4 * std::size_t{begin}, out + 3 * std::size_t{begin}, end - begin);
  });
}
