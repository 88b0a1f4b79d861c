// rotvel's vector paths and thread counts against the scalar path, bit for
// bit: random motions with special values, every length up to a few vector
// widths, several joints, both frames, even and uneven steps, any range.
#include "timeseries/rotvel/angular_velocity.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/paths.h"

#include <cstdlib>
#include <random>

namespace {

std::vector<double> increasingTimes(std::uint32_t count, std::mt19937_64& random) {
  std::uniform_real_distribution<double> step(0.001, 0.2);
  std::vector<double> t(count);
  double now = -1.0;
  for (double& v : t) v = now += step(random);
  return t;
}

std::vector<double> scalarRates(const std::vector<double>& q, std::uint32_t joints, std::uint32_t count,
                                const SampleTimes& time, bool world) {
  std::vector<double> w(3 * std::size_t{joints} * count, 555.0);
  scalarPath(angularVelocityRangePaths())(q.data(), joints, count, time, world, 0, count, w.data());
  return w;
}

TEST(AngularVelocityPaths, EveryPathAndRangeGivesTheScalarBits) {
  std::mt19937_64 random(41);
  const auto& table = angularVelocityRangePaths();
  for (const auto& path : runnablePaths(table, scalarPath(table))) {
    for (std::uint32_t joints : {1u, 3u}) {
      for (std::uint32_t count = 0; count <= 21; ++count) {
        const std::vector<double> q = mixedColumns(std::size_t{joints} * count, 4, 1.0, 0.03, random);
        const std::vector<double> t = increasingTimes(count, random);
        for (bool world : {false, true}) {
          for (const SampleTimes& time : {SampleTimes{t.data(), 0.0}, SampleTimes{nullptr, 0.01}}) {
            const std::vector<double> expected = scalarRates(q, joints, count, time, world);
            for (std::uint32_t split = 0; split <= count; split += 5) {  // two ranges, in either order
              std::vector<double> w(expected.size(), 555.0);
              path.function(q.data(), joints, count, time, world, split, count, w.data());
              path.function(q.data(), joints, count, time, world, 0, split, w.data());
              EXPECT_TRUE(SameBits(w, expected)) << path.name << " " << joints << " x " << count << " split " << split;
            }
          }
        }
      }
    }
  }
}

// The dispatching entry on a call large enough for worker threads, with 1,
// 2 and 3 threads.
TEST(AngularVelocityPaths, ThreadCountsChangeNoBit) {
  std::mt19937_64 random(42);
  const std::uint32_t count = 70001;
  const std::vector<double> q = mixedColumns(count, 4, 1.0, 0.001, random);
  const std::vector<double> t = increasingTimes(count, random);
  const SampleTimes time{t.data(), 0.0};
  const std::vector<double> expected = scalarRates(q, 1, count, time, false);
  for (const char* threads : {"1", "2", "3"}) {
    setenv("ROTKIT_NUM_THREADS", threads, 1);
    std::vector<double> w(expected.size());
    angularVelocities(q.data(), 1, count, time, false, w.data());
    EXPECT_TRUE(SameBits(w, expected)) << threads << " threads";
  }
  unsetenv("ROTKIT_NUM_THREADS");
}

}  // namespace
