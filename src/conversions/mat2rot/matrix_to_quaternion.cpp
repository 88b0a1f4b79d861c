// mat2rot's kernel on every vector path of the build, and the choice of the
// widest at run time; the formulas are conversions/mat2rot/matrix_to_quaternion_lanes.h.
#include "conversions/mat2rot/matrix_to_quaternion.h"

#define ROTKIT_LANES_KERNEL "conversions/mat2rot/matrix_to_quaternion_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 32768;

const KernelPaths<MatricesToQuaternions>& matricesToQuaternionsPaths() {
  static const KernelPaths<MatricesToQuaternions> paths = ROTKIT_KERNEL_PATHS(matricesToQuaternions);
  return paths;
}

void matricesToQuaternions(const double* r, double* q, std::uint32_t count) {
  const MatricesToQuaternions path = matricesToQuaternionsPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(r + 9 * std::size_t{begin}, q + 4 * std::size_t{begin}, end - begin);
  });
}
