// applyRotations: exact turns, columns kept apart, and the accuracy of the
// turn against the rotation in long double (tests/support/exact_rotation.h).
#include "conversions/rotapply/apply_rotation.h"

#include "support/bits.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"

namespace {

std::vector<double> turnAll(const std::vector<double>& q, const std::vector<double>& v) {
  const auto qCols = static_cast<std::uint32_t>(q.size() / 4), vCols = static_cast<std::uint32_t>(v.size() / 3);
  const std::uint32_t cols = qCols == 1 ? vCols : qCols;
  std::vector<double> out(3 * std::size_t{cols});
  applyRotations(q.data(), qCols, v.data(), vCols, out.data(), cols);
  return out;
}

// Turns whose every product is exact: a third of a turn about (1, 1, 1)
// cycles the axes, a half turn about z negates x and y.
TEST(ApplyRotations, ExactTurns) {
  EXPECT_TRUE(SameBits(turnAll({0.5, 0.5, 0.5, 0.5}, {1, 0, 0, 0, 1, 0, 0, 0, 1}), {0, 1, 0, 0, 0, 1, 1, 0, 0}));
  EXPECT_TRUE(SameBits(turnAll({0, 0, 0, 1}, {1, 2, 3}), {-1, -2, 3}));
  EXPECT_TRUE(SameBits(turnAll({1, 0, 0, 0, 0, 0, 0, 1}, {4, 5, 6}), {4, 5, 6, -4, -5, 6}));
}

// A NaN stays in its own column; the others are exact.
TEST(ApplyRotations, NonFiniteValuesStayInTheirColumns) {
  const std::vector<double> out = turnAll({1, 0, 0, 0, kNaN, 0, 0, 0, 0, 0, 0, 1}, {1, 2, 3, 1, 2, 3, 1, 2, 3});
  EXPECT_TRUE(SameBits({out[0], out[1], out[2]}, {1, 2, 3}));
  for (int i = 3; i < 6; ++i) EXPECT_TRUE(std::isnan(out[i]));
  EXPECT_TRUE(SameBits({out[6], out[7], out[8]}, {-1, -2, 3}));
}

// |v2 − v*| / |v*| in units of 2^-52, v* the rotation by q/|q| in long
// double; the same bound as the help text and docs/accuracy.md.
TEST(ApplyRotations, WithinItsBoundOfTheExactRotation) {
  if (!exact::longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  std::mt19937_64 random(13);
  std::normal_distribution<double> normal;
  for (const std::vector<double>& q : {samples::randomUnit(50000, random), samples::nearHalfTurns(50000, random),
                                       samples::nearIdentity(20000, random), samples::axisAligned()}) {
    std::vector<double> v(q.size() / 4 * 3);
    for (double& x : v) x = normal(random);
    const std::vector<double> out = turnAll(q, v);
    double worst = 0;
    for (std::size_t k = 0; 4 * k < q.size(); ++k) {
      const std::array<exact::Real, 3> turned =
          exact::turn(exact::unit(exact::fromDoubles(&q[4 * k])), {v[3 * k], v[3 * k + 1], v[3 * k + 2]});
      worst = std::max(worst, exact::vectorError(&out[3 * k], turned));
    }
    EXPECT_LE(worst, 4.5);
  }
}

} // namespace
