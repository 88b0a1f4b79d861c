// slerpColumns against rotblend's formula, column by column and bit for
// bit: every broadcast form, the branch at exactly 0.999, q1 = ±q2, IEEE
// values; and its accuracy against slerp in long double.
#include "rotations/rotslerp/slerp_columns.h"

#include "support/bits.h"

#include <cfloat>
#include <cmath>
#include <random>

// rotblend's kernel as the scalar path compiles it: one pair of end
// rotations, many parameters.
#define ROTKIT_LANES_KERNEL "rotations/rotblend/interpolate_rotations_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using Columns = std::vector<double>;

// rotblend(q1, q2, t) for one column.
Columns blendOne(const double* q1, const double* q2, double t) {
  Columns out(4);
  rotkit::scalar::interpolateRotations(q1, q2, &t, 1, out.data());
  return out;
}

// What rotslerp must give: rotblend of each column, a one-column side
// (one t) used for every column.
Columns expectedColumns(const Columns& q1, std::uint32_t c1, const Columns& q2, std::uint32_t c2, const Columns& t,
                        std::uint32_t ct, std::uint32_t cols) {
  Columns out;
  for (std::uint32_t k = 0; k < cols; ++k) {
    const Columns r = blendOne(&q1[4 * (c1 > 1 ? k : 0)], &q2[4 * (c2 > 1 ? k : 0)], t[ct > 1 ? k : 0]);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

Columns slerp(const Columns& q1, std::uint32_t c1, const Columns& q2, std::uint32_t c2, const Columns& t,
              std::uint32_t ct, std::uint32_t cols) {
  Columns out(4 * std::size_t{cols});
  slerpColumns(q1.data(), c1, q2.data(), c2, t.data(), ct, out.data(), cols);
  return out;
}

Columns randomUnit(std::uint32_t cols, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  Columns q(4 * std::size_t{cols});
  for (std::uint32_t k = 0; k < cols; ++k) {
    double s = 0;
    for (int i = 0; i < 4; ++i) {
      q[4 * k + i] = normal(random);
      s += q[4 * k + i] * q[4 * k + i];
    }
    for (int i = 0; i < 4; ++i) q[4 * k + i] /= std::sqrt(s);
  }
  return q;
}

TEST(SlerpColumns, EachColumnIsRotblendOfThatColumnInEveryBroadcastForm) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> param(-1.5, 2.5);
  const std::uint32_t n = 37;
  for (int form = 0; form < 8; ++form) {
    const std::uint32_t c1 = form & 1 ? 1 : n, c2 = form & 2 ? 1 : n, ct = form & 4 ? 1 : n;
    const std::uint32_t cols = form == 7 ? 5 : n;  // three single columns still give any count
    Columns q1 = randomUnit(c1, random), q2 = randomUnit(c2, random), t(ct);
    for (double& v : t) v = param(random);
    // Some pairs close together (the linear branch) and some opposite.
    for (std::uint32_t k = 0; k + 1 < std::min(c1, c2); k += 3) {
      for (int i = 0; i < 4; ++i) q2[4 * k + i] = q1[4 * k + i] * (k % 2 ? -1.0 : 1.0) + 1e-3 * q2[4 * k + i];
    }
    EXPECT_TRUE(SameBits(slerp(q1, c1, q2, c2, t, ct, cols), expectedColumns(q1, c1, q2, c2, t, ct, cols)))
        << "form " << form;
  }
}

TEST(SlerpColumns, NoColumnsReadNothing) {
  // Null data with no columns: nothing may be read, not even a one-column side.
  slerpColumns(nullptr, 0, nullptr, 1, nullptr, 1, nullptr, 0);
  slerpColumns(nullptr, 1, nullptr, 1, nullptr, 0, nullptr, 0);
}

// d = 0.999 exactly takes the linear branch, the double below it the
// spherical one; q1 = q2 and q1 = -q2 are the linear branch at d = ±1.
TEST(SlerpColumns, TheBranchAtTheThresholdAndEqualOrOppositeEnds) {
  const double below = std::nextafter(0.999, 0.0);
  const Columns q1 = {1, 0, 0, 0, 1, 0, 0, 0, 0.5, 0.5, -0.5, 0.5, 0.5, 0.5, -0.5, 0.5};
  const Columns q2 = {0.999, std::sqrt(1 - 0.999 * 0.999), 0, 0, below, std::sqrt(1 - below * below), 0, 0,
                      0.5, 0.5, -0.5, 0.5, -0.5, -0.5, 0.5, -0.5};
  const Columns t = {0.5, 0.5, 0.25, 0.75};
  const Columns got = slerp(q1, 4, q2, 4, t, 4, 4);
  EXPECT_TRUE(SameBits(got, expectedColumns(q1, 4, q2, 4, t, 4, 4)));
  // Linear at exactly 0.999: (q1 + q2) / 2 scaled by the reciprocal of its norm.
  const double w = 0.5 * 1 + 0.5 * 0.999, x = 0.5 * 0 + 0.5 * q2[1];
  const double r = 1 / std::sqrt(((w * w + x * x) + 0 * 0) + 0 * 0);
  EXPECT_TRUE(SameBits({got[0], got[1]}, {w * r, x * r}));
  // Spherical just below: the weights are sines, not 0.5 each.
  EXPECT_FALSE(sameBits(got[4], w * r) && sameBits(got[5], x * r));
  // Equal and opposite ends give q1 itself (normalised: exact here).
  EXPECT_TRUE(SameBits({got.begin() + 8, got.end()}, {0.5, 0.5, -0.5, 0.5, 0.5, 0.5, -0.5, 0.5}));
}

TEST(SlerpColumns, IeeeValuesGoThroughUnguarded) {
  const double z = -0.0;
  const Columns q1 = {1, 0, 0, 0, kNaN, 0, 0, 0, 1, 0, 0, 0, z, z, z, z, 0, 0, 0, 0, kInf, 0, 0, 0};
  const Columns q2 = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, z, z, z, z, z, 0, 0, 0, 1, 0, 0, 0};
  const Columns t = {kNaN, 0.5, kInf, 0.5, 0.5, 0.5};
  const Columns got = slerp(q1, 6, q2, 6, t, 6, 6);
  EXPECT_TRUE(SameBits(got, expectedColumns(q1, 6, q2, 6, t, 6, 6)));
  // NaN in t, in q1, an infinite t: NaN columns; an infinite q1 takes the
  // linear branch, where Inf · 0 makes its w NaN. Zero ends are the
  // spherical branch (d = +0) and give zeros.
  for (int column : {0, 1, 2}) {
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isnan(got[4 * column + i])) << column;
  }
  EXPECT_TRUE(SameBits({got.begin() + 20, got.end()}, {kNaN, 0, 0, 0}));
  for (int i = 12; i < 20; ++i) EXPECT_EQ(got[i], 0.0) << i;
  // Signed zeros of the ends keep their signs through the spherical weights.
  const Columns a = {1, z, 0, z}, b = {0, 0, z, 1};
  EXPECT_TRUE(SameBits(slerp(a, 1, b, 1, {0.0}, 1, 1), blendOne(a.data(), b.data(), 0.0)));
  EXPECT_TRUE(SameBits(slerp(a, 1, b, 1, {z}, 1, 1), blendOne(a.data(), b.data(), z)));
}

