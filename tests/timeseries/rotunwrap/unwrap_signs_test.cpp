// rotunwrap's kernel: signs only (every value its input's or that negated,
// bit for bit), neighbouring output columns never on opposite sides, the
// same result for every path, every chunk split and thread count; joints
// on their own; zero and NaN dot products change nothing.
#include "timeseries/rotunwrap/unwrap_signs.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/paths.h"

#include <cstdlib>
#include <random>

namespace {

std::vector<double> unwrapped(const std::vector<double>& q, std::uint32_t joints) {
  const auto count = static_cast<std::uint32_t>(q.size() / (4 * joints));
  std::vector<double> out(q.size(), 555.0);
  unwrapSigns(q.data(), joints, count, out.data());
  return out;
}

double dot(const double* a, const double* b) { return ((a[0] * b[0] + a[1] * b[1]) + a[2] * b[2]) + a[3] * b[3]; }

// A walk of small turns with random signs, joint by joint.
std::vector<double> signedWalk(std::uint32_t joints, std::uint32_t count, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::vector<double> q(4 * std::size_t{joints} * count);
  for (std::uint32_t j = 0; j < joints; ++j) {
    double c[4] = {1, 0, 0, 0};
    for (std::uint32_t k = 0; k < count; ++k) {
      double n = 0;
      for (double& v : c) {
        v += 0.05 * normal(random);
        n += v * v;
      }
      const double sign = normal(random) < 0 ? -1.0 : 1.0;
      for (int i = 0; i < 4; ++i) q[(std::size_t{k} * joints + j) * 4 + i] = sign * c[i] / std::sqrt(n);
    }
  }
  return q;
}

TEST(UnwrapSigns, SignsOnlyAndNeighboursOnOneSide) {
  std::mt19937_64 random(81);
  for (std::uint32_t joints : {1u, 3u}) {
    const std::vector<double> q = signedWalk(joints, 500, random);
    const std::vector<double> out = unwrapped(q, joints);
    for (std::size_t k = 0; k < 500; ++k) {
      for (std::uint32_t j = 0; j < joints; ++j) {
        const std::size_t at = (k * joints + j) * 4;
        const bool negated = bitsOf(out[at]) != bitsOf(q[at]);
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(sameBits(out[at + i], negated ? -q[at + i] : q[at + i]));
        if (k == 0) {
          EXPECT_FALSE(negated);
        } else {
          EXPECT_GE(dot(&out[at - 4 * joints], &out[at]), 0.0) << k;
        }
      }
    }
  }
}

// A zero dot product (a half turn between them) and NaN change no sign:
// the column keeps the flip of the one before it.
TEST(UnwrapSigns, ZeroAndNaNDotProductsChangeNothing) {
  const std::vector<double> q = {1, 0, 0, 0, -0.0, -1, 0, 0, -1, 0, 0, -0.0, kNaN, 0, 0, 0, -1, -0.0, 0, 0};
  EXPECT_TRUE(SameBits(unwrapped(q, 1), q));
  // After a flip, a zero dot product keeps the flip.
  const std::vector<double> r = {1, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0};
  EXPECT_TRUE(SameBits(unwrapped(r, 1), {1, 0, 0, 0, 1, -0.0, -0.0, -0.0, -0.0, -1, -0.0, -0.0}));
}

TEST(UnwrapSigns, EveryPathChunkAndThreadCountGivesTheSameBits) {
  std::mt19937_64 random(82);
  const auto& table = unwrapColumnsPaths();
  for (std::uint32_t joints : {1u, 2u}) {
    for (std::uint32_t count = 0; count < 20; ++count) {
      const std::vector<double> q = mixedColumns(std::size_t{joints} * count, 4, 1.0, 0.05, random);
      std::vector<double> expected(q.size(), 555.0);
      scalarPath(table)(q.data(), joints, 0, count, expected.data());
      for (const auto& path : runnablePaths(table, scalarPath(table))) {
        std::vector<double> out(q.size(), 555.0);
        path.function(q.data(), joints, 0, count, out.data());
        EXPECT_TRUE(SameBits(out, expected)) << path.name << " " << count;
      }
    }
  }
  // Several chunks of 32768 columns, unwrapped on 1 to 3 threads.
  const std::vector<double> q = signedWalk(2, 100003, random);
  std::vector<double> expected(q.size());
  scalarPath(table)(q.data(), 2, 0, 100003, expected.data());
  for (const char* threads : {"1", "2", "3"}) {
    setenv("ROTKIT_NUM_THREADS", threads, 1);
    EXPECT_TRUE(SameBits(unwrapped(q, 2), expected)) << threads << " threads";
  }
  unsetenv("ROTKIT_NUM_THREADS");
}

}  // namespace
