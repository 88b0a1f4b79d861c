// The vector paths of rotblend's columns against the scalar path, bit for
// bit: both branches, with and without the flip, random and special
// parameters, end rotations of other than unit length, every length up to a
// few vector widths, and data that is not aligned to the vector width.
#include "rotations/rotblend/interpolate_rotation.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace {

using Path = NamedPath<InterpolateRotations>;

std::vector<Path> vectorPaths() { return runnablePaths(interpolateRotationsPaths(), interpolateRotations); }

using Ends = std::pair<Quaternion, Quaternion>;

// The linear branch, as the scalar formula takes it for these ends.
bool takesTheLinearBranch(const Ends& ends) {
  const Quaternion& a = ends.first;
  const Quaternion& b = ends.second;
  const double d = ((a.w * b.w + a.x * b.x) + a.y * b.y) + a.z * b.z;
  return !(std::fabs(d) < 0.999);
}

// End rotations that take each branch, with and without the flip; non-unit
// ones; ones whose blend is zero at t = 0.5; and a NaN.
std::vector<Ends> endRotations() {
  const double c = std::sqrt(1 - 0.999 * 0.999);
  return {
      {{1, 0, 0, 0}, {0, 1, 0, 0}},                   // d = 0: spherical
      {{1, 0, 0, 0}, {-0.5, std::sqrt(0.75), 0, 0}},  // d < 0: flip, spherical
      {{0.5, 0.5, 0.5, 0.5}, {0.5, 0.5, -0.5, 0.5}},  // spherical, every component
      {{1, 0, 0, 0}, {0.999, c, 0, 0}},               // d = 0.999: linear
      {{0.6, 0.8, 0, 0}, {0.6, 0.8, 0, 0}},           // q1 = q2: linear
      {{0.6, 0.8, 0, 0}, {-0.6, -0.8, -0.0, 0}},      // q1 = -q2: flip, linear
      {{2, 0, 0, 1}, {0.5, 0.25, 0, 3}},              // non-unit, spherical
      {{1, 0, 0, 0}, {-1, 0, 0, 0}},                  // flip to q1: linear
      {{1, 2, 0, 0}, {-1, -2, 0, 0}},                 // non-unit flip, linear
      {{0.5, 0.5, 0.5, 0.5}, {0.52, 0.48, 0.51, 0.49}},     // linear, every component
      {{0.1, 0.7, -0.3, 0.6}, {-0.19, -1.4, 0.6, -1.21}},   // non-unit flip, linear, every component
      {{1, 0, 0, 0}, {1, kNaN, 0, 0}},                // NaN dot: linear, all NaN
  };
}

const std::vector<double> kSpecialParameters = {0.0,   -0.0,     1.0,          0.5,   -1.0,    2.0,      kInf,
                                                -kInf, kNaN,     DBL_TRUE_MIN, 1e-300, 1e300, -1e300, DBL_MAX,
                                                1e22,  -5e-324};

std::vector<double> parameters(std::size_t count, double specialShare, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-2, 3);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecialParameters.size() - 1);
  std::vector<double> t(count);
  for (double& v : t) v = unit(random) < specialShare ? kSpecialParameters[pick(random)] : value(random);
  return t;
}

// Runs `path` and the scalar path on the same blend and parameters, the
// path's buffers shifted by `shift` doubles off their allocation.
void expectSameAsScalar(const Path& path, const Ends& ends, const std::vector<double>& t, std::size_t shift) {
  const auto count = static_cast<std::uint32_t>(t.size());
  const double q[8] = {ends.first.w, ends.first.x, ends.first.y, ends.first.z,
                       ends.second.w, ends.second.x, ends.second.y, ends.second.z};
  std::vector<double> expected(4 * t.size());
  scalarPath(interpolateRotationsPaths())(q, q + 4, t.data(), count, expected.data());

  // Exactly sized, so that the sanitizers see any access past an end.
  std::vector<double> in(shift + t.size()), out(shift + expected.size(), 777.0);
  std::copy(t.begin(), t.end(), in.begin() + static_cast<std::ptrdiff_t>(shift));
  path.function(q, q + 4, in.data() + shift, count, out.data() + shift);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << (takesTheLinearBranch(ends) ? "linear" : "spherical") << ", " << count
      << " parameters, shift " << shift;
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0) << path.name << ": wrote before the output";
}

TEST(BlendColumnsVectorPaths, MatchScalarForEveryBranchLengthAndAlignment) {
  std::mt19937_64 random(4);
  for (const Path& path : vectorPaths()) {
    for (const auto& ends : endRotations()) {
      for (std::size_t n = 0; n <= 19; ++n) {
        for (std::size_t shift : {0, 1, 3}) expectSameAsScalar(path, ends, parameters(n, 0.2, random), shift);
      }
      expectSameAsScalar(path, ends, parameters(1001, 0.0, random), 1);
      expectSameAsScalar(path, ends, parameters(1001, 0.5, random), 2);
    }
  }
}

TEST(BlendColumnsVectorPaths, ZeroBlendGivesNaNColumnsInEveryLane) {
  // With q2 = 3·q1 the blend (1 − t)·q1 + t·q2 vanishes at t = −0.5: r = +∞
  // and the column is NaN. The zero parameter goes into each lane in turn.
  const Ends ends{{1, 0, 0, 0}, {3, 0, 0, 0}};
  ASSERT_TRUE(takesTheLinearBranch(ends));
  for (const Path& path : vectorPaths()) {
    for (std::size_t lane = 0; lane < 8; ++lane) {
      std::vector<double> t = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0};
      t[lane] = -0.5;
      expectSameAsScalar(path, ends, t, 0);
    }
  }
}

TEST(BlendColumnsVectorPaths, DispatchMatchesThePerParameterKernel) {
  std::mt19937_64 random(44);
  for (const auto& ends : endRotations()) {
    const std::vector<double> t = parameters(37, 0.3, random);
    std::vector<double> out(4 * t.size());
    const double q[8] = {ends.first.w, ends.first.x, ends.first.y, ends.first.z,
                         ends.second.w, ends.second.x, ends.second.y, ends.second.z};
    interpolateRotations(q, q + 4, t.data(), static_cast<std::uint32_t>(t.size()), out.data());
    std::vector<double> expected;
    for (double ti : t) {
      const Quaternion r = interpolateRotation(ends.first, ends.second, ti);
      expected.insert(expected.end(), {r.w, r.x, r.y, r.z});
    }
    EXPECT_TRUE(SameBits(out, expected));
  }
}

} // namespace
