// The vector paths of rotationDistances against the scalar path, bit for
// bit: column counts around the vector widths, one column on either side,
// special values, buffers off their alignment; and the threaded call for
// 1, 2 and 3 threads.
#include "measures/rotdist/rotation_distance.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"
#include "support/threads.h"

#include <random>

namespace {

std::vector<double> run(RotationDistances f, const std::vector<double>& q1, const std::vector<double>& q2,
                        std::size_t shift) {
  const auto n1 = static_cast<std::uint32_t>(q1.size() / 4), n2 = static_cast<std::uint32_t>(q2.size() / 4);
  const std::uint32_t n = n1 == 1 ? n2 : n1;
  const std::vector<double> a = shifted(q1, shift), b = shifted(q2, shift);
  std::vector<double> out(shift + n, 777.0);
  f(a.data() + shift, n1, b.data() + shift, n2, out.data() + shift, n);
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0);
  return std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end());
}

TEST(RotationDistancesVectorPaths, MatchScalar) {
  std::mt19937_64 random(311);
  const RotationDistances scalar = scalarPath(rotationDistancesPaths());
  for (const auto& path : runnablePaths(rotationDistancesPaths(), rotationDistances)) {
    for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 8u, 9u, 17u, 1001u}) {
      const std::vector<double> q1 = mixedValues(4 * n, 0.15, random), q2 = mixedValues(4 * n, 0.15, random);
      const std::vector<double> one = mixedValues(4, 0.2, random);
      EXPECT_TRUE(SameBits(run(path.function, q1, q2, n % 3), run(scalar, q1, q2, 0))) << path.name << " " << n;
      EXPECT_TRUE(SameBits(run(path.function, one, q2, 1), run(scalar, one, q2, 0))) << path.name << " " << n;
      EXPECT_TRUE(SameBits(run(path.function, q1, one, 2), run(scalar, q1, one, 0))) << path.name << " " << n;
    }
  }
}

TEST(RotationDistancesThreads, SameBitsForAnyThreadCount) {
  std::mt19937_64 random(312);
  const std::vector<double> q1 = mixedValues(4 * 100003, 0.001, random), q2 = mixedValues(4 * 100003, 0.001, random);
  const std::vector<double> one = run(scalarPath(rotationDistancesPaths()), q1, q2, 0);
  for (const char* threads : {"1", "2", "3"}) {
    const ThreadCount count(threads);
    EXPECT_TRUE(SameBits(run(rotationDistances, q1, q2, 0), one)) << threads << " threads";
  }
}

}  // namespace
