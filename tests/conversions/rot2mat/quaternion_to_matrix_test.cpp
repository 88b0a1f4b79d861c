// quaternionsToMatrices: exact matrices, |q|² times a rotation for a
// non-unit q, the accuracy against long double, and agreement with the
// turn of rotapply (quaternion/lanes.h's rotateVector).
#include "conversions/rot2mat/quaternion_to_matrix.h"

#include "support/bits.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"

#include <cmath>

// The lanes file, for the scalar path's rotateVector that it includes.
#define ROTKIT_LANES_KERNEL "conversions/rot2mat/quaternion_to_matrix_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

std::vector<double> matrices(const std::vector<double>& q) {
  std::vector<double> r(q.size() / 4 * 9);
  quaternionsToMatrices(q.data(), r.data(), static_cast<std::uint32_t>(q.size() / 4));
  return r;
}

TEST(QuaternionsToMatrices, ExactMatricesColumnMajor) {
  // A third of a turn about (1, 1, 1): x to y, y to z, z to x.
  EXPECT_TRUE(SameBits(matrices({0.5, 0.5, 0.5, 0.5}), {0, 1, 0, 0, 0, 1, 1, 0, 0}));
  // Half turns about x and z, and non-unit quaternions: |q|² times a rotation.
  EXPECT_TRUE(SameBits(matrices({0, 1, 0, 0}), {1, 0, 0, 0, -1, 0, 0, 0, -1}));
  // Signs of zero as the term order gives them: xz = 0·(−1) = −0, and so on.
  EXPECT_TRUE(SameBits(matrices({0, 0, 0, -1}), {-1, 0, -0.0, 0, -1, 0, 0, -0.0, 1}));
  EXPECT_TRUE(SameBits(matrices({2, 0, 0, 0}), {4, 0, 0, 0, 4, 0, 0, 0, 4}));
  EXPECT_TRUE(SameBits(matrices({0, 2, 0, 0}), {4, 0, 0, 0, -4, 0, 0, 0, -4}));
}

// Scaling q by 2^e scales every element by 2^2e exactly.
TEST(QuaternionsToMatrices, ScaleOfQIsSquaredExactly) {
  std::mt19937_64 random(32);
  const std::vector<double> q = samples::randomUnit(1000, random);
  const std::vector<double> r = matrices(q);
  for (int e : {-200, -3, 1, 7, 300}) {
    std::vector<double> scaled(q), expected(r);
    for (double& c : scaled) c = std::ldexp(c, e);
    for (double& c : expected) c = std::ldexp(c, 2 * e);
    EXPECT_TRUE(SameBits(matrices(scaled), expected)) << "2^" << e;
  }
}

// Each element within 1.0 · 2^-52 of the exact matrix of q as given
// (|q|² times the rotation), the turns of e1, e2, e3 in long double.
TEST(QuaternionsToMatrices, WithinItsBoundOfTheExactMatrix) {
  if (!exact::longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  std::mt19937_64 random(33);
  for (const std::vector<double>& q : {samples::randomUnit(100000, random), samples::nearHalfTurns(100000, random),
                                       samples::nearIdentity(50000, random), samples::axisAligned()}) {
    const std::vector<double> r = matrices(q);
    double worst = 0;
    for (std::size_t k = 0; 4 * k < q.size(); ++k) {
      worst = std::max(worst, exact::matrixError(&r[9 * k], exact::matrix(exact::fromDoubles(&q[4 * k]))));
    }
    EXPECT_LE(worst, 1.0);
  }
}

// R·v (summed left to right) and rotateVector(q, v) agree to 5 · 2^-52 · |v|
// for unit q: both are the rotation, each to its own rounding.
TEST(QuaternionsToMatrices, AgreesWithTheTurnOfRotapply) {
  std::mt19937_64 random(34);
  std::normal_distribution<double> normal;
  for (const std::vector<double>& q : {samples::randomUnit(100000, random), samples::nearHalfTurns(100000, random)}) {
    const std::vector<double> r = matrices(q);
    double worst = 0;
    for (std::size_t k = 0; 4 * k < q.size(); ++k) {
      const double v[3] = {normal(random), normal(random), normal(random)};
      const rotkit::scalar::Vec3 turned = rotkit::scalar::rotateVector(
          rotkit::scalar::Quat{q[4 * k], q[4 * k + 1], q[4 * k + 2], q[4 * k + 3]}, {v[0], v[1], v[2]});
      const double* m = &r[9 * k];
      const double product[3] = {(m[0] * v[0] + m[3] * v[1]) + m[6] * v[2], (m[1] * v[0] + m[4] * v[1]) + m[7] * v[2],
                                 (m[2] * v[0] + m[5] * v[1]) + m[8] * v[2]};
      const double d[3] = {product[0] - turned.x, product[1] - turned.y, product[2] - turned.z};
      const double size = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
      worst = std::max(worst, std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]) / size / 0x1p-52);
    }
    EXPECT_LE(worst, 5.0);
  }
}

} // namespace
