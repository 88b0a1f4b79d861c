// rotblend's own sine: within 1 ulp of the exact sine over its range (the
// reference is the quadruple-precision sinQ, held as a long double some 11
// bits finer than a double; not sinl, which MinGW computes on the x87 unit,
// whose reduction by a 66-bit π loses most bits near multiples of π/2),
// <cmath>'s sin outside it, and the vector lanes bit for bit the scalar one.
// bench/sine_sweep.cpp runs the same measurement far more densely.
#include "support/bits.h"
#include "support/exact_rotations.h"
#include "support/paths.h"

#include <cfloat>
#include <cmath>
#include <random>

#define ROTKIT_LANES_KERNEL "rotations/rotblend/sine_columns_lanes.h"
#include "simd/each_target.h"

namespace {

using rotkit::scalar::kSineRange;
using rotkit::scalar::kSineTiny;
using rotkit::scalar::sine;
using SineColumns = void (*)(const double*, double*, std::uint32_t);

const KernelPaths<SineColumns>& sinePaths() {
  static const KernelPaths<SineColumns> paths = ROTKIT_KERNEL_PATHS(sineColumns);
  return paths;
}

// |sine(x) − sin(x)| in units of the last place of the exact result.
double ulpError(double x) {
  const long double exact = static_cast<long double>(sinQ(x));
  if (exact == 0) return sine(x) == 0 ? 0 : INFINITY;
  const long double ulp = std::ldexp(1.0L, ilogbl(exact) - 52);
  return static_cast<double>(fabsl(static_cast<long double>(sine(x)) - exact) / ulp);
}

// Arguments that probe the range: an even grid, every double near each
// multiple of π/2 (where the reduction cancels), small magnitudes of every
// binade, and the edges of the range and of the tiny shortcut.
std::vector<double> probeArguments() {
  std::vector<double> x;
  const int grid = 1 << 20;
  for (int i = 0; i < grid; ++i) x.push_back(-kSineRange + 2 * kSineRange * (i + 0.37) / grid);
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
  std::mt19937_64 random(27);
  std::uniform_real_distribution<double> mantissa(1, 2);
  for (int e = -40; e <= 3; ++e) {
    for (int i = 0; i < 2000; ++i) {
      const double v = std::ldexp(mantissa(random), e);
      x.push_back(v);
      x.push_back(-v);
    }
  }
  for (double edge : {kSineRange, kSineTiny}) {
    double v = edge;
    for (int i = 0; i < 100; ++i, v = std::nextafter(v, 0.0)) {
      x.push_back(v);
      x.push_back(-v);
    }
  }
  return x;
}

// The reference needs long double arithmetic wider than double at run time;
// valgrind, for one, runs x87 arithmetic at double width.
bool longDoubleIsWider() {
  volatile long double tiny = std::ldexp(1.0L, -60);
  volatile long double sum = 1.0L + tiny;
  return sum != 1.0L;
}

TEST(Sine, WithinOneUlpOfTheExactSineOverItsRange) {
  if (!longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  double worst = 0;
  double worstAt = 0;
  for (double x : probeArguments()) {
    const double error = ulpError(x);
    if (error > worst) {
      worst = error;
      worstAt = x;
    }
  }
  EXPECT_LT(worst, 1.0) << "at x = " << describe(worstAt);
  RecordProperty("worst_ulps", std::to_string(worst));
}

TEST(Sine, ExactForZerosAndTinyArguments) {
  EXPECT_TRUE(SameBits({sine(0.0), sine(-0.0), sine(DBL_TRUE_MIN), sine(-DBL_MIN)},
                       {0.0, -0.0, DBL_TRUE_MIN, -DBL_MIN}));
  const double belowTiny = std::nextafter(kSineTiny, 0.0);
  EXPECT_EQ(bitsOf(sine(belowTiny)), bitsOf(belowTiny));
}

TEST(Sine, IsTheMathLibrarysSineOutsideItsRange) {
  for (double x : {std::nextafter(kSineRange, INFINITY), -16.5, 100.0, -1e6, 1e22, DBL_MAX, kInf, -kInf}) {
    EXPECT_EQ(bitsOf(sine(x)), bitsOf(std::sin(x))) << x;
  }
  EXPECT_TRUE(std::isnan(sine(kNaN)));
}

// Arguments for the lane tests: the probes above, thinned, with special and
// out-of-range values mixed in so that lanes of both kinds meet.
std::vector<double> laneArguments() {
  std::vector<double> x;
  const std::vector<double> probes = probeArguments();
  for (std::size_t i = 0; i < probes.size(); i += 7) x.push_back(probes[i]);
  const std::vector<double> specials = {0.0, -0.0, kNaN, kInf, -kInf, 1e300, -17.0, DBL_TRUE_MIN, kSineRange,
                                        -kSineRange, kSineTiny, -kSineTiny};
  std::mt19937_64 random(28);
  std::uniform_int_distribution<std::size_t> at(0, x.size());
  for (int i = 0; i < 400; ++i) x.insert(x.begin() + static_cast<std::ptrdiff_t>(at(random)), specials[i % specials.size()]);
  x.push_back(0.5);  // a partial last block on every path
  return x;
}

TEST(Sine, EveryPathsLanesAreTheScalarSine) {
  const std::vector<double> x = laneArguments();
  std::vector<double> scalar(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) scalar[i] = sine(x[i]);
  for (const auto& path : runnablePaths(sinePaths(), scalarPath(sinePaths()))) {
    std::vector<double> lanes(x.size());
    path.function(x.data(), lanes.data(), static_cast<std::uint32_t>(x.size()));
    EXPECT_TRUE(SameBits(lanes, scalar)) << path.name;
  }
}

} // namespace
