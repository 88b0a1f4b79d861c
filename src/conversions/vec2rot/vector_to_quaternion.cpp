// vec2rot's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is conversions/vec2rot/vector_to_quaternion_lanes.h.
#include "conversions/vec2rot/vector_to_quaternion.h"

#define ROTKIT_LANES_KERNEL "conversions/vec2rot/vector_to_quaternion_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 16384;

const KernelPaths<VectorsToQuaternions>& vectorsToQuaternionsPaths() {
  static const KernelPaths<VectorsToQuaternions> paths = ROTKIT_KERNEL_PATHS(vectorsToQuaternions);
  return paths;
}

void vectorsToQuaternions(const double* v, double* out, std::uint32_t count) {
  const VectorsToQuaternions path = vectorsToQuaternionsPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(v + 3 * std::size_t{begin}, out + 4 * std::size_t{begin}, end - begin);
  });
}
