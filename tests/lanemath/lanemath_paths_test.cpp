// The lane functions compiled for every path (one translation unit), and
// the check that every path gives the scalar bits on arguments of every
// kind, special values and out-of-range lanes mixed in.
#include "lanemath/lanemath_support.h"
#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <random>

#define ROTKIT_LANES_KERNEL "lanemath/trig_columns_lanes.h"
#include "simd/each_target.h"

const KernelPaths<LaneColumns>& cosinePaths() {
  static const KernelPaths<LaneColumns> paths = ROTKIT_KERNEL_PATHS(cosineColumns);
  return paths;
}
const KernelPaths<LaneColumns>& sineCosinePaths() {
  static const KernelPaths<LaneColumns> paths = ROTKIT_KERNEL_PATHS(sineCosineColumns);
  return paths;
}
const KernelPaths<LaneColumns>& arcTangent2Paths() {
  static const KernelPaths<LaneColumns> paths = ROTKIT_KERNEL_PATHS(arcTangent2Columns);
  return paths;
}

namespace lanemath_test {
double cosine(double x) { return rotkit::scalar::cosine(x); }
double sine(double x) { return rotkit::scalar::sine(x); }
double arcTangent2(double y, double x) { return rotkit::scalar::arcTangent2(y, x); }
void sineCosine(double x, double& s, double& c) {
  const rotkit::scalar::SineCosine both = rotkit::scalar::sineCosine(x);
  s = both.sin;
  c = both.cos;
}
}  // namespace lanemath_test

namespace {

const std::vector<double> kSpecials = {0.0,   -0.0,    kNaN,     kInf,     -kInf,        1e300,   -17.0,
                                       16.0,  -16.0,   0x1p-27,  -0x1p-27, DBL_TRUE_MIN, DBL_MIN, DBL_MAX,
                                       1e-300, 0.4375, 0.6875,   1.0,      -1.0,         3.0,     1e-17};

// Arguments of every magnitude, specials scattered among them so that lanes
// of every kind meet in one vector; an odd count leaves a partial block.
std::vector<double> mixedArguments(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-60, 6);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  std::vector<double> x(count);
  for (std::size_t i = 0; i < count; ++i) {
    x[i] = i % 5 == 3 ? kSpecials[pick(random)] : std::ldexp(mantissa(random), exponent(random));
  }
  return x;
}

void expectEveryPathIsScalar(const KernelPaths<LaneColumns>& table, const std::vector<double>& in, std::size_t outPerColumn,
                             std::size_t inPerColumn) {
  const auto count = static_cast<std::uint32_t>(in.size() / inPerColumn);
  std::vector<double> scalar(outPerColumn * count);
  scalarPath(table)(in.data(), scalar.data(), count);
  for (const auto& path : runnablePaths(table, scalarPath(table))) {
    std::vector<double> lanes(outPerColumn * count);
    path.function(in.data(), lanes.data(), count);
    EXPECT_TRUE(SameBits(lanes, scalar)) << path.name;
  }
}

TEST(LaneMathPaths, EveryPathsCosineAndSineCosineAreTheScalarOnes) {
  const std::vector<double> x = mixedArguments(20011, 5);
  expectEveryPathIsScalar(cosinePaths(), x, 1, 1);
  expectEveryPathIsScalar(sineCosinePaths(), x, 2, 1);
}

TEST(LaneMathPaths, EveryPathsArcTangentIsTheScalarOne) {
  std::vector<double> yx = mixedArguments(40022, 6);
  // Pairs of specials too, every combination.
  for (double y : kSpecials) {
    for (double x : kSpecials) yx.insert(yx.end(), {y, x});
  }
  yx.insert(yx.end(), {0.5, 1.0});  // an odd count: a partial last block
  expectEveryPathIsScalar(arcTangent2Paths(), yx, 1, 2);
}

// sineCosine is the sine and the cosine of one reduction: the same bits as
// the two functions, in and out of their range.
TEST(LaneMathPaths, SineCosineGivesTheBitsOfSineAndCosine) {
  for (double x : mixedArguments(50000, 7)) {
    double s, c;
    lanemath_test::sineCosine(x, s, c);
    ASSERT_TRUE(sameBits(s, lanemath_test::sine(x)) && sameBits(c, lanemath_test::cosine(x))) << describe(x);
  }
}

}  // namespace
