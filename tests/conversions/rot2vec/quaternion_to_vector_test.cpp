// rot2vec's kernel against the exact rotation vector of each quaternion
// (__float128, tests/support/exact_rotations.h), relative to its length so
// that tiny angles count, for angles from 1e-300 to π and non-unit
// quaternions; its sign convention; every vector path against the scalar
// one.
#include "conversions/rot2vec/quaternion_to_vector.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/exact_rotations.h"
#include "support/paths.h"
#include "support/rotation_vectors.h"

#include <cfloat>
#include <random>

namespace {

std::vector<double> vectorsOf(const std::vector<double>& q) {
  const auto count = static_cast<std::uint32_t>(q.size() / 4);
  std::vector<double> v(3 * count);
  quaternionsToVectors(q.data(), v.data(), count);
  return v;
}

// The exact quaternions of rotation vectors, rounded, each scaled by one
// of a few lengths and given either sign.
std::vector<double> quaternionsFrom(const std::vector<double>& v, bool scaled) {
  const double scales[] = {1.0, -1.0, 1e-300, -3.0, 1e300, 1e-10};
  std::vector<double> q;
  for (std::size_t k = 0; k < v.size() / 3; ++k) {
    const std::array<double, 4> r = roundedQuaternion(exactRotationVector(&v[3 * k]));
    const double s = scaled ? scales[k % 6] : 1.0;
    for (double c : r) q.push_back(c * s);
  }
  return q;
}

double worstError(const std::vector<double>& q) {
  const std::vector<double> v = vectorsOf(q);
  double worst = 0;
  for (std::size_t k = 0; k < q.size() / 4; ++k) worst = std::max(worst, relativeVectorError(&v[3 * k], exactVectorOf(&q[4 * k])));
  return worst;
}

// |v − v*| / |v*| within 2.5 units of 2^-52, angles from 1e-300 to π
// (almost π too, where acos(w) would lose half the digits), any length.
TEST(QuaternionsToVectors, WithinTwoAndAHalfUnitsOfTheExactVectorRelativeToItsLength) {
  std::mt19937_64 random(71);
  EXPECT_LT(worstError(quaternionsFrom(rotationVectors(40000, random), false)), 2.5);
  EXPECT_LT(worstError(quaternionsFrom(rotationVectors(12000, random), true)), 2.5);
}

// q and −q give the same bits; at w = 0 (a half turn) the first nonzero of
// x, y, z comes out positive, whatever the zeros' signs.
TEST(QuaternionsToVectors, QAndMinusQGiveTheSameVector) {
  std::mt19937_64 random(72);
  std::vector<double> q = quaternionsFrom(rotationVectors(4000, random), true);
  for (unsigned pattern = 0; pattern < 81; ++pattern) {
    const double choices[3] = {0.0, -0.0, -0.6};
    q.insert(q.end(), {pattern % 2 ? -0.0 : 0.0, choices[pattern % 3], choices[(pattern / 3) % 3], choices[(pattern / 9) % 3] + 0.8});
  }
  std::vector<double> negated(q.size());
  for (std::size_t i = 0; i < q.size(); ++i) negated[i] = -q[i];
  EXPECT_TRUE(SameBits(vectorsOf(negated), vectorsOf(q)));
  const std::vector<double> half = vectorsOf({0, 0, -1, 0, -0.0, -0.0, 0, -2});
  // The flip turns the zeros' signs too.
  EXPECT_TRUE(SameBits(half, {-0.0, 3.141592653589793, -0.0, 0, -0.0, 3.141592653589793}));
}

TEST(QuaternionsToVectors, ExactNearTheIdentityAndNaNForZero) {
  const std::vector<double> v = vectorsOf({1, 0, 0, 0, 1, 1e-300, 0, -3e-300, 5, -0.0, 0, 0, 0, 0, 0, 0, kNaN, 0, 0, 0});
  EXPECT_TRUE(SameBits({v.begin(), v.begin() + 9}, {0, 0, 0, 2e-300, 0, -6e-300, -0.0, 0, 0}));
  for (std::size_t i = 9; i < 15; ++i) EXPECT_TRUE(std::isnan(v[i])) << i;
}

TEST(QuaternionsToVectorsVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(73);
  const ColumnKernel scalar = scalarPath(quaternionsToVectorsPaths());
  for (const auto& path : runnablePaths(quaternionsToVectorsPaths(), quaternionsToVectors)) {
    for (std::size_t n = 0; n <= 11; ++n) {
      EXPECT_TRUE(SameBitsAsScalar(path.function, scalar, mixedColumns(n, 4, 1, 0.2, random), 4, 3, n % 4)) << path.name;
    }
    std::vector<double> q = mixedColumns(3000, 4, 1, 0.3, random);
    const std::vector<double> spread = quaternionsFrom(rotationVectors(3000, random), true);
    q.insert(q.end(), spread.begin(), spread.end());
    EXPECT_TRUE(SameBitsAsScalar(path.function, scalar, q, 4, 3, 1)) << path.name;
  }
}

}  // namespace
