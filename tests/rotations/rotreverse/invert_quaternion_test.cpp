// invertQuaternion and invertColumns, bit for bit: signs of zero, the order
// of the squared norm, one division per component, IEEE trouble in place.
#include "rotations/rotreverse/invert_quaternion.h"

#include "support/bits.h"

#include <cmath>
#include <random>

// The formula itself, as the scalar path compiles it.
#define ROTKIT_LANES_KERNEL "rotations/rotreverse/invert_columns_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using rotkit::scalar::hamiltonProduct;
using rotkit::scalar::invertQuaternion;
using Quaternion = rotkit::scalar::Quat;

std::vector<double> inverseOf(double w, double x, double y, double z) {
  const Quaternion r = invertQuaternion(Quaternion{w, x, y, z});
  return {r.w, r.x, r.y, r.z};
}

TEST(InvertQuaternion, SignsOfZeroAndExactCases) {
  EXPECT_TRUE(SameBits(inverseOf(1, 0, 0, 0), {1, -0.0, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(-1, -0.0, 0, -0.0), {-1, 0, -0.0, 0}));
  EXPECT_TRUE(SameBits(inverseOf(0.5, 0.5, 0.5, 0.5), {0.5, -0.5, -0.5, -0.5}));
  EXPECT_TRUE(SameBits(inverseOf(0, 1, 0, 0), {0, -1, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(-0.0, 0, -1, 0), {-0.0, -0.0, 1, -0.0}));
  // Inverted, not normalised.
  EXPECT_TRUE(SameBits(inverseOf(2, 0, 0, 0), {0.5, -0.0, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(0, 0, 0, -4), {0, -0.0, -0.0, 0.25}));
}

// Squares of 2^-27 are a quarter ulp of 1 and vanish when added to 1 one
// at a time; two or three of them summed first do not. With z large,
// s = 1 + 2^-52 only when z·z comes last; with y large and z zero, only
// when y·y comes third. Together they pin x·x + w·w, + y·y, + z·z.
TEST(InvertQuaternion, SquaredNormIsSummedInItsOrder) {
  const double t = std::ldexp(1.0, -27);
  const double s = 1 + std::ldexp(1.0, -52);
  EXPECT_TRUE(SameBits(inverseOf(t, t, t, 1), {t / s, -(t / s), -(t / s), -(1 / s)}));
  EXPECT_TRUE(SameBits(inverseOf(t, 1.25 * t, 1, 0), {t / s, -(1.25 * t / s), -(1 / s), -0.0}));
}

// x / s and x · (1 / s) differ in the last bit for these; s = 10.
TEST(InvertQuaternion, EachComponentIsItsOwnDivision) {
  const double third = 3.0 / 10.0;
  const double tenth = 1.0 / 10.0;
  EXPECT_TRUE(SameBits(inverseOf(3, 1, 0, 0), {third, -tenth, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(1, 3, 0, 0), {tenth, -third, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(1, 0, 3, 0), {tenth, -0.0, -third, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(1, 0, 0, 3), {tenth, -0.0, -0.0, -third}));
}

TEST(InvertQuaternion, IeeeResultsWithoutGuards) {
  EXPECT_TRUE(SameBits(inverseOf(0, 0, 0, 0), {kNaN, kNaN, kNaN, kNaN}));
  EXPECT_TRUE(SameBits(inverseOf(1e-170, 0, 0, 0), {kInf, kNaN, kNaN, kNaN}));      // s underflows to 0
  EXPECT_TRUE(SameBits(inverseOf(1e200, 1, 0, 0), {0, -0.0, -0.0, -0.0}));          // s overflows
  EXPECT_TRUE(SameBits(inverseOf(kInf, 0, 0, 0), {kNaN, -0.0, -0.0, -0.0}));
  EXPECT_TRUE(SameBits(inverseOf(0, 0, -kInf, 0), {0, -0.0, kNaN, -0.0}));
  for (int i = 0; i < 4; ++i) {
    double q[4] = {0.5, -0.5, 0.5, 2};
    q[i] = kNaN;
    EXPECT_TRUE(SameBits(inverseOf(q[0], q[1], q[2], q[3]), {kNaN, kNaN, kNaN, kNaN})) << i;
  }
}

// q ⊗ q⁻¹ is the identity to rounding, whatever the length of q; scaling q
// by a power of two scales the inverse exactly by its reciprocal.
TEST(InvertQuaternion, IsTheMultiplicativeInverse) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> value(-3, 3);
  for (int trial = 0; trial < 2000; ++trial) {
    const Quaternion q{value(random), value(random), value(random), value(random)};
    const Quaternion p = hamiltonProduct(q, invertQuaternion(q));
    EXPECT_NEAR(p.w, 1, 1e-14);
    EXPECT_NEAR(p.x, 0, 1e-14);
    EXPECT_NEAR(p.y, 0, 1e-14);
    EXPECT_NEAR(p.z, 0, 1e-14);
    const Quaternion r = invertQuaternion(q);
    EXPECT_TRUE(SameBits(inverseOf(8 * q.w, 8 * q.x, 8 * q.y, 8 * q.z), {r.w / 8, r.x / 8, r.y / 8, r.z / 8}));
  }
}

// Each group goes to its own column, in order, and nothing is written past
// 4·count; a zero group leaves its neighbours alone.
TEST(InvertColumns, InvertsEveryGroupInPlaceOfItsColumn) {
  const std::vector<double> in = {2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 99, 99, 99, 99};
  std::vector<double> out(16, 12345.0);
  invertColumns(in.data(), out.data(), 3);
  EXPECT_TRUE(SameBits(out, {0.5, -0.0, -0.0, -0.0, kNaN, kNaN, kNaN, kNaN, 0, -1, -0.0, -0.0, 12345.0, 12345.0,
                             12345.0, 12345.0}));
  invertColumns(in.data(), out.data(), 0);
  EXPECT_EQ(out[0], 0.5);
}

} // namespace
