// rot2eul's kernel on every vector path of the build, and the choice of the
// widest at run time; the formula is conversions/rot2eul/quaternion_to_euler_lanes.h.
#include "conversions/rot2eul/quaternion_to_euler.h"

#define ROTKIT_LANES_KERNEL "conversions/rot2eul/quaternion_to_euler_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 8192;

const KernelPaths<QuaternionsToEuler>& quaternionsToEulerPaths() {
  static const KernelPaths<QuaternionsToEuler> paths = ROTKIT_KERNEL_PATHS(quaternionsToEuler);
  return paths;
}

void quaternionsToEuler(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                        const EulerAxes& axes) {
  const QuaternionsToEuler path = quaternionsToEulerPaths().widest();
  parallel::forColumns(count, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    // No lock flags asked for: null for every range.
    path(q + 4 * std::size_t{begin}, angles + 3 * std::size_t{begin}, locked ? locked + begin : nullptr, end - begin,
         axes);
  });
}
