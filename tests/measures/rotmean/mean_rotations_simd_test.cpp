// The vector paths of meanRotations against the scalar path, bit for bit:
// 1 to 6 joints, frame counts around the block and chunk sizes, weights,
// special values, buffers off their alignment; and the threaded call for
// 1, 2 and 3 threads.
#include "measures/rotmean/mean_rotation.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"
#include "support/threads.h"

#include <random>

namespace {

std::vector<double> run(MeanRotations f, const std::vector<double>& q, std::uint32_t joints,
                        const std::vector<double>& w, std::size_t shift) {
  const auto frames = static_cast<std::uint32_t>(q.size() / (4 * std::size_t{joints}));
  const std::vector<double> in = shifted(q, shift), weights = shifted(w, shift);
  std::vector<double> out(shift + 4 * std::size_t{joints}, 777.0), scratch(meanRotationsScratch(joints, frames));
  f(in.data() + shift, joints, frames, w.empty() ? nullptr : weights.data() + shift, out.data() + shift,
    scratch.data());
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0);
  return std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end());
}

std::vector<double> weightsFor(std::size_t n, std::mt19937_64& random) {
  std::uniform_real_distribution<double> weight(0, 3);
  std::vector<double> w(n);
  for (std::size_t k = 0; k < n; ++k) w[k] = k % 5 == 0 ? 0.0 : weight(random);
  return w;
}

TEST(MeanRotationsVectorPaths, MatchScalar) {
  std::mt19937_64 random(411);
  const MeanRotations scalar = scalarPath(meanRotationsPaths());
  for (const auto& path : runnablePaths(meanRotationsPaths(), meanRotations)) {
    for (std::uint32_t joints = 1; joints <= 6; ++joints) {
      for (std::size_t frames : {0u, 1u, 3u, 7u, 8u, 9u, 127u, 128u, 129u, 300u, 8191u, 8193u, 16500u}) {
        if (joints > 2 && frames > 300) continue;
        const std::vector<double> q = mixedValues(4 * joints * frames, 0.02, random);
        const std::vector<double> w = frames % 2 == 0 ? std::vector<double>{} : weightsFor(frames, random);
        EXPECT_TRUE(SameBits(run(path.function, q, joints, w, frames % 3), run(scalar, q, joints, w, 0)))
            << path.name << ", " << joints << " joints, " << frames << " frames";
      }
    }
  }
}

TEST(MeanRotationsThreads, SameBitsForAnyThreadCount) {
  std::mt19937_64 random(412);
  for (std::uint32_t joints : {1u, 3u, 600u}) {
    const std::size_t frames = joints == 600 ? 70 : 100003;
    const std::vector<double> q = mixedValues(4 * joints * frames, 0.0001, random);
    const std::vector<double> w = weightsFor(frames, random);
    const std::vector<double> one = run(scalarPath(meanRotationsPaths()), q, joints, w, 0);
    for (const char* threads : {"1", "2", "3"}) {
      const ThreadCount count(threads);
      EXPECT_TRUE(SameBits(run(meanRotations, q, joints, w, 0), one)) << joints << " joints, " << threads << " threads";
    }
  }
}

}  // namespace
