// rotfit's kernel on every vector path of the build, the widest chosen at
// run time, large calls split over worker threads by frames; the formulas
// are measures/rotfit/fit_rigid_motion_lanes.h.
#include "measures/rotfit/fit_rigid_motion.h"

#define ROTKIT_LANES_KERNEL "measures/rotfit/fit_rigid_motion_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Points (frames × points) per thread below which a thread of its own
// costs more than it saves (bench/measures/rotfit_bench.cpp).
constexpr std::uint32_t kPointsPerThread = 4096;

const KernelPaths<FitRigidMotions>& fitRigidMotionsPaths() {
  static const KernelPaths<FitRigidMotions> paths = ROTKIT_KERNEL_PATHS(fitRigidMotions);
  return paths;
}

// Each range [begin, end) of frames is the same call on offset pointers;
// a reference cluster of one column keeps its pointer.
void fitRigidMotions(const double* a, std::uint32_t aCols, const double* b, std::uint32_t pointCount,
                     std::uint32_t frameCount, const double* weights, bool translation, double* q, double* t,
                     double* rms) {
  const FitRigidMotions path = fitRigidMotionsPaths().widest();
  const std::uint32_t points = pointCount == 0 ? 1 : pointCount;
  const std::uint32_t framesPerThread = points >= kPointsPerThread ? 1 : kPointsPerThread / points;
  const std::size_t stride = 3 * std::size_t{pointCount};
  parallel::forColumns(frameCount, framesPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    const std::uint32_t n = end - begin;
    path(aCols > 1 ? a + stride * begin : a, aCols > 1 ? n : 1, b + stride * begin, pointCount, n, weights,
         translation, q + 4 * std::size_t{begin}, t != nullptr ? t + 3 * std::size_t{begin} : nullptr,
         rms != nullptr ? rms + begin : nullptr);
  });
}
