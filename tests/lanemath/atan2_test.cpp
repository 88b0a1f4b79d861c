// The toolbox's arcTangent2(y, x): within 1 ulp of the long double atan2l
// for pairs of every magnitude and quadrant, and C's atan2 exactly where C
// fixes the result (zeros, infinities, NaN). bench/trig_sweep.cpp runs the
// same measurement far more densely.
#include "lanemath/lanemath_support.h"
#include "support/bits.h"

#include <cfloat>
#include <random>
#include <utility>
#include <vector>

namespace {

using lanemath_test::arcTangent2;

// Random pairs: the same magnitude, magnitudes far apart (so that the
// quotient is tiny, subnormal, or lost), quotients near the edges of the
// reductions (7/16, 11/16, 1), near the axes and the diagonals, and the
// extremes of the double range.
std::vector<std::pair<double, double>> probePairs() {
  std::mt19937_64 random(31);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> exponent(-1074, 1023);
  std::uniform_int_distribution<int> nearby(-60, 60);
  std::vector<std::pair<double, double>> pairs;
  for (int i = 0; i < 300000; ++i) pairs.emplace_back(unit(random), unit(random));
  for (int i = 0; i < 100000; ++i) {
    pairs.emplace_back(std::ldexp(unit(random), exponent(random)), std::ldexp(unit(random), exponent(random)));
    const double x = std::ldexp(unit(random), exponent(random) / 2);
    pairs.emplace_back(std::ldexp(x * unit(random), nearby(random)), x);
  }
  for (double edge : {0.4375, 0.6875, 1.0}) {
    for (int i = 0; i < 30000; ++i) {
      const double x = unit(random);
      const double y = x * edge * (1 + 1e-6 * unit(random));
      pairs.emplace_back(y, x);
      pairs.emplace_back(x, y);
    }
  }
  return pairs;
}

TEST(ArcTangent2, WithinOneUlpOfTheExactAngleEverywhere) {
  if (!longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  double worst = 0;
  std::pair<double, double> worstAt;
  for (const auto& [y, x] : probePairs()) {
    const double error = ulpError(arcTangent2(y, x), atan2l(static_cast<long double>(y), static_cast<long double>(x)));
    if (error > worst) {
      worst = error;
      worstAt = {y, x};
    }
  }
  EXPECT_LT(worst, 1.0) << "at y = " << describe(worstAt.first) << ", x = " << describe(worstAt.second);
  RecordProperty("worst_ulps", std::to_string(worst));
}

// Every pair of zeros, infinities, NaN and ordinary values: the bits of
// C's atan2 (glibc's is correctly rounded, so the rounded multiples of π/4
// must come out exactly).
TEST(ArcTangent2, IsCsAtan2ForZerosInfinitiesAndNaN) {
  const double values[] = {0.0, -0.0, kInf, -kInf, 1.0, -1.0, 3.5, -2e-310, DBL_MAX, -DBL_TRUE_MIN};
  for (double y : values) {
    for (double x : values) {
      const double expected = std::atan2(y, x);
      EXPECT_TRUE(sameBits(arcTangent2(y, x), expected)) << "atan2(" << y << ", " << x << ") = "
                                                           << describe(arcTangent2(y, x)) << ", C gives "
                                                           << describe(expected);
    }
    EXPECT_TRUE(std::isnan(arcTangent2(y, kNaN)) && std::isnan(arcTangent2(kNaN, y))) << y;
  }
}

TEST(ArcTangent2, IsOddInYAndCoversEveryQuadrant) {
  std::mt19937_64 random(32);
  std::uniform_real_distribution<double> unit(0, 10);
  for (int i = 0; i < 10000; ++i) {
    const double y = unit(random), x = unit(random);
    EXPECT_EQ(bitsOf(arcTangent2(-y, x)), bitsOf(-arcTangent2(y, x)));
    EXPECT_EQ(bitsOf(arcTangent2(-y, -x)), bitsOf(-arcTangent2(y, -x)));
    ASSERT_TRUE(arcTangent2(y, x) >= 0 && arcTangent2(y, x) <= 1.5707963267948966);
    ASSERT_TRUE(arcTangent2(y, -x) >= 1.5707963267948966 && arcTangent2(y, -x) <= 3.1415926535897931);
  }
}

}  // namespace
