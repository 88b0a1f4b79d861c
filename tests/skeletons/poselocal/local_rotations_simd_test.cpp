// The vector paths of localRotations against the scalar path, bit for bit:
// random trees of 1 to 9 joints, frame counts around the vector widths,
// special values, buffers off their alignment; and the threaded call for
// 1, 2 and 3 threads.
#include "skeletons/poselocal/local_rotations.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"
#include "support/threads.h"

#include <random>

namespace {

std::vector<double> run(LocalRotations f, const std::vector<double>& parents, const std::vector<double>& global,
                        std::uint32_t frames, std::size_t shift) {
  const std::vector<double> in = shifted(global, shift);
  std::vector<double> out(shift + global.size(), 777.0);
  f(static_cast<std::uint32_t>(parents.size()), parents.data(), in.data() + shift, out.data() + shift, frames);
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0);
  return std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end());
}

std::vector<double> tree(std::uint32_t joints, std::mt19937_64& random) {
  std::vector<double> parents{-1};
  for (std::uint32_t j = 1; j < joints; ++j) parents.push_back(1 + static_cast<double>(random() % j) + 0.5);
  return parents;
}

TEST(LocalRotationsVectorPaths, MatchScalar) {
  std::mt19937_64 random(211);
  const LocalRotations scalar = scalarPath(localRotationsPaths());
  for (const auto& path : runnablePaths(localRotationsPaths(), localRotations)) {
    for (std::uint32_t joints = 1; joints <= 9; ++joints) {
      for (std::uint32_t frames : {0u, 1u, 3u, 4u, 5u, 8u, 11u, 33u}) {
        const std::vector<double> parents = tree(joints, random);
        const std::vector<double> g = mixedValues(4 * std::size_t{joints} * frames, 0.1, random);
        EXPECT_TRUE(SameBits(run(path.function, parents, g, frames, frames % 3), run(scalar, parents, g, frames, 0)))
            << path.name << ", " << joints << " joints, " << frames << " frames";
      }
    }
  }
}

TEST(LocalRotationsThreads, SameBitsForAnyThreadCount) {
  std::mt19937_64 random(212);
  const std::vector<double> parents = tree(7, random);
  const std::uint32_t frames = 30011;
  const std::vector<double> g = mixedValues(4 * std::size_t{7} * frames, 0.001, random);
  const std::vector<double> one = run(scalarPath(localRotationsPaths()), parents, g, frames, 0);
  for (const char* threads : {"1", "2", "3"}) {
    const ThreadCount count(threads);
    EXPECT_TRUE(SameBits(run(localRotations, parents, g, frames, 0), one)) << threads << " threads";
  }
}

}  // namespace
