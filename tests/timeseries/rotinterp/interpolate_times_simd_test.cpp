// rotinterp's vector paths and thread counts against the scalar path, bit
// for bit: random keys with special values, queries in any order (on keys,
// between them, outside, NaN), several joints, both methods.
#include "timeseries/rotinterp/interpolate_times.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/paths.h"

#include <cstdlib>
#include <random>

namespace {

struct Case {
  std::vector<double> keys, times, queries, scratch;
  std::uint32_t joints, n, m;
  InterpolationCall call(double* q, double* w, double* a, bool spline, bool interval) {
    return InterpolationCall{keys.data(), joints, n, interval ? SampleTimes{nullptr, 0.25} : SampleTimes{times.data(), 0.0},
                             queries.data(), m, q, w, a, spline ? scratch.data() : nullptr};
  }
};

Case makeCase(std::uint32_t joints, std::uint32_t n, std::uint32_t m, std::mt19937_64& random) {
  Case c{mixedColumns(std::size_t{joints} * n, 4, 1.0, 0.02, random), {}, {}, {}, joints, n, m};
  std::uniform_real_distribution<double> step(0.05, 0.5), where(-0.5, 0.5);
  double now = 0;
  for (std::uint32_t k = 0; k < n; ++k) c.times.push_back(now += step(random));
  for (std::uint32_t i = 0; i < m; ++i) {
    const double pick = where(random);
    c.queries.push_back(pick < -0.4 && n > 0 ? c.times[random() % n] : pick < -0.35 ? kNaN : -1 + (now + 2) * (pick + 0.5));
  }
  c.scratch.assign(kSplineRecord * joints * n, 0.0);
  return c;
}

TEST(InterpolateTimesPaths, EveryPathGivesTheScalarBits) {
  std::mt19937_64 random(63);
  const auto& table = evaluateQueriesPaths();
  const auto& prepare = prepareStepsPaths();
  for (std::size_t p = 1; p < table.count; ++p) {
    if (!pathRuns(table.paths[p].path)) continue;
    for (std::uint32_t joints : {1u, 2u}) {
      for (std::uint32_t n : {0u, 1u, 2u, 3u, 7u, 20u}) {
        for (std::uint32_t m : {0u, 1u, 5u, 19u}) {
          for (bool spline : {false, true}) {
            for (bool interval : {false, true}) {
              Case c = makeCase(joints, n, m, random);
              std::vector<std::vector<double>> out(6);
              for (int side = 0; side < 2; ++side) {
                out[3 * side].assign(4 * std::size_t{joints} * m, 555.0);
                out[3 * side + 1].assign(3 * std::size_t{joints} * m, 555.0);
                out[3 * side + 2].assign(3 * std::size_t{joints} * m, 555.0);
                const InterpolationCall call =
                    c.call(out[3 * side].data(), out[3 * side + 1].data(), out[3 * side + 2].data(), spline, interval);
                const std::size_t path = side == 0 ? 0 : p;
                if (spline && n >= 2) {
                  for (std::uint32_t j = 0; j < joints; ++j) {
                    prepare.paths[path].function(call, j, 0, n - 1);
                    solveSplineRates(call, j);
                  }
                }
                table.paths[path].function(call, 0, m);
              }
              for (int i = 0; i < 3; ++i) {
                EXPECT_TRUE(SameBits(out[3 + i], out[i])) << joints << " " << n << " " << m << spline << interval;
              }
            }
          }
        }
      }
    }
  }
}

TEST(InterpolateTimesPaths, ThreadCountsChangeNoBit) {
  std::mt19937_64 random(64);
  Case c = makeCase(1, 30001, 40001, random);
  for (bool spline : {false, true}) {
    std::vector<double> first;
    for (const char* threads : {"1", "2", "3"}) {
      setenv("ROTKIT_NUM_THREADS", threads, 1);
      std::vector<double> q(4 * std::size_t{c.m}), w(3 * std::size_t{c.m}), a(3 * std::size_t{c.m});
      interpolateTimes(c.call(q.data(), w.data(), a.data(), spline, false));
      q.insert(q.end(), w.begin(), w.end());
      q.insert(q.end(), a.begin(), a.end());
      if (first.empty()) first = q;
      EXPECT_TRUE(SameBits(q, first)) << threads << " threads";
    }
  }
  unsetenv("ROTKIT_NUM_THREADS");
}

}  // namespace
