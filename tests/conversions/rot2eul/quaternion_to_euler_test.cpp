// rot2eul's kernel, judged by rotations: for every convention the angles it
// gives must turn, through the exact eul2rot (__float128 products of turns,
// tests/support/exact_rotations.h), into the rotation of the quaternion,
// at the poles, 1e-9 off them, for random and for non-unit quaternions;
// off the poles each angle must also be close to the exact angle. Then the
// ranges, the lock flags, and every vector path against the scalar one.
#include "conversions/rot2eul/quaternion_to_euler.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/conventions.h"
#include "support/exact_rotations.h"
#include "support/paths.h"

#include <cfloat>
#include <cmath>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;

struct Conversion {
  std::vector<double> angles;
  std::vector<std::uint8_t> locked;
};

Conversion convert(const std::vector<double>& q, const std::string& seq) {
  const auto count = static_cast<std::uint32_t>(q.size() / 4);
  Conversion c{std::vector<double>(3 * count), std::vector<std::uint8_t>(count, 7)};
  quaternionsToEuler(q.data(), c.angles.data(), c.locked.data(), count, axesOf(seq));
  return c;
}

// Quaternions of angles whose middle one is `middle` (in 113 bits), rounded
// to doubles: at a pole, they carry that pole's rounding.
std::vector<double> quaternionsWithMiddle(const std::string& seq, Quad middle, std::size_t count, std::mt19937_64& random) {
  std::uniform_real_distribution<double> angle(-kPi, kPi);
  std::vector<double> q;
  for (std::size_t k = 0; k < count; ++k) {
    const std::array<double, 4> r = roundedQuaternion(exactEuler({quadOf(angle(random)), middle, quadOf(angle(random))}, seq));
    q.insert(q.end(), r.begin(), r.end());
  }
  return q;
}

std::vector<double> randomQuaternions(std::size_t count, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::vector<double> q(4 * count);
  for (double& v : q) v = normal(random);
  return q;
}

// The worst angle (units of 2^-52 rad) between the rotation of each column
// of q and that of its angles.
double worstRotationError(const std::vector<double>& q, const Conversion& c, const std::string& seq) {
  double worst = 0;
  for (std::size_t k = 0; k < c.locked.size(); ++k) {
    const Quad angle = rotationAngleBetween(quadQuaternion(&q[4 * k]), exactEuler(&c.angles[3 * k], seq));
    worst = std::max(worst, static_cast<double>(angle * 0x1p52));
  }
  return worst;
}

// The poles of the middle angle: ±π/2 for Tait-Bryan sequences, 0 and π
// for proper Euler ones.
std::vector<Quad> polesOf(const std::string& seq) {
  const Quad halfPi = 2 * atan2Q(1, 1);
  if (isProper(seq)) return {0, 2 * halfPi};
  return {-halfPi, halfPi};
}

TEST(QuaternionsToEuler, AtThePolesTheAnglesGiveTheRotationAndAreLocked) {
  std::mt19937_64 random(51);
  for (const std::string& seq : allConventions()) {
    for (Quad pole : polesOf(seq)) {
      const std::vector<double> q = quaternionsWithMiddle(seq, pole, 400, random);
      const Conversion c = convert(q, seq);
      EXPECT_LT(worstRotationError(q, c, seq), 4.5) << seq;
      for (std::size_t k = 0; k < c.locked.size(); ++k) {
        ASSERT_EQ(c.locked[k], 1) << seq << " column " << k;
        // The third angle is 0 (+0) and the first carries the turn.
        ASSERT_EQ(bitsOf(c.angles[3 * k + 2]), bitsOf(0.0)) << seq;
      }
    }
  }
}

// 1e-9 rad from a pole the three angles are kept, and the rotation is as
// good as anywhere (a tolerance like 1e-7 would make it 1e-9 rad wrong).
TEST(QuaternionsToEuler, JustOffThePolesTheAnglesGiveTheRotationUnlocked) {
  std::mt19937_64 random(52);
  for (const std::string& seq : allConventions()) {
    for (Quad pole : polesOf(seq)) {
      const Quad inside = pole > 0 ? pole - quadOf(1e-9) : pole + quadOf(1e-9);
      const std::vector<double> q = quaternionsWithMiddle(seq, inside, 400, random);
      const Conversion c = convert(q, seq);
      EXPECT_LT(worstRotationError(q, c, seq), 3.5) << seq;
      for (std::uint8_t flag : c.locked) ASSERT_EQ(flag, 0) << seq;
    }
  }
}

