// vec2rot's kernel against the exact rotation (__float128,
// tests/support/exact_rotations.h) for angles from 1e-300 to π and beyond,
// its exact limits near 0, and every vector path against the scalar one.
#include "conversions/vec2rot/vector_to_quaternion.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/exact_rotations.h"
#include "support/paths.h"
#include "support/rotation_vectors.h"

#include <cfloat>
#include <random>

namespace {

std::vector<double> quaternionsOf(const std::vector<double>& v) {
  const auto count = static_cast<std::uint32_t>(v.size() / 3);
  std::vector<double> q(4 * count);
  vectorsToQuaternions(v.data(), q.data(), count);
  return q;
}

double worstError(const std::vector<double>& v) {
  const std::vector<double> q = quaternionsOf(v);
  double worst = 0;
  for (std::size_t k = 0; k < v.size() / 3; ++k) worst = std::max(worst, componentError(&q[4 * k], exactRotationVector(&v[3 * k])));
  return worst;
}

// Within 2 units of 2^-52 of the exact quaternion (a measured 1.41 at
// worst: tools/accuracy/angle_accuracy.cpp) for angles from 1e-300 to π
// and around the switch to the series.
TEST(VectorsToQuaternions, WithinTwoUnitsOfTheExactRotation) {
  std::mt19937_64 random(61);
  EXPECT_LT(worstError(rotationVectors(40000, random)), 2.0);
}

// Angles beyond π (up to 70, past the sine's own range at θ/2 = 16): the
// rounding of θ itself, some 0.4·θ units of 2^-52 in the half angle, adds
// to the bound; and vectors too long for their squares.
TEST(VectorsToQuaternions, LongVectorsTurnByTheirLength) {
  std::mt19937_64 random(62);
  std::uniform_real_distribution<double> value(-40, 40);
  std::vector<double> v(3 * 3000);
  for (double& x : v) x = value(random);
  const std::vector<double> q = quaternionsOf(v);
  for (std::size_t k = 0; k < 3000; ++k) {
    const double angle = std::sqrt(v[3 * k] * v[3 * k] + v[3 * k + 1] * v[3 * k + 1] + v[3 * k + 2] * v[3 * k + 2]);
    ASSERT_LT(componentError(&q[4 * k], exactRotationVector(&v[3 * k])), 2.0 + 0.4 * angle) << angle;
  }
  // 1e300·axis: θ²  would overflow; the quaternion must stay a unit one.
  const std::vector<double> huge = {1e300, 0, 0, 0, -3e300, 4e300, 1e200, 1e200, 1e200, 1.5086520396476938e+152, 0, 0};
  const std::vector<double> hq = quaternionsOf(huge);
  for (std::size_t k = 0; k < 4; ++k) {
    const double n = hq[4 * k] * hq[4 * k] + hq[4 * k + 1] * hq[4 * k + 1] + hq[4 * k + 2] * hq[4 * k + 2] + hq[4 * k + 3] * hq[4 * k + 3];
    EXPECT_NEAR(n, 1.0, 1e-15) << k;
  }
  // Scaled down, a long vector's square is small: it must not take the
  // series. Beyond 16 the cosine is the math library's, at run time (a
  // constant argument would be folded by the compiler, whose cosine need
  // not be the library's: MinGW's differs from it here).
  volatile double halfAngle = 1.5086520396476938e+152 / 2;
  EXPECT_EQ(hq[12], std::cos(halfAngle));
}

// v = 0 gives exactly [1; 0; 0; 0] (the zeros' signs kept), and below the
// range where θ² vanishes the series give exactly [1; v/2].
TEST(VectorsToQuaternions, ExactNearZero) {
  const std::vector<double> v = {0, 0, 0, -0.0, 0, -0.0, 6e-301, 8e-301, 0, 0, 0, -DBL_MIN, 1e-160, 0, 0};
  const std::vector<double> q = quaternionsOf(v);
  EXPECT_TRUE(SameBits(q, {1, 0, 0, 0, 1, -0.0, 0, -0.0, 1, 3e-301, 4e-301, 0, 1, 0, 0, -DBL_MIN / 2, 1, 5e-161, 0, 0}));
}

TEST(VectorsToQuaternions, NaNAndInfinityGiveNaN) {
  const std::vector<double> q = quaternionsOf({kNaN, 0, 0, 0, kInf, 0});
  for (int k = 0; k < 2; ++k) EXPECT_TRUE(std::isnan(q[4 * k])) << k;
}

TEST(VectorsToQuaternionsVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(63);
  const ColumnKernel scalar = scalarPath(vectorsToQuaternionsPaths());
  for (const auto& path : runnablePaths(vectorsToQuaternionsPaths(), vectorsToQuaternions)) {
    for (std::size_t n = 0; n <= 11; ++n) {
      EXPECT_TRUE(SameBitsAsScalar(path.function, scalar, mixedColumns(n, 3, 2, 0.2, random), 3, 4, n % 4)) << path.name;
    }
    std::vector<double> v = mixedColumns(3000, 3, 20, 0.3, random);
    const std::vector<double> spread = rotationVectors(3000, random);
    v.insert(v.end(), spread.begin(), spread.end());
    EXPECT_TRUE(SameBitsAsScalar(path.function, scalar, v, 3, 4, 1)) << path.name;
  }
}

}  // namespace
