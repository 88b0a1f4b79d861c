// rotintegrate's vector paths and thread counts against the scalar path,
// bit for bit: the block products and the anchors, random rates with
// special values, lengths around the block size, several joints, both
// frames, even and uneven steps, and the whole call on 1 to 3 threads.
#include "timeseries/rotintegrate/integrate_rates.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/paths.h"

#include <cstdlib>
#include <random>

namespace {

std::vector<double> increasingTimes(std::uint32_t count, std::mt19937_64& random) {
  std::uniform_real_distribution<double> step(0.001, 0.02);
  std::vector<double> t(count);
  double now = 3.0;
  for (double& v : t) v = now += step(random);
  return t;
}

TEST(IntegrateRatesPaths, EveryPathGivesTheScalarBits) {
  std::mt19937_64 random(51);
  const auto& products = blockProductsPaths();
  const auto& anchors = anchorBlocksPaths();
  for (std::size_t p = 1; p < products.count; ++p) {
    if (!pathRuns(products.paths[p].path)) continue;
    for (std::uint32_t joints : {1u, 2u}) {
      for (std::uint32_t count : {1u, 2u, 999u, 1000u, 1001u, 1002u, 9003u}) {
        const std::vector<double> w = mixedColumns(std::size_t{joints} * count, 3, 2.0, 0.001, random);
        const std::vector<double> q0 = mixedColumns(joints, 4, 1.0, 0.0, random);
        const std::vector<double> t = increasingTimes(count, random);
        const std::uint32_t blocks = (count + kIntegrationBlock - 2) / kIntegrationBlock;
        for (bool world : {false, true}) {
          for (const SampleTimes& time : {SampleTimes{t.data(), 0.0}, SampleTimes{nullptr, 0.01}}) {
            std::vector<double> expected(4 * std::size_t{joints} * count, 555.0), actual = expected;
            for (std::uint32_t j = 0; j < joints; ++j) {
              products.paths[0].function(w.data(), joints, count, time, world, j, 0, blocks, expected.data());
              products.paths[p].function(w.data(), joints, count, time, world, j, 0, blocks, actual.data());
            }
            EXPECT_TRUE(SameBits(actual, expected)) << products.paths[p].function << " " << joints << " x " << count;
            for (std::uint32_t j = 0; j < joints; ++j) {
              anchors.paths[0].function(joints, count, world, j, 0, blocks, expected.data());
              anchors.paths[p].function(joints, count, world, j, 0, blocks, actual.data());
            }
            EXPECT_TRUE(SameBits(actual, expected)) << "anchors " << joints << " x " << count;
          }
        }
      }
    }
  }
}

TEST(IntegrateRatesPaths, ThreadCountsChangeNoBit) {
  std::mt19937_64 random(52);
  const std::uint32_t count = 123457;
  const std::vector<double> w = mixedColumns(count, 3, 3.0, 0.0, random);
  const std::vector<double> t = increasingTimes(count, random);
  const std::vector<double> q0 = {0.5, 0.5, -0.5, 0.5};
  std::vector<double> first;
  for (const char* threads : {"1", "2", "3"}) {
    setenv("ROTKIT_NUM_THREADS", threads, 1);
    std::vector<double> q(4 * std::size_t{count});
    integrateRates(w.data(), 1, count, SampleTimes{t.data(), 0.0}, q0.data(), true, q.data());
    if (first.empty()) first = q;
    EXPECT_TRUE(SameBits(q, first)) << threads << " threads";
  }
  unsetenv("ROTKIT_NUM_THREADS");
}

}  // namespace
