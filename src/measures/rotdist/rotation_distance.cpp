// rotdist's kernel on every vector path of the build, the widest chosen at
// run time, large calls split over worker threads by columns; the formula
// is measures/rotdist/rotation_distance_lanes.h.
#include "measures/rotdist/rotation_distance.h"

#define ROTKIT_LANES_KERNEL "measures/rotdist/rotation_distance_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Columns per thread below which a thread of its own costs more than it
// saves (bench/measures/rotdist_bench.cpp).
constexpr std::uint32_t kColumnsPerThread = 32768;

const KernelPaths<RotationDistances>& rotationDistancesPaths() {
  static const KernelPaths<RotationDistances> paths = ROTKIT_KERNEL_PATHS(rotationDistances);
  return paths;
}

// Each range [begin, end) is the same call on offset pointers; a side with
// one column keeps its pointer and its count 1.
void rotationDistances(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                       double* out, std::uint32_t outCols) {
  const RotationDistances path = rotationDistancesPaths().widest();
  parallel::forColumns(outCols, kColumnsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    const std::uint32_t n = end - begin;
    const std::size_t quaternions = 4 * std::size_t{begin};
    path(q1Cols > 1 ? q1Data + quaternions : q1Data, q1Cols > 1 ? n : 1, q2Cols > 1 ? q2Data + quaternions : q2Data,
         q2Cols > 1 ? n : 1, out + begin, n);
  });
}
