// The rotblend kernel: the formulas term by term (bit for bit, with the
// kernel's own sine and arc tangent of lanemath/ and IEEE's sqrt), known
// points and properties of the arc (a few ulps, since sin and atan2
// enter), the branch threshold, the flip, and the prepared per-call form.
#include "rotations/rotblend/interpolate_rotation.h"

#include "support/bits.h"

#include <array>
#include <cmath>
#include <random>
#include <utility>

// The sine and arc tangent as the scalar path compiles them.
#define ROTKIT_LANES_KERNEL "quaternion/slerp_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using rotkit::scalar::arcTangent2;
using rotkit::scalar::sine;

using Q = std::array<double, 4>;

std::vector<double> asVector(const Quaternion& q) { return {q.w, q.x, q.y, q.z}; }
Quaternion quat(const Q& a) { return Quaternion{a[0], a[1], a[2], a[3]}; }

// The interpolation written out from its definition, component-indexed.
std::vector<double> byTheFormula(const Q& q1, const Q& q2, double t) {
  double d = 0;
  d = q1[0] * q2[0] + q1[1] * q2[1];
  d = d + q1[2] * q2[2];
  d = d + q1[3] * q2[3];
  Q p = q2;
  if (d < 0) {
    for (double& v : p) v = -v;
    d = -d;
  }
  std::vector<double> out(4);
  if (std::fabs(d) < 0.999) {
    const double s = std::sqrt(1 - d * d);
    const double theta = arcTangent2(s, d);
    const double r = 1 / s;
    const double w1 = sine((1 - t) * theta) * r;
    const double w2 = sine(theta * t) * r;
    for (int k = 0; k < 4; ++k) out[k] = q1[k] * w1 + p[k] * w2;
  } else {
    Q c;
    for (int k = 0; k < 4; ++k) c[k] = (1 - t) * q1[k] + t * p[k];
    const double n = std::sqrt(((c[0] * c[0] + c[1] * c[1]) + c[2] * c[2]) + c[3] * c[3]);
    const double r = 1 / n;
    for (int k = 0; k < 4; ++k) out[k] = c[k] * r;
  }
  return out;
}

std::vector<double> blend(const Q& q1, const Q& q2, double t) {
  return asVector(interpolateRotation(quat(q1), quat(q2), t));
}

::testing::AssertionResult WithinUlps(const std::vector<double>& actual, const std::vector<double>& expected,
                                      std::uint64_t ulps) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (!std::isfinite(actual[i]) || ulpDistance(actual[i], expected[i]) > ulps) {
      return ::testing::AssertionFailure() << "element " << i << " is " << describe(actual[i]) << ", expected "
                                           << describe(expected[i]);
    }
  }
  return ::testing::AssertionSuccess();
}

bool allNaN(const std::vector<double>& v) {
  for (double x : v) {
    if (!std::isnan(x)) return false;
  }
  return true;
}

double dot(const std::vector<double>& a, const Q& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3]; }

// Random pairs over both branches and both signs of d, of other than unit
// length, with parameters well outside [0, 1], and the special values.
struct Sample {
  Q q1, q2;
  double t;
};

std::vector<Sample> samples() {
  std::mt19937_64 random(4);
  std::uniform_real_distribution<double> value(-2, 2);
  std::uniform_real_distribution<double> noise(-1e-3, 1e-3);
  const double specials[] = {0.0, -0.0, 1.0, -1.0, 0.5, kNaN, kInf, -kInf, 1e-300, 1e300};
  std::vector<Sample> out;
  // Groups of eight parameters per pair: the threshold and just below it,
  // d = -0, q1 = q2 and q1 = -q2.
  const std::pair<Q, Q> edges[] = {{{1, 0, 0, 0}, {0.999, 5, 0, 0}},
                                   {{1, 0, 0, 0}, {std::nextafter(0.999, 0.0), 5, 0, 0}},
                                   {{1, -0.0, -0.0, -0.0}, {-0.0, 5, 5, 5}},
                                   {{0.5, -0.5, 0.5, 0.5}, {0.5, -0.5, 0.5, 0.5}},
                                   {{0.5, -0.5, 0.5, 0.5}, {-0.5, 0.5, -0.5, -0.5}}};
  for (const auto& edge : edges) {
    for (double t : {0.0, -0.0, 1.0, 0.5, -2.0, 3.0, kNaN, kInf}) out.push_back({edge.first, edge.second, t});
  }
  for (int i = 0; i < 4000; ++i) {
    Sample s;
    for (double& v : s.q1) v = value(random);
    const double sign = i % 2 ? 1 : -1;
    for (int k = 0; k < 4; ++k) s.q2[k] = i % 3 ? value(random) : sign * s.q1[k] + noise(random);
    s.t = i % 5 ? value(random) * 2 : specials[i % 10];
    if (i % 97 == 0) s.q1[i % 4] = specials[(i / 97) % 10];
    out.push_back(s);
  }
  return out;
}

