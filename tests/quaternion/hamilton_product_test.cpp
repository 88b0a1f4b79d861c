// The Hamilton product of quaternion/lanes.h as the scalar path compiles
// it; every vector path's lanes are compared with it in the kernels' tests.
#include "support/bits.h"

#include <random>

#define ROTKIT_LANES_KERNEL "quaternion/lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using Quaternion = rotkit::scalar::Quat;
using rotkit::scalar::hamiltonProduct;

std::vector<double> asVector(const Quaternion& q) { return {q.w, q.x, q.y, q.z}; }

TEST(HamiltonProduct, UnitsMultiplyAsHamiltonDefined) {
  const Quaternion one{1, 0, 0, 0}, i{0, 1, 0, 0}, j{0, 0, 1, 0}, k{0, 0, 0, 1};
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(i, j)), {0, 0, 0, 1}));
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(j, i)), {0, 0, 0, -1}));
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(j, k)), {0, 1, 0, 0}));
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(k, i)), {0, 0, 1, 0}));
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(i, i)), {-1, 0, 0, 0}));
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct(one, k)), {0, 0, 0, 1}));
}

TEST(HamiltonProduct, DoesNotNormalise) {
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct({2, 0, 0, 0}, {3, 0, 0, 0})), {6, 0, 0, 0}));
}

// The sums run left to right in a fixed bracketing; these values make every
// other bracketing round differently, so a reordered term shows up.
TEST(HamiltonProduct, FollowsTheDefinedTermOrder) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  for (int trial = 0; trial < 10000; ++trial) {
    const Quaternion a{value(random), value(random), value(random), value(random)};
    const Quaternion b{value(random), value(random), value(random), value(random)};
    volatile double t[16];
    t[0] = a.w * b.w; t[1] = a.x * b.x; t[2] = a.y * b.y; t[3] = a.z * b.z;
    t[4] = a.w * b.x; t[5] = a.x * b.w; t[6] = a.y * b.z; t[7] = a.z * b.y;
    t[8] = a.w * b.y; t[9] = a.x * b.z; t[10] = a.y * b.w; t[11] = a.z * b.x;
    t[12] = a.w * b.z; t[13] = a.x * b.y; t[14] = a.y * b.x; t[15] = a.z * b.w;
    volatile double s[4];
    s[0] = t[0] - t[1]; s[0] = s[0] - t[2]; s[0] = s[0] - t[3];
    s[1] = t[4] + t[5]; s[1] = s[1] + t[6]; s[1] = s[1] - t[7];
    s[2] = t[8] - t[9]; s[2] = s[2] + t[10]; s[2] = s[2] + t[11];
    s[3] = t[12] + t[13]; s[3] = s[3] - t[14]; s[3] = s[3] + t[15];
    ASSERT_TRUE(SameBits(asVector(hamiltonProduct(a, b)), {s[0], s[1], s[2], s[3]})) << "trial " << trial;
  }
}

TEST(HamiltonProduct, SignedZerosAndNonFiniteValues) {
  // w = ((-0 - 0) - 0) - 0 keeps the sign of its first term; x, y and z meet
  // a +0 term while the sum is -0 and turn +0.
  EXPECT_TRUE(SameBits(asVector(hamiltonProduct({-0.0, 0, 0, 0}, {0, 0, 0, 0})), {-0.0, 0, 0, 0}));
  const Quaternion withNaN = hamiltonProduct({1, kNaN, 0, 0}, {1, 0, 0, 0});
  EXPECT_TRUE(std::isnan(withNaN.w));
  EXPECT_TRUE(std::isnan(withNaN.x));
  const Quaternion withInf = hamiltonProduct({kInf, 0, 0, 0}, {1, 1, 0, 0});
  EXPECT_TRUE(SameBits(asVector(withInf), {kInf, kInf, kNaN, kNaN}));
}

} // namespace
