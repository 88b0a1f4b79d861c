// rotdist's kernel against the exact angle between two rotations
// (__float128, tests/support/exact_rotations.h), in ulps of the angle
// itself: random pairs, pairs 2^-50 to 1 radian apart (where the arc cosine
// of a dot product loses every digit) and near a half turn apart, and
// quaternions that are not unit; its exact cases and signs.
#include "measures/rotdist/rotation_distance.h"

#include "support/bits.h"
#include "support/exact_rotations.h"
#include "support/rotation_samples.h"

#include <random>

namespace {

std::vector<double> distances(const std::vector<double>& q1, const std::vector<double>& q2) {
  const auto n1 = static_cast<std::uint32_t>(q1.size() / 4), n2 = static_cast<std::uint32_t>(q2.size() / 4);
  std::vector<double> out(std::max(n1, n2));
  rotationDistances(q1.data(), n1, q2.data(), n2, out.data(), static_cast<std::uint32_t>(out.size()));
  return out;
}

// Pairs q1, q1·t with t a turn by θ about a random axis, θ = 2^-u, u
// uniform in [0, 50], the product taken exactly and rounded; `nearHalf`
// turns t by π − θ instead.
void closePairs(std::size_t n, bool nearHalf, std::mt19937_64& random, std::vector<double>& q1,
                std::vector<double>& q2) {
  std::uniform_real_distribution<double> exponent(0, 50);
  const std::vector<double> start = samples::randomUnit(n, random);
  for (std::size_t k = 0; k < n; ++k) {
    double axis[3];
    std::normal_distribution<double> normal;
    for (double& c : axis) c = normal(random);
    const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const Quad theta = quadOf(std::exp2(-exponent(random)));
    const Quad angle = nearHalf ? atan2Q(0, -1) - theta : theta;
    const QuadQuaternion t{cosQ(angle / 2), sinQ(angle / 2) * quadOf(axis[0] / length),
                           sinQ(angle / 2) * quadOf(axis[1] / length), sinQ(angle / 2) * quadOf(axis[2] / length)};
    const std::array<double, 4> end = roundedQuaternion(multiply(quadQuaternion(&start[4 * k]), t));
    q1.insert(q1.end(), &start[4 * k], &start[4 * k] + 4);
    q2.insert(q2.end(), end.begin(), end.end());
  }
}

// The worst error in ulps of the exact angle.
double worstUlps(const std::vector<double>& q1, const std::vector<double>& q2) {
  const std::vector<double> d = distances(q1, q2);
  double worst = 0;
  for (std::size_t k = 0; k < d.size(); ++k) {
    const Quad exact = rotationAngleBetween(quadQuaternion(&q1[4 * k]), quadQuaternion(&q2[4 * k]));
    const double rounded = static_cast<double>(exact);
    const double ulp = std::nextafter(rounded, 4.0) - rounded;
    worst = std::max(worst, static_cast<double>(absQ(quadOf(d[k]) - exact) / quadOf(ulp)));
  }
  return worst;
}

TEST(RotationDistances, WithinAFewUlpsOfTheExactAngle) {
  std::mt19937_64 random(301);
  EXPECT_LT(worstUlps(samples::randomUnit(50000, random), samples::randomUnit(50000, random)), 4.0);
  for (bool nearHalf : {false, true}) {
    std::vector<double> q1, q2;
    closePairs(50000, nearHalf, random, q1, q2);
    EXPECT_LT(worstUlps(q1, q2), 4.0) << (nearHalf ? "near a half turn" : "near each other");
    // q and -q are one rotation.
    for (std::size_t i = 0; i < q2.size(); ++i) q2[i] = -q2[i];
    EXPECT_LT(worstUlps(q1, q2), 4.0);
  }
}

// Lengths: a power of two common to both sides changes no bit, from 2^-600
// to 2^1000 (where the products would leave the range of doubles and are
// scaled); a factor of one side only moves the angle by about an ulp of π.
// Swapping the sides, or a side's sign, changes no bit.
TEST(RotationDistances, LengthsAndOrderOfTheSides) {
  std::mt19937_64 random(302);
  std::vector<double> q1, q2;
  closePairs(2000, false, random, q1, q2);
  closePairs(2000, true, random, q1, q2);
  const std::vector<double> base = distances(q1, q2);
  EXPECT_TRUE(SameBits(distances(q2, q1), base));
  std::vector<double> minus = q1;
  for (double& c : minus) c = -c;
  EXPECT_TRUE(SameBits(distances(minus, q2), base));
  for (double scale : {0x1p-600, 0x1p-100, 4.0, 0x1p600, 0x1p1000}) {
    std::vector<double> s1 = q1, s2 = q2;
    for (double& c : s1) c *= scale;
    for (double& c : s2) c *= scale;
    EXPECT_TRUE(SameBits(distances(s1, s2), base)) << scale;
    const std::vector<double> one = distances(s1, q2);
    for (std::size_t k = 0; k < one.size(); ++k) ASSERT_NEAR(one[k], base[k], 1e-15) << scale << ", " << k;
  }
}

TEST(RotationDistances, ExactCasesNaNAndBroadcast) {
  const double h = std::sqrt(0.5);
  const std::vector<double> d =
      distances({1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, kNaN, 0, 0, 0},
                {1, 1e-300, 0, 0, -1, -0.0, 0, 0, 0, 0, 1, 0, h, 0, 0, h, 1, 0, 0, 0, kInf, 0, 0, 0, 1, 0, 0, 0});
  EXPECT_TRUE(SameBits({d.begin(), d.begin() + 3}, {2e-300, 0, 3.141592653589793}));
  EXPECT_LE(ulpDistance(d[3], 1.5707963267948966), 1u);
  for (std::size_t k = 4; k < 7; ++k) EXPECT_TRUE(std::isnan(d[k])) << k;
  // One column against many, either side.
  const std::vector<double> many = {1, 0, 0, 0, h, h, 0, 0, 0, 0, 0, 1};
  const std::vector<double> from = distances({1, 0, 0, 0}, many);
  EXPECT_TRUE(SameBits({from[0], from[2]}, {0, 3.141592653589793}));
  EXPECT_LE(ulpDistance(from[1], 1.5707963267948966), 1u);
  EXPECT_TRUE(SameBits(distances(many, {1, 0, 0, 0}), from));
}

}  // namespace
