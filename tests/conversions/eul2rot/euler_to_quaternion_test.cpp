// eul2rot's kernel against the exact rotation (__float128 products of the
// three turns, tests/support/exact_rotations.h) for all 24 conventions, its
// axis sequences, and every vector path against the scalar one.
#include "conversions/eul2rot/euler_to_quaternion.h"

#include "support/bits.h"
#include "support/columns.h"
#include "support/conventions.h"
#include "support/exact_rotations.h"
#include "support/paths.h"

#include <cmath>
#include <random>
#include <string>

namespace {

SequenceProblem problemOf(const char* seq) {
  EulerAxes axes;
  const char text[3] = {seq[0], seq[1], seq[2]};
  return parseAxisSequence(text, axes);
}

TEST(AxisSequence, AcceptsTheTwelveSequencesInEitherCaseAndNothingElse) {
  EXPECT_EQ(allConventions().size(), 24u);
  for (const std::string& seq : allConventions()) axesOf(seq);
  for (const char* bad : {"abc", "XYW", "xy1", "X Y", "ZXy"}) {
    EXPECT_NE(problemOf(bad), SequenceProblem::none) << bad;
  }
  EXPECT_EQ(problemOf("xYz"), SequenceProblem::mixedCase);
  EXPECT_EQ(problemOf("ZZY"), SequenceProblem::repeated);
  EXPECT_EQ(problemOf("zxx"), SequenceProblem::repeated);
  EXPECT_EQ(problemOf("aZZ"), SequenceProblem::letters);  // letters come first
  EXPECT_EQ(problemOf("ZzX"), SequenceProblem::mixedCase);  // then case, then neighbours
}

// Angles of every size the kernel meets: random in [−π, π] and in [−40, 40]
// (half angles beyond 16 take <cmath>'s sine), and special angles.
std::vector<double> angleColumns(std::size_t count, std::mt19937_64& random) {
  std::uniform_real_distribution<double> angle(-M_PI, M_PI);
  std::uniform_real_distribution<double> wide(-40, 40);
  const double specials[] = {0, -0.0, M_PI, -M_PI, M_PI / 2, -M_PI / 2, 1e-300, -1e-9, 2 * M_PI, 0x1p-30, 31.9, 33};
  std::vector<double> a(3 * count);
  for (std::size_t i = 0; i < a.size(); ++i) {
    a[i] = i % 7 == 0 ? specials[(i / 7) % 12] : i % 5 == 0 ? wide(random) : angle(random);
  }
  return a;
}

// Within 2 units of 2^-52 of the exact unit quaternion (a measured 1.41 at
// worst: tools/accuracy/angle_accuracy.cpp), for every convention, with
// the sign of the product of the three turns; and unit up to rounding.
TEST(EulerToQuaternions, WithinTwoUnitsOfTheExactRotationForEveryConvention) {
  std::mt19937_64 random(41);
  for (const std::string& seq : allConventions()) {
    const std::vector<double> a = angleColumns(3000, random);
    std::vector<double> q(4 * 3000);
    eulerToQuaternions(a.data(), q.data(), 3000, axesOf(seq));
    double worst = 0;
    for (std::size_t k = 0; k < 3000; ++k) {
      const QuadQuaternion exact = exactEuler(&a[3 * k], seq);
      worst = std::max(worst, componentError(&q[4 * k], exact));
      // The sign is the product's own, not just the rotation's.
      const Quad dot = quadOf(q[4 * k]) * exact.w + quadOf(q[4 * k + 1]) * exact.x + quadOf(q[4 * k + 2]) * exact.y +
                       quadOf(q[4 * k + 3]) * exact.z;
      ASSERT_GT(static_cast<double>(dot), 0.0) << seq << " column " << k;
    }
    EXPECT_LT(worst, 2.0) << seq;
  }
}

TEST(EulerToQuaternions, ZeroAnglesGiveTheIdentityAndNaNSpreadsToItsColumn) {
  const std::vector<double> a = {0, 0, 0, kNaN, 0, 0, 0, 0, kInf};
  for (const std::string& seq : allConventions()) {
    std::vector<double> q(12);
    eulerToQuaternions(a.data(), q.data(), 3, axesOf(seq));
    EXPECT_TRUE(SameBits({q[0], std::fabs(q[1]), std::fabs(q[2]), std::fabs(q[3])}, {1, 0, 0, 0})) << seq;
    for (int column : {1, 2}) {
      bool anyNaN = false;
      for (int r = 0; r < 4; ++r) anyNaN = anyNaN || std::isnan(q[4 * column + r]);
      EXPECT_TRUE(anyNaN) << seq << " column " << column;
    }
  }
}

TEST(EulerToQuaternionsVectorPaths, MatchScalarForEveryConventionLengthAndAlignment) {
  std::mt19937_64 random(42);
  for (const std::string& seq : allConventions()) {
    const EulerAxes axes = axesOf(seq);
    const auto scalar = [&](const double* in, double* out, std::uint32_t n) {
      scalarPath(eulerToQuaternionsPaths())(in, out, n, axes);
    };
    for (const auto& path : runnablePaths(eulerToQuaternionsPaths(), eulerToQuaternions)) {
      const auto kernel = [&](const double* in, double* out, std::uint32_t n) { path.function(in, out, n, axes); };
      for (std::size_t n = 0; n <= 11; ++n) {
        EXPECT_TRUE(SameBitsAsScalar(kernel, scalar, mixedColumns(n, 3, 4, 0.1, random), 3, 4, n % 4)) << path.name;
      }
      EXPECT_TRUE(SameBitsAsScalar(kernel, scalar, mixedColumns(2001, 3, 40, 0.3, random), 3, 4, 1))
          << path.name << " " << seq;
    }
  }
}

}  // namespace
