// rotvel's kernel on every vector path of the build, the choice of the
// widest at run time and the split of a large call over worker threads; the
// formulas are timeseries/rotvel/angular_velocity_lanes.h.
#include "timeseries/rotvel/angular_velocity.h"

#define ROTKIT_LANES_KERNEL "timeseries/rotvel/angular_velocity_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Samples (times joints) per thread below which a thread of its own costs
// more than it saves; a logarithm per sample, like rot2vec.
constexpr std::uint32_t kSamplesPerThread = 16384;

const KernelPaths<AngularVelocityRange>& angularVelocityRangePaths() {
  static const KernelPaths<AngularVelocityRange> paths = ROTKIT_KERNEL_PATHS(angularVelocityRange);
  return paths;
}

// Each range recomputes the step rate before its first sample, by the same
// operations, so the split changes no bit.
void angularVelocities(const double* q, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                       bool world, double* w) {
  const AngularVelocityRange path = angularVelocityRangePaths().widest();
  const std::uint32_t perThread = kSamplesPerThread / (joints < kSamplesPerThread ? joints : kSamplesPerThread);
  parallel::forColumns(count, perThread == 0 ? 1 : perThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(q, joints, count, time, world, begin, end, w);
  });
}
