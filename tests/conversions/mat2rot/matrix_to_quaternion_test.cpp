// matricesToQuaternions: exact quaternions, the canonical sign, positive
// zeros, matrices that are not rotations, and the accuracy against the
// quaternion of the nearest rotation in long double.
#include "conversions/mat2rot/matrix_to_quaternion.h"

#include "support/bits.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"

#include <cmath>

namespace {

std::vector<double> quaternions(const std::vector<double>& r) {
  std::vector<double> q(r.size() / 9 * 4);
  matricesToQuaternions(r.data(), q.data(), static_cast<std::uint32_t>(r.size() / 9));
  return q;
}

TEST(MatricesToQuaternions, ExactQuaternionsColumnMajor) {
  EXPECT_TRUE(SameBits(quaternions({1, 0, 0, 0, 1, 0, 0, 0, 1}), {1, 0, 0, 0}));
  // A third of a turn about (1, 1, 1), and half turns about z and y.
  EXPECT_TRUE(SameBits(quaternions({0, 1, 0, 0, 0, 1, 1, 0, 0}), {0.5, 0.5, 0.5, 0.5}));
  EXPECT_TRUE(SameBits(quaternions({-1, 0, 0, 0, -1, 0, 0, 0, 1}), {0, 0, 0, 1}));
  EXPECT_TRUE(SameBits(quaternions({-1, 0, 0, 0, 1, 0, 0, 0, -1}), {0, 0, 1, 0}));
  // A quarter turn about z: sqrt(0.5) in w and z, rounded once.
  EXPECT_TRUE(SameBits(quaternions({0, 1, 0, -1, 0, 0, 0, 0, 1}), {std::sqrt(0.5), 0, 0, std::sqrt(0.5)}));
}

// w >= 0; at w = 0 the first nonzero component is positive; no −0 anywhere,
// whatever the signs of zero in R. So q and −q meet in one result.
TEST(MatricesToQuaternions, CanonicalSignAndPositiveZeros) {
  std::mt19937_64 random(43);
  std::vector<double> q = samples::axisAligned();
  const std::vector<double> half = samples::nearHalfTurns(4000, random);  // one in eight exactly half turns
  q.insert(q.end(), half.begin(), half.end());
  std::vector<double> r = samples::roundedMatrices(q);
  std::bernoulli_distribution flip(0.5);
  for (double& e : r) e = (e == 0 && flip(random)) ? -0.0 : e;
  const std::vector<double> out = quaternions(r);
  for (std::size_t k = 0; 4 * k < out.size(); ++k) {
    const double* c = &out[4 * k];
    int first = 0;
    while (first < 3 && c[first] == 0) ++first;
    EXPECT_GT(c[first], 0) << "column " << k;
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(c[i] == 0 && std::signbit(c[i])) << "column " << k << ": -0";
  }
}

TEST(MatricesToQuaternions, MatricesThatAreNotRotations) {
  // Unit quaternions all the same, without overflow for huge elements.
  EXPECT_TRUE(SameBits(quaternions({0, 0, 0, 0, 0, 0, 0, 0, 0}), {1, 0, 0, 0}));
  EXPECT_TRUE(SameBits(quaternions({1e300, 0, 0, 0, 1e300, 0, 0, 0, 1e300}), {1, 0, 0, 0}));
  EXPECT_TRUE(SameBits(quaternions({-1e300, 0, 0, 0, -1e300, 0, 0, 0, 1e300}), {0, 0, 0, 1}));
  // A NaN anywhere reaches every component, and so does an Inf.
  for (int i = 0; i < 9; ++i) {
    std::vector<double> r = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    r[i] = kNaN;
    EXPECT_TRUE(SameBits(quaternions(r), {kNaN, kNaN, kNaN, kNaN})) << "NaN at " << i;
    r[i] = -kInf;
    EXPECT_TRUE(SameBits(quaternions(r), {kNaN, kNaN, kNaN, kNaN})) << "-Inf at " << i;
  }
}

double worstError(const std::vector<double>& r) {
  const std::vector<double> q = quaternions(r);
  double worst = 0;
  for (std::size_t k = 0; 4 * k < q.size(); ++k) {
    worst = std::max(worst, exact::quaternionError(&q[4 * k], exact::nearestRotation(&r[9 * k])));
  }
  return worst;
}

// Against the quaternion of the nearest rotation (the dominant eigenvector
// of the matrix's 4 x 4 form, in long double): within 1.05 · 2^-52 for
// rotations rounded to doubles, half turns included.
TEST(MatricesToQuaternions, WithinItsBoundOfTheNearestRotation) {
  if (!exact::longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  std::mt19937_64 random(44);
  for (const std::vector<double>& q : {samples::randomUnit(50000, random), samples::nearHalfTurns(50000, random),
                                       samples::nearIdentity(50000, random), samples::axisAligned()}) {
    EXPECT_LE(worstError(samples::roundedMatrices(q)), 1.05);
  }
}

} // namespace
