// The toolbox's cosine (and so sineCosine, which gives its bits): within
// 1 ulp of the exact cosine over |x| <= 16, <cmath>'s cos outside. The
// reference is the quadruple-precision cosQ (libquadmath on x86-64), held
// as a long double: not cosl, which MinGW computes on the x87 unit, whose
// reduction by a 66-bit π loses most bits near the multiples of π/2.
// bench/trig_sweep.cpp runs the same measurement far more densely.
#include "lanemath/lanemath_support.h"
#include "support/bits.h"
#include "support/exact_rotations.h"

#include <cfloat>
#include <random>
#include <vector>

namespace {

using lanemath_test::cosine;

// An even grid, every double near each multiple of π/2 (where the cosine
// of an odd multiple cancels to nearly 0), small magnitudes of every
// binade, and the edge of the range.
std::vector<double> probeArguments() {
  std::vector<double> x;
  const int grid = 1 << 20;
  for (int i = 0; i < grid; ++i) x.push_back(-16.0 + 32.0 * (i + 0.37) / grid);
  for (int k = -10; k <= 10; ++k) {
    double up = static_cast<double>(k * 1.5707963267948966192313216916397514L);
    double down = up;
    for (int i = 0; i < 2000; ++i) {
      x.push_back(up);
      x.push_back(down);
      up = std::nextafter(up, INFINITY);
      down = std::nextafter(down, -INFINITY);
    }
  }
  std::mt19937_64 random(29);
  std::uniform_real_distribution<double> mantissa(1, 2);
  for (int e = -40; e <= 3; ++e) {
    for (int i = 0; i < 2000; ++i) x.push_back(std::ldexp(mantissa(random), e));
  }
  double edge = 16.0;
  for (int i = 0; i < 100; ++i, edge = std::nextafter(edge, 0.0)) x.push_back(edge);
  return x;
}

TEST(Cosine, WithinOneUlpOfTheExactCosineOverItsRange) {
  if (!longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  double worst = 0;
  double worstAt = 0;
  for (double x : probeArguments()) {
    const double error = ulpError(cosine(x), static_cast<long double>(cosQ(x)));
    if (error > worst) {
      worst = error;
      worstAt = x;
    }
  }
  EXPECT_LT(worst, 1.0) << "at x = " << describe(worstAt);
  RecordProperty("worst_ulps", std::to_string(worst));
}

TEST(Cosine, IsExactlyOneNearZeroAndEven) {
  for (double x : {0.0, -0.0, DBL_TRUE_MIN, DBL_MIN, 1e-300, 0x1p-28, -0x1p-27}) EXPECT_EQ(bitsOf(cosine(x)), bitsOf(1.0)) << x;
  for (double x : {0.1, 1.0, 3.0, 7.5, 15.9}) EXPECT_EQ(bitsOf(cosine(x)), bitsOf(cosine(-x))) << x;
}

TEST(Cosine, IsTheMathLibrarysCosineOutsideItsRange) {
  for (double x : {std::nextafter(16.0, INFINITY), -16.5, 100.0, -1e6, 1e22, DBL_MAX, kInf, -kInf}) {
    EXPECT_EQ(bitsOf(cosine(x)), bitsOf(std::cos(x))) << x;
  }
  EXPECT_TRUE(std::isnan(cosine(kNaN)));
}

}  // namespace
