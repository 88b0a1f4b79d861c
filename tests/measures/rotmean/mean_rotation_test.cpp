// rotmean's kernel against the exact chordal L2 mean (__float128,
// tests/support/exact_measures.h): clusters of rotations tight and wide,
// with weights, over up to 3e4 frames; what does not change its bits (the
// signs and lengths of the quaternions, powers of two of the weights, the
// other joints); the frames it leaves out; NaN where the mean is not
// unique.
#include "measures/rotmean/mean_rotation.h"

#include "support/bits.h"
#include "support/exact_measures.h"
#include "support/rotation_samples.h"

#include <random>

namespace {

std::vector<double> means(const std::vector<double>& q, std::uint32_t joints, const std::vector<double>& w = {}) {
  const auto frames = static_cast<std::uint32_t>(q.size() / (4 * std::size_t{joints}));
  std::vector<double> out(4 * std::size_t{joints}), scratch(meanRotationsScratch(joints, frames));
  meanRotations(q.data(), joints, frames, w.empty() ? nullptr : w.data(), out.data(), scratch.data());
  return out;
}

// N rotations spread about a random one: each turned by an angle of up to
// `spread` about a random axis, computed exactly and rounded.
std::vector<double> spreadAbout(std::size_t n, double spread, std::mt19937_64& random) {
  const std::vector<double> centre = samples::randomUnit(1, random);
  std::uniform_real_distribution<double> angle(0, spread);
  std::normal_distribution<double> normal;
  std::vector<double> q;
  for (std::size_t k = 0; k < n; ++k) {
    double axis[3];
    for (double& c : axis) c = normal(random);
    const Quad length = lengthQ(axis[0], axis[1], axis[2]);
    const Quad half = quadOf(angle(random)) / 2;
    const QuadQuaternion t{cosQ(half), sinQ(half) * axis[0] / length, sinQ(half) * axis[1] / length,
                           sinQ(half) * axis[2] / length};
    const std::array<double, 4> r = roundedQuaternion(multiply(quadQuaternion(centre.data()), t));
    q.insert(q.end(), r.begin(), r.end());
  }
  return q;
}

// The component error against the exact mean in units of 2^-52, divided by
// the condition λ1/(λ1 − λ2) of the exact sum (at least 1).
double scaledError(const std::vector<double>& q, const std::vector<double>& w) {
  const std::vector<double> m = means(q, 1, w);
  const exact_measures::Mean e = exact_measures::exactMean(q.data(), 4, q.size() / 4, w);
  return componentError(m.data(), e.rotation) / std::max(1.0, static_cast<double>(1 / e.gap));
}

TEST(MeanRotations, WithinAFewUnitsOfTheExactMean) {
  std::mt19937_64 random(401);
  std::uniform_real_distribution<double> weight(0, 10);
  for (double spread : {1e-6, 0.05, 1.0, 3.0}) {
    for (std::size_t n : {3u, 100u, 10007u, 30000u}) {
      std::vector<double> q = spreadAbout(n, spread, random);
      for (std::size_t i = 0; i < q.size(); i += 12) q[i] = -q[i];  // either sign
      EXPECT_LT(scaledError(q, {}), 2.0) << spread << ", " << n;
      std::vector<double> w(n);
      for (double& v : w) v = weight(random);
      EXPECT_LT(scaledError(q, w), 2.0) << spread << ", " << n << ", weighted";
    }
  }
}

// Signs, lengths that are powers of two, and powers of two of the weights
// change no bit; other lengths leave the mean within rounding.
TEST(MeanRotations, SignsLengthsAndWeightScalesChangeNothing) {
  std::mt19937_64 random(402);
  const std::vector<double> q = spreadAbout(3001, 0.5, random);
  std::vector<double> w(3001);
  std::uniform_real_distribution<double> weight(0, 2);
  for (double& v : w) v = weight(random);
  const std::vector<double> base = means(q, 1, w);
  std::vector<double> other = q;
  const double factors[] = {-1, 0x1p-700, -0x1p600, 4, 0x1p-1000};
  for (std::size_t k = 0; k < 3001; ++k) {
    for (int i = 0; i < 4; ++i) other[4 * k + i] *= factors[k % 5];
  }
  EXPECT_TRUE(SameBits(means(other, 1, w), base));
  for (double scale : {0x1p-900, 0x1p40, 0x1p900}) {
    std::vector<double> s = w;
    for (double& v : s) v *= scale;
    EXPECT_TRUE(SameBits(means(q, 1, s), base)) << scale;
  }
  for (std::size_t k = 0; k < 3001; ++k) {
    for (int i = 0; i < 4; ++i) other[4 * k + i] = q[4 * k + i] * 3.7;
  }
  const std::vector<double> m = means(other, 1, w);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(m[i], base[i], 1e-15);
}

// A frame with a NaN or infinite component, a zero quaternion or weight 0
// is left out: any of them in the same place gives the same bits, and the
// mean of the others.
TEST(MeanRotations, LeavesOutLostFramesAndZeroWeights) {
  std::mt19937_64 random(403);
  std::vector<double> q = spreadAbout(1000, 0.3, random);
  std::vector<double> w(1000, 1.0);
  for (std::size_t k = 0; k < 1000; k += 7) w[k] = 0;
  const std::vector<double> base = means(q, 1, w);
  const double bad[] = {kNaN, kInf, -kInf, 0};
  for (std::size_t k = 0; k < 1000; k += 7) {
    if (bad[k % 4] == 0) {
      for (int i = 0; i < 4; ++i) q[4 * k + i] = 0;
    } else {
      q[4 * k + k % 4] = bad[k % 4];
    }
  }
  EXPECT_TRUE(SameBits(means(q, 1), base));
  EXPECT_TRUE(SameBits(means(q, 1, w), base));
  std::vector<double> kept;
  for (std::size_t k = 0; k < 1000; ++k) {
    if (k % 7 != 0) kept.insert(kept.end(), &q[4 * k], &q[4 * k] + 4);
  }
  const std::vector<double> m = means(kept, 1);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(m[i], base[i], 1e-15);
}

bool allNaN(const std::vector<double>& v, std::size_t first, std::size_t count) {
  for (std::size_t i = first; i < first + count; ++i) {
    if (!std::isnan(v[i])) return false;
  }
  return true;
}

// NaN where the largest eigenvalue is not unique (two rotations a half turn
// apart, equally weighted; the 24 rotations of a cube) or there is no
// frame; a unique one otherwise, with w >= 0. Each joint of 4J x N alone.
TEST(MeanRotations, NaNWhereNotUniqueAndJointsApart) {
  const double h = std::sqrt(0.5);
  EXPECT_TRUE(allNaN(means({1, 0, 0, 0, 0, 1, 0, 0}, 1), 0, 4));
  EXPECT_TRUE(allNaN(means({1, 0, 0, 0, 0, 1, 0, 0}, 1, {2, 2}), 0, 4));
  EXPECT_TRUE(allNaN(means(samples::axisAligned(), 1), 0, 4));
  EXPECT_TRUE(allNaN(means({}, 1), 0, 4));
  EXPECT_TRUE(allNaN(means({kNaN, 0, 0, 0}, 1), 0, 4));
  EXPECT_TRUE(SameBits(means({1, 0, 0, 0, 0, 1, 0, 0}, 1, {1, 0}), {1, 0, 0, 0}));
  EXPECT_TRUE(SameBits(means({1, 0, 0, 0, 0, 1, 0, 0}, 1, {1, 1.0000001}), {0, 1, 0, 0}));
  const std::vector<double> eighth = means({1, 0, 0, 0, h, h, 0, 0}, 1);
  EXPECT_NEAR(eighth[0], std::cos(M_PI / 8), 2e-16);
  EXPECT_NEAR(eighth[1], std::sin(M_PI / 8), 2e-16);
  EXPECT_TRUE(SameBits(means({0, 0, -1, 0, 0, 0, -1, 0}, 1), {0, 0, 1, 0}));

  std::mt19937_64 random(404);
  const std::uint32_t joints = 5, frames = 777;
  const std::vector<double> q = samples::randomUnit(std::size_t{joints} * frames, random);
  const std::vector<double> all = means(q, joints);
  for (std::uint32_t j = 0; j < joints; ++j) {
    std::vector<double> one;
    for (std::uint32_t k = 0; k < frames; ++k) one.insert(one.end(), &q[4 * (joints * k + j)], &q[4 * (joints * k + j)] + 4);
    EXPECT_TRUE(SameBits(means(one, 1), {&all[4 * j], &all[4 * j] + 4})) << j;
  }
}

}  // namespace
