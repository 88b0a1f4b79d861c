// The same bits on every processor: a fixed set of inputs, made by a
// generator of our own (so the same on every platform and standard
// library), through every path of every kernel whose results do not depend
// on the math library, hashed bit for bit and compared with the hashes
// recorded here. The same test runs on every vector path of x86-64, on the
// emulated AVX-512 path, and on arm64 (make test-arm64); a kernel that
// rounded differently anywhere would change its hash.
//
// NaN payloads are the hardware's, not part of a result: every NaN hashes
// as one pattern. After a deliberate change of a result, the failure
// message prints the new hash to record here.
#include "posechain/evaluate_pose.h"
#include "rotblend/interpolate_rotation.h"
#include "rotcompose/compose_columns.h"
#include "rotreverse/invert_quaternion.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace {

// splitmix64: a small generator whose outputs are fixed by its seed alone.
struct Generator {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high): 52 random bits scaled exactly, then one
  // rounded affine step (the same IEEE operations everywhere).
  double uniform(double low, double high) {
    const double unit = static_cast<double>(next() >> 12) * 0x1p-52;
    return low + (high - low) * unit;
  }
};

const double kSpecials[] = {0.0, -0.0, 1.0, -1.0, kInf, -kInf, kNaN, 4.9406564584124654e-324, 2.2250738585072014e-308,
                            1.7976931348623157e308, 1e-300, 1e300, 0.5, 0.999};

// Mostly values of order one, with a share of special values.
std::vector<double> inputs(std::size_t count, std::uint64_t seed, double low = -2, double high = 2) {
  Generator g{seed};
  std::vector<double> data(count);
  for (double& v : data) {
    const std::uint64_t pick = g.next() % 64;
    v = pick < sizeof kSpecials / sizeof kSpecials[0] ? kSpecials[pick] : g.uniform(low, high);
  }
  return data;
}

// FNV-1a over the bit patterns, every NaN as one.
std::uint64_t hashOf(const std::vector<double>& values) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (double v : values) {
    const std::uint64_t bits = std::isnan(v) ? 0x7ff8000000000000ULL : bitsOf(v);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xFF;
      hash *= 0x100000001b3ULL;
    }
  }
  return hash;
}

::testing::AssertionResult HashIs(const std::vector<double>& values, std::uint64_t expected) {
  const std::uint64_t actual = hashOf(values);
  if (actual == expected) return ::testing::AssertionSuccess();
  char text[64];
  std::snprintf(text, sizeof text, "0x%016" PRIx64 "ULL", actual);
  return ::testing::AssertionFailure() << "hash " << text;
}

constexpr std::uint32_t kColumns = 1003;  // not a multiple of any width: every path has a partial block

TEST(Golden, Rotcompose) {
  const std::vector<double> a = inputs(4 * kColumns, 1);
  const std::vector<double> b = inputs(4 * kColumns, 2);
  for (const auto& path : runnablePaths(composeColumnsPaths(), composeColumns)) {
    std::vector<double> both(4 * kColumns), left(4 * kColumns), right(4 * kColumns);
    path.function(a.data(), kColumns, b.data(), kColumns, both.data(), kColumns);
    path.function(a.data(), 1, b.data(), kColumns, left.data(), kColumns);
    path.function(a.data(), kColumns, b.data(), 1, right.data(), kColumns);
    both.insert(both.end(), left.begin(), left.end());
    both.insert(both.end(), right.begin(), right.end());
    EXPECT_TRUE(HashIs(both, 0x887efeeef7ace954ULL)) << path.name;
  }
}

TEST(Golden, Rotreverse) {
  const std::vector<double> q = inputs(4 * kColumns, 3);
  for (const auto& path : runnablePaths(invertColumnsPaths(), invertColumns)) {
    std::vector<double> out(4 * kColumns);
    path.function(q.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0xceea7fd069408725ULL)) << path.name;
  }
}

TEST(Golden, Posechain) {
  constexpr std::uint32_t joints = 23;
  constexpr std::uint32_t frames = 301;
  Generator g{4};
  std::vector<double> parents{0};
  for (std::uint32_t j = 1; j < joints; ++j) parents.push_back(1 + static_cast<double>(g.next() % j));
  const std::vector<double> offsets = inputs(3 * joints, 5);
  const std::vector<double> root = inputs(3 * frames, 6);
  const std::vector<double> local = inputs(std::size_t{4} * joints * frames, 7);
  for (const auto& path : runnablePaths(evaluatePosesPaths(), evaluatePoses)) {
    std::vector<double> global(local.size()), positions(std::size_t{3} * joints * frames);
    path.function(joints, parents.data(), offsets.data(), root.data(), local.data(), 4 * joints, global.data(),
                  positions.data(), 3 * joints, frames);
    positions.insert(positions.end(), global.begin(), global.end());
    EXPECT_TRUE(HashIs(positions, 0xe38c4e82c12729a1ULL)) << path.name;
  }
}

// The linear branch only (end rotations closer than 0.999): sqrt and
// division, no sine or arc tangent, so its bits are the same everywhere.
TEST(Golden, RotblendLinearBranch) {
  const double q1[4] = {0.5, 0.5, 0.5, 0.5};
  const double q2[4] = {0.52, 0.48, 0.51, 0.49};
  const std::vector<double> t = inputs(kColumns, 8, -3, 4);
  for (const auto& path : runnablePaths(interpolateRotationsPaths(), interpolateRotations)) {
    std::vector<double> out(4 * kColumns);
    path.function(q1, q2, t.data(), kColumns, out.data());
    EXPECT_TRUE(HashIs(out, 0x25b147075229765fULL)) << path.name;
  }
}

} // namespace
