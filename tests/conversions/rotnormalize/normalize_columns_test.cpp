// normalizeColumns: the documented steps, the scaling of huge and tiny
// quaternions (no scale changes a bit of the result), IEEE cases, and the
// accuracy against long double over lengths from 2^-1070 to 2^1020.
#include "conversions/rotnormalize/normalize_columns.h"

#include "support/bits.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"

#include <cfloat>
#include <cmath>

namespace {

std::vector<double> normalized(const std::vector<double>& q) {
  std::vector<double> out(q.size());
  normalizeColumns(q.data(), out.data(), static_cast<std::uint32_t>(q.size() / 4));
  return out;
}

// The three steps written out in double: the pairs, four divisions, one
// correction of the length (a zero stays, unless the correction is NaN).
std::vector<double> documentedSteps(const double* q) {
  const double length = std::sqrt((q[0] * q[0] + q[1] * q[1]) + (q[2] * q[2] + q[3] * q[3]));
  double u[4];
  for (int i = 0; i < 4; ++i) u[i] = q[i] / length;
  const double half = (((u[0] * u[0] + u[1] * u[1]) + (u[2] * u[2] + u[3] * u[3])) - 1.0) * 0.5;
  std::vector<double> out;
  for (double c : u) out.push_back(c == 0 && !std::isnan(half) ? c : c - c * half);
  return out;
}

TEST(NormalizeColumns, FollowsTheDocumentedStepsBitForBit) {
  std::mt19937_64 random(23);
  std::uniform_real_distribution<double> value(-3, 3);
  std::vector<double> q(4 * 5000);
  for (double& c : q) c = value(random);
  const std::vector<double> out = normalized(q);
  for (std::size_t k = 0; k < 5000; ++k) {
    ASSERT_TRUE(SameBits({out.begin() + 4 * k, out.begin() + 4 * k + 4}, documentedSteps(&q[4 * k]))) << k;
  }
}

// Scaling by 2^e is exact, and so is the toolbox's own scaling, so the
// result is the same for every e that keeps q exact: below, across and
// above the scaled ranges.
TEST(NormalizeColumns, NoScaleChangesABit) {
  std::mt19937_64 random(24);
  const std::vector<double> unit = samples::randomUnit(200, random);
  for (std::size_t k = 0; k < 200; ++k) {
    std::vector<double> q(unit.begin() + 4 * k, unit.begin() + 4 * k + 4);
    for (double& c : q) c *= 3.0;  // not unit
    const std::vector<double> reference = normalized(q);
    for (int e = -1000; e <= 1000; e += 37) {
      std::vector<double> scaled;
      for (double c : q) scaled.push_back(std::ldexp(c, e));
      bool exactScaling = true;
      for (std::size_t i = 0; i < 4; ++i) exactScaling = exactScaling && std::ldexp(scaled[i], -e) == q[i];
      if (!exactScaling) continue;  // a component fell below the normal range
      ASSERT_TRUE(SameBits(normalized(scaled), reference)) << "column " << k << ", 2^" << e;
    }
  }
}

TEST(NormalizeColumns, HugeTinyAndIeeeCases) {
  EXPECT_TRUE(SameBits(normalized({1e200, 0, 0, 0}), {1, 0, 0, 0}));
  EXPECT_TRUE(SameBits(normalized({DBL_TRUE_MIN, 0, -0.0, 0}), {1, 0, -0.0, 0}));
  EXPECT_TRUE(SameBits(normalized({DBL_MAX, -DBL_MAX, DBL_MAX, DBL_MAX}), {0.5, -0.5, 0.5, 0.5}));
  EXPECT_TRUE(SameBits(normalized({-0.0, 2, -0.0, 0}), {-0.0, 1, -0.0, 0}));
  EXPECT_TRUE(SameBits(normalized({3, 0, 0, 4}), {0.6, 0, 0, 0.8}));
  EXPECT_TRUE(SameBits(normalized({0, 0, 0, 0}), {kNaN, kNaN, kNaN, kNaN}));
  EXPECT_TRUE(SameBits(normalized({1, kNaN, 0, 0}), {kNaN, kNaN, kNaN, kNaN}));
  EXPECT_TRUE(SameBits(normalized({kInf, 0, 0, 0}), {kNaN, kNaN, kNaN, kNaN}));
  EXPECT_TRUE(SameBits(normalized({1, 0, 0, -kInf}), {kNaN, kNaN, kNaN, kNaN}));
}

// Each component within 0.9 · 2^-52 of the exact unit quaternion, over
// random directions at lengths 2^-1070 to 2^1020.
TEST(NormalizeColumns, WithinItsBoundOfTheExactUnitQuaternion) {
  if (!exact::longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  std::mt19937_64 random(25);
  std::uniform_real_distribution<double> value(-1, 1);
  std::uniform_int_distribution<int> exponent(-1070, 1020);
  std::vector<double> q(4 * 100000);
  for (std::size_t k = 0; k < 100000; ++k) {
    const int e = k % 4 == 0 ? 0 : exponent(random);
    for (std::size_t i = 0; i < 4; ++i) q[4 * k + i] = std::ldexp(value(random), e);
  }
  const std::vector<double> out = normalized(q);
  double worst = 0;
  for (std::size_t k = 0; k < 100000; ++k) {
    worst = std::max(worst, exact::quaternionError(&out[4 * k], exact::unit(exact::fromDoubles(&q[4 * k]))));
  }
  EXPECT_LE(worst, 0.9);
}

} // namespace