// The exact slerp of the given doubles, in long double.
void referenceSlerp(const double* a, const double* b, double t, long double* out) {
  long double d = 0;
  for (int i = 0; i < 4; ++i) d += static_cast<long double>(a[i]) * b[i];
  const long double sign = d < 0 ? -1 : 1;
  d *= sign;
  const long double theta = std::atan2(std::sqrt(1 - d * d), d);
  const long double w1 = std::sin((1 - static_cast<long double>(t)) * theta) / std::sin(theta);
  const long double w2 = std::sin(t * theta) / std::sin(theta);
  for (int i = 0; i < 4; ++i) out[i] = w1 * a[i] + w2 * sign * b[i];
}

// Unit end rotations in the spherical branch, t in [0, 1]: the error of
// each element, in ulps of 1, stays within the help text's 2.
TEST(SlerpColumns, WithinTwoUlpsOfOneOfTheLongDoubleSlerp) {
  if (LDBL_MANT_DIG <= DBL_MANT_DIG) GTEST_SKIP() << "long double is no wider than double here";
  // valgrind runs long double arithmetic at double width: no exact reference.
  volatile long double tiny = std::ldexp(1.0L, -60);
  volatile long double sum = 1.0L + tiny;
  if (sum == 1.0L) GTEST_SKIP() << "long double runs at double width here";
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> param(0, 1);
  const std::uint32_t n = 20000;
  Columns q1 = randomUnit(n, random), q2 = randomUnit(n, random), t(n);
  for (double& v : t) v = param(random);
  // A quarter of the pairs close to the threshold, where 1 - d·d cancels.
  for (std::uint32_t k = 0; k < n; k += 4) {
    for (int i = 0; i < 4; ++i) q2[4 * k + i] = q1[4 * k + i] + 0.04 * q2[4 * k + i];
    double s = 0;
    for (int i = 0; i < 4; ++i) s += q2[4 * k + i] * q2[4 * k + i];
    for (int i = 0; i < 4; ++i) q2[4 * k + i] /= std::sqrt(s);
  }
  const Columns got = slerp(q1, n, q2, n, t, n, n);
  long double worst = 0;
  std::uint32_t spherical = 0;
  for (std::uint32_t k = 0; k < n; ++k) {
    double d = 0;
    for (int i = 0; i < 4; ++i) d += q1[4 * k + i] * q2[4 * k + i];
    if (!(std::fabs(d) < 0.999)) continue;
    ++spherical;
    long double ref[4];
    referenceSlerp(&q1[4 * k], &q2[4 * k], t[k], ref);
    for (int i = 0; i < 4; ++i) worst = std::max(worst, std::fabs(got[4 * k + i] - ref[i]) / DBL_EPSILON);
  }
  EXPECT_GT(spherical, n / 2);
  EXPECT_LE(worst, 2.0L) << "worst error " << static_cast<double>(worst) << " ulps of 1";
  RecordProperty("worst_ulps_of_one", std::to_string(static_cast<double>(worst)));
  std::printf("slerp accuracy: worst %.2f ulps of 1 over %u spherical columns\n", static_cast<double>(worst),
              spherical);
}

} // namespace
