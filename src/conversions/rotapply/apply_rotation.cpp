// rotapply's kernel on every vector path of the build, and the choice at run
// time of the widest short of AVX-512 (simd/kernel_paths.h says why);
// the formula is conversions/rotapply/apply_rotation_lanes.h.
#include "conversions/rotapply/apply_rotation.h"

#define ROTKIT_LANES_KERNEL "conversions/rotapply/apply_rotation_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 131072;

const KernelPaths<ApplyRotations>& applyRotationsPaths() {
  static const KernelPaths<ApplyRotations> paths = ROTKIT_KERNEL_PATHS(applyRotations);
  return paths;
}

void applyRotations(const double* qData, std::uint32_t qCols, const double* vData, std::uint32_t vCols,
                    double* outData, std::uint32_t outCols) {
  const ApplyRotations path = applyRotationsPaths().widestShortOfAvx512();
  // A one-column side is the same column for every range.
  parallel::forColumns(outCols, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    const std::uint32_t count = end - begin;
    path(qCols > 1 ? qData + 4 * std::size_t{begin} : qData, qCols > 1 ? count : 1,
         vCols > 1 ? vData + 3 * std::size_t{begin} : vData, vCols > 1 ? count : 1, outData + 3 * std::size_t{begin},
         count);
  });
}