TEST(QuaternionsToEuler, RandomAndNonUnitQuaternionsGiveTheirRotationsWithinRange) {
  std::mt19937_64 random(53);
  for (const std::string& seq : allConventions()) {
    std::vector<double> q = randomQuaternions(2000, random);
    // Lengths far from 1: a common factor changes nothing.
    const double scales[] = {1e-300, 1e-20, 7.0, 1e300, 0x1p-1000, 0x1p1000};
    for (std::size_t k = 0; k < 600; ++k) {
      for (int r = 0; r < 4; ++r) q[4 * k + r] *= scales[k % 6];
    }
    const Conversion c = convert(q, seq);
    EXPECT_LT(worstRotationError(q, c, seq), 3.5) << seq;
    const double middleLow = isProper(seq) ? 0 : -kPi / 2;
    const double middleHigh = isProper(seq) ? kPi : kPi / 2;
    for (std::size_t k = 0; k < c.locked.size(); ++k) {
      const double* a = &c.angles[3 * k];
      ASSERT_TRUE(a[0] >= -kPi && a[0] <= kPi && a[2] >= -kPi && a[2] <= kPi) << seq;
      ASSERT_TRUE(a[1] >= middleLow && a[1] <= middleHigh) << seq << " " << a[1];
      ASSERT_EQ(c.locked[k], 0) << seq;
    }
  }
}

// Off the poles (the middle angle at least 0.01 from them) each angle lies
// within 3 units of 2^-52 rad (a measured 2.04) of the exact angle of the quaternion's
// rotation, found by Newton's method in 113 bits.
TEST(QuaternionsToEuler, OffThePolesEachAngleIsCloseToTheExactAngle) {
  std::mt19937_64 random(54);
  const Quad twoPi = 8 * atan2Q(1, 1);
  for (const std::string& seq : allConventions()) {
    const std::vector<double> q = randomQuaternions(300, random);
    const Conversion c = convert(q, seq);
    double worst = 0;
    for (std::size_t k = 0; k < c.locked.size(); ++k) {
      const double* a = &c.angles[3 * k];
      const double fromPole = isProper(seq) ? std::min(a[1], kPi - a[1]) : kPi / 2 - std::fabs(a[1]);
      if (fromPole < 0.01) continue;
      const std::array<Quad, 3> exact = exactEulerNear(&q[4 * k], seq, a);
      for (int n = 0; n < 3; ++n) {
        Quad d = quadOf(a[n]) - exact[n];
        d -= twoPi * roundl(static_cast<long double>(d / twoPi));  // −π and π are the same angle
        worst = std::max(worst, static_cast<double>(absQ(d) * 0x1p52));
      }
    }
    EXPECT_LT(worst, 3.0) << seq;
  }
}

TEST(QuaternionsToEuler, NaNSpreadsToItsColumnAndLocksNothing) {
  const std::vector<double> q = {1, 0, 0, 0, kNaN, 0, 0, 0, 0.5, 0.5, kNaN, 0.5};
  for (const std::string& seq : allConventions()) {
    const Conversion c = convert(q, seq);
    EXPECT_EQ(c.locked, (std::vector<std::uint8_t>{isProper(seq) ? std::uint8_t{1} : std::uint8_t{0}, 0, 0})) << seq;
    for (int k : {1, 2}) EXPECT_TRUE(std::isnan(c.angles[3 * k]) || std::isnan(c.angles[3 * k + 1])) << seq;
  }
}

TEST(QuaternionsToEulerVectorPaths, MatchScalarForEveryConventionLengthAndAlignment) {
  std::mt19937_64 random(55);
  for (const std::string& seq : allConventions()) {
    const EulerAxes axes = axesOf(seq);
    // The lock flags are compared too, as doubles after the angles.
    const auto withFlags = [&axes](QuaternionsToEuler f) {
      return [f, &axes](const double* in, double* out, std::uint32_t n) {
        std::vector<std::uint8_t> locked(n);
        f(in, out, locked.data(), n, axes);
        for (std::uint32_t k = 0; k < n; ++k) out[3 * n + k] = locked[k];
      };
    };
    const ColumnKernel scalar = withFlags(scalarPath(quaternionsToEulerPaths()));
    for (const auto& path : runnablePaths(quaternionsToEulerPaths(), quaternionsToEuler)) {
      const ColumnKernel kernel = withFlags(path.function);
      for (std::size_t n = 0; n <= 11; ++n) {
        EXPECT_TRUE(SameBitsAsScalar(kernel, scalar, mixedColumns(n, 4, 1, 0.2, random), 4, 4, n % 4)) << path.name;
      }
      std::vector<double> q = mixedColumns(1000, 4, 1, 0.3, random);
      const std::vector<double> poles = quaternionsWithMiddle(seq, polesOf(seq)[1], 1000, random);
      q.insert(q.end(), poles.begin(), poles.end());
      EXPECT_TRUE(SameBitsAsScalar(kernel, scalar, q, 4, 4, 1)) << path.name << " " << seq;
    }
  }
}

}  // namespace