TEST(InterpolateRotation, FollowsTheFormulasBitForBit) {
  int linear = 0;
  for (const Sample& s : samples()) {
    EXPECT_TRUE(SameBits(blend(s.q1, s.q2, s.t), byTheFormula(s.q1, s.q2, s.t))) << s.t;
    linear += std::fabs(s.q1[0] * s.q2[0] + s.q1[1] * s.q2[1] + s.q1[2] * s.q2[2] + s.q1[3] * s.q2[3]) >= 0.999;
  }
  EXPECT_GT(linear, 500);  // both branches are covered
}

TEST(InterpolateRotation, PointsOnTheQuarterCircle) {
  const Q one = {1, 0, 0, 0};
  const Q i = {0, 1, 0, 0};
  const double half = std::sqrt(0.5);
  EXPECT_TRUE(WithinUlps(blend(one, i, 0.5), {half, half, 0, 0}, 2));
  // On along the same circle; the zero component is the sine of pi in
  // double, about 1.2e-16.
  const std::vector<double> back = blend(one, i, -1);
  EXPECT_TRUE(WithinUlps({0, back[1], back[2], back[3]}, {0, -1, 0, 0}, 2));
  EXPECT_LT(std::fabs(back[0]), 1e-15);
  const std::vector<double> twice = blend(one, i, 2);
  EXPECT_TRUE(WithinUlps({twice[0], 0, twice[2], twice[3]}, {-1, 0, 0, 0}, 2));
  EXPECT_LT(std::fabs(twice[1]), 1e-15);
  // At t = 0 the second weight is exactly zero; at t = 1 the first.
  const std::vector<double> start = blend(one, i, 0);
  EXPECT_TRUE(SameBits({start[1], start[2], start[3]}, {0, 0, 0}));
  const std::vector<double> end = blend(one, i, 1);
  EXPECT_TRUE(SameBits({end[0], end[2], end[3]}, {0, 0, 0}));
}

// For unit end rotations the path has unit length and constant angular
// speed: the angle to q1 grows as t·θ and the angle to p shrinks to zero.
TEST(InterpolateRotation, UnitPathAtConstantSpeed) {
  std::mt19937_64 random(11);
  std::normal_distribution<double> normal;
  for (int trial = 0; trial < 500; ++trial) {
    Q q1, q2;
    for (double& v : q1) v = normal(random);
    for (double& v : q2) v = normal(random);
    const double n1 = std::sqrt(dot(std::vector<double>(q1.begin(), q1.end()), q1));
    const double n2 = std::sqrt(dot(std::vector<double>(q2.begin(), q2.end()), q2));
    for (int k = 0; k < 4; ++k) {
      q1[k] /= n1;
      q2[k] /= n2;
    }
    double d = dot(std::vector<double>(q1.begin(), q1.end()), q2);
    Q p = q2;
    if (d < 0) {
      for (double& v : p) v = -v;
      d = -d;
    }
    if (d >= 0.999) continue;
    const double theta = std::acos(d);
    for (double t : {-0.5, 0.0, 0.25, 0.5, 0.9, 1.0, 1.5}) {
      const std::vector<double> r = blend(q1, q2, t);
      EXPECT_NEAR(dot(r, {r[0], r[1], r[2], r[3]}), 1, 1e-14);
      EXPECT_NEAR(dot(r, q1), std::cos(t * theta), 1e-12) << t;
      EXPECT_NEAR(dot(r, p), std::cos((1 - t) * theta), 1e-12) << t;
    }
  }
}

