// rotslerp's kernel on every vector path of the build, and the choice of
// the widest at run time; the formulas are rotations/rotslerp/slerp_columns_lanes.h
// and quaternion/slerp_lanes.h.
#include "rotations/rotslerp/slerp_columns.h"

#define ROTKIT_LANES_KERNEL "rotations/rotslerp/slerp_columns_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves: where 2 threads first beat 1 on calls far apart, whose workers
// must be woken (bench/threads_bench, docs/performance.md).
constexpr std::uint32_t kColumnsPerThread = 16384;

const KernelPaths<SlerpColumns>& slerpColumnsPaths() {
  static const KernelPaths<SlerpColumns> paths = ROTKIT_KERNEL_PATHS(slerpColumns);
  return paths;
}

// Each range [begin, end) is the same call on offset pointers; a side with
// one column keeps its pointer and its count 1. Columns are independent, so
// the bits are the same for any split.
void slerpColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                  const double* tData, std::uint32_t tCols, double* outData, std::uint32_t outCols) {
  const SlerpColumns path = slerpColumnsPaths().widest();
  parallel::forColumns(outCols, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    const std::uint32_t n = end - begin;
    const std::size_t quaternions = 4 * std::size_t{begin};
    path(q1Cols > 1 ? q1Data + quaternions : q1Data, q1Cols > 1 ? n : 1, q2Cols > 1 ? q2Data + quaternions : q2Data,
         q2Cols > 1 ? n : 1, tCols > 1 ? tData + begin : tData, tCols > 1 ? n : 1, outData + quaternions, n);
  });
}
