#include "rotations/rotcompose/compose_columns.h"

#include "support/bits.h"

#include <random>

#define ROTKIT_LANES_KERNEL "quaternion/lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using rotkit::scalar::Quat;

std::vector<double> randomColumns(std::uint32_t cols, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-2, 2);
  std::vector<double> data(4 * static_cast<std::size_t>(cols));
  for (double& v : data) v = value(random);
  return data;
}

// Column k of the result must be the product of the columns the broadcast
// rule names, each present once, none shifted.
void expectBroadcastProducts(std::uint32_t cols1, std::uint32_t cols2) {
  std::mt19937_64 random(cols1 * 100 + cols2);
  const std::vector<double> q1 = randomColumns(cols1, random);
  const std::vector<double> q2 = randomColumns(cols2, random);
  const std::uint32_t cols = cols1 > cols2 ? cols1 : cols2;
  std::vector<double> out(4 * static_cast<std::size_t>(cols), 12345.0);
  composeColumns(q1.data(), cols1, q2.data(), cols2, out.data(), cols);
  std::vector<double> expected;
  for (std::uint32_t k = 0; k < cols; ++k) {
    const Quat a = rotkit::scalar::spreadQuaternion(q1.data() + 4 * (cols1 == 1 ? 0 : k));
    const Quat b = rotkit::scalar::spreadQuaternion(q2.data() + 4 * (cols2 == 1 ? 0 : k));
    const Quat r = rotkit::scalar::hamiltonProduct(a, b);
    expected.insert(expected.end(), {r.w, r.x, r.y, r.z});
  }
  EXPECT_TRUE(SameBits(out, expected)) << cols1 << " x " << cols2;
}

TEST(ComposeColumns, PairsColumnsOneToOne) {
  for (std::uint32_t n : {1u, 2u, 3u, 4u, 5u, 8u, 9u, 17u}) expectBroadcastProducts(n, n);
}

TEST(ComposeColumns, BroadcastsASingleColumnOnEitherSide) {
  for (std::uint32_t n : {2u, 5u, 9u}) {
    expectBroadcastProducts(1, n);
    expectBroadcastProducts(n, 1);
  }
}

TEST(ComposeColumns, LeftIdentityReturnsTheRightFactor) {
  const std::vector<double> identity = {1, 0, 0, 0};
  const std::vector<double> q2 = {0.5, -0.25, 3, -0.0, 7, 8, -9, 1e-300};
  std::vector<double> out(8);
  composeColumns(identity.data(), 1, q2.data(), 2, out.data(), 2);
  for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], q2[i]) << i;
}

TEST(ComposeColumns, NaNStaysInItsOwnColumn) {
  std::vector<double> q1 = {1, 0, 0, 0, 1, kNaN, 0, 0, 0, 1, 0, 0};
  std::vector<double> q2 = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
  std::vector<double> out(12);
  composeColumns(q1.data(), 3, q2.data(), 3, out.data(), 3);
  EXPECT_TRUE(SameBits({out[0], out[1], out[2], out[3]}, {1, 0, 0, 0}));
  for (int i = 4; i < 8; ++i) EXPECT_TRUE(std::isnan(out[i])) << i;
  EXPECT_TRUE(SameBits({out[8], out[9], out[10], out[11]}, {0, 0, 0, 1}));
}

} // namespace