TEST(InterpolateRotation, TakesTheShorterArcOnlyForANegativeDot) {
  const Q one = {1, 0, 0, 0};
  const Q far = {-0.5, std::sqrt(0.75), 0, 0};  // d = -0.5: blend towards -far
  EXPECT_TRUE(WithinUlps(blend(one, far, 0.5), {std::sqrt(0.75), -0.5, 0, 0}, 4));
  EXPECT_TRUE(WithinUlps(blend(one, far, 1), {0.5, -std::sqrt(0.75), 0, 0}, 4));
  // d = -0 is not negative: q2 stays as it is.
  const Q negZeros = {1, -0.0, -0.0, -0.0};
  const Q q2 = {-0.0, 5, 5, 5};
  const std::vector<double> end = blend(negZeros, q2, 1);
  EXPECT_GT(end[1], 4.9);
  // q1 = q2 and q1 = -q2: the linear branch, q1 whatever t.
  const Q unit = {0.5, -0.5, 0.5, 0.5};
  const Q opposite = {-0.5, 0.5, -0.5, -0.5};
  for (double t : {-3.0, 0.0, 0.3, 1.0, 7.0}) {
    EXPECT_TRUE(WithinUlps(blend(unit, unit, t), {0.5, -0.5, 0.5, 0.5}, 2)) << t;
    EXPECT_TRUE(WithinUlps(blend(unit, opposite, t), {0.5, -0.5, 0.5, 0.5}, 2)) << t;
  }
}

// With q1 = (1, 0, 0, 0), d is q2's w exactly; a large x tells the branches
// apart: only the linear one normalises.
TEST(InterpolateRotation, BranchesAtExactly0999) {
  const Q one = {1, 0, 0, 0};
  const Q atThreshold = {0.999, 5, 0, 0};
  const Q justBelow = {std::nextafter(0.999, 0.0), 5, 0, 0};
  const std::vector<double> linear = blend(one, atThreshold, 0.5);
  EXPECT_NEAR(dot(linear, {linear[0], linear[1], linear[2], linear[3]}), 1, 1e-15);
  const std::vector<double> spherical = blend(one, justBelow, 0.5);  // about (1, 5) / 2
  EXPECT_GT(spherical[1], 2.4);
  EXPECT_LT(linear[1], 0.95);
  // And a NaN d takes the linear branch too: every component NaN.
  EXPECT_TRUE(allNaN(blend(one, {kNaN, 0, 0, 0}, 0.5)));
}

TEST(InterpolateRotation, NonUnitEndRotations) {
  // Spherical: the weighted sum as it comes, here of length 2.
  const double root2 = std::sqrt(2.0);
  EXPECT_TRUE(WithinUlps(blend({2, 0, 0, 0}, {0, 2, 0, 0}, 0.5), {root2, root2, 0, 0}, 4));
  // Linear: unit length, unless the blend is zero (t = -0.5 here): NaN.
  EXPECT_TRUE(WithinUlps(blend({2, 0, 0, 0}, {3, 0, 0, 0}, 0.25), {1, 0, 0, 0}, 1));
  EXPECT_TRUE(allNaN(blend({1, 0, 0, 0}, {3, 0, 0, 0}, -0.5)));
}

TEST(InterpolateRotation, NonFiniteParameters) {
  const Q one = {1, 0, 0, 0};
  for (double t : {kNaN, kInf, -kInf}) EXPECT_TRUE(allNaN(blend(one, {0, 1, 0, 0}, t))) << t;
  EXPECT_TRUE(allNaN(blend(one, one, kNaN)));
  EXPECT_TRUE(allNaN(blend({kNaN, 0, 0, 0}, one, 0)));
}

// The per-call form must be the per-parameter kernel to the last bit, over
// the same samples; a count of 0 writes nothing.
TEST(RotationBlend, PreparedFormEqualsThePerParameterKernel) {
  const std::vector<Sample> all = samples();
  for (std::size_t start = 0; start < all.size(); start += 8) {
    const Sample& s = all[start];
    std::vector<double> ts;
    for (std::size_t i = start; i < start + 8 && i < all.size(); ++i) ts.push_back(all[i].t);
    std::vector<double> out(4 * ts.size() + 1, 12345.0);
    interpolateRotations(s.q1.data(), s.q2.data(), ts.data(), static_cast<std::uint32_t>(ts.size()), out.data());
    std::vector<double> expected;
    for (double t : ts) {
      const std::vector<double> one = blend(s.q1, s.q2, t);
      expected.insert(expected.end(), one.begin(), one.end());
    }
    expected.push_back(12345.0);
    EXPECT_TRUE(SameBits(out, expected)) << start;
  }
  double untouched = 7;
  interpolateRotations(all[0].q1.data(), all[0].q2.data(), nullptr, 0, &untouched);
  EXPECT_EQ(untouched, 7);
}

} // namespace
