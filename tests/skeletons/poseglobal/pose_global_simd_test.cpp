// poseglobal's kernel: every vector path of the per-frame offsets against
// the scalar path, bit for bit; per-frame offsets that repeat one set give
// posechain's bits; the worker threads change nothing.
#include "skeletons/poseglobal/pose_global.h"
#include "skeletons/posechain/evaluate_pose.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <cstdlib>
#include <random>

namespace {

const std::vector<double> kSpecials = {0.0, -0.0, kInf, -kInf, kNaN, DBL_TRUE_MIN, -DBL_MIN, DBL_MAX, 1e200, -1e-200};

struct Motion {
  std::uint32_t joints, frames;
  std::vector<double> parents, offsets, frameOffsets, root, local;
};

Motion randomMotion(std::uint32_t joints, std::uint32_t frames, double specialShare, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> value(-1.5, 1.5);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  auto element = [&]() { return unit(random) < specialShare ? kSpecials[pick(random)] : value(random); };
  Motion m{joints, frames, {}, {}, {}, {}, {}};
  m.parents.push_back(0);
  for (std::uint32_t j = 1; j < joints; ++j) m.parents.push_back(std::uniform_int_distribution<std::uint32_t>(1, j)(random));
  for (std::uint32_t i = 0; i < 3 * joints; ++i) m.offsets.push_back(element());
  for (std::size_t i = 0; i < std::size_t{3} * joints * frames; ++i) m.frameOffsets.push_back(element());
  for (std::uint32_t i = 0; i < 3 * frames; ++i) m.root.push_back(element());
  for (std::size_t i = 0; i < std::size_t{4} * joints * frames; ++i) m.local.push_back(element());
  return m;
}

struct Pose {
  std::vector<double> global, joints;
};

Pose runFrameOffsets(EvaluatePosesFrameOffsets path, const Motion& m, const std::vector<double>& offsets) {
  Pose p{std::vector<double>(std::size_t{4} * m.joints * m.frames, 777.0), std::vector<double>(std::size_t{3} * m.joints * m.frames, 777.0)};
  path(m.joints, m.parents.data(), offsets.data(), 3 * m.joints, m.root.data(), m.local.data(), 4 * m.joints,
       p.global.data(), p.joints.data(), 3 * m.joints, m.frames);
  return p;
}

TEST(PoseGlobal, EveryPathGivesTheScalarBits) {
  const auto& table = evaluatePosesFrameOffsetsPaths();
  for (std::uint32_t joints : {1u, 2u, 7u, 31u}) {
    for (std::uint32_t frames : {1u, 3u, 8u, 37u}) {
      const Motion m = randomMotion(joints, frames, 0.1, 17 * joints + frames);
      const Pose expected = runFrameOffsets(scalarPath(table), m, m.frameOffsets);
      for (std::size_t i = 1; i < table.count; ++i) {
        if (!pathRuns(table.paths[i].path)) continue;
        const Pose actual = runFrameOffsets(table.paths[i].function, m, m.frameOffsets);
        EXPECT_TRUE(SameBits(actual.joints, expected.joints)) << vectorPathName(table.paths[i].path) << " J " << joints << " N " << frames;
        EXPECT_TRUE(SameBits(actual.global, expected.global)) << vectorPathName(table.paths[i].path);
      }
    }
  }
}

TEST(PoseGlobal, RepeatedOffsetsArePosechainsBits) {
  // Every path of the per-frame kernel against posechain's kernel, with
  // each frame's offsets a copy of posechain's one set.
  const Motion m = randomMotion(23, 41, 0.1, 5);
  std::vector<double> repeated;
  for (std::uint32_t k = 0; k < m.frames; ++k) repeated.insert(repeated.end(), m.offsets.begin(), m.offsets.end());
  Pose chain{std::vector<double>(m.local.size()), std::vector<double>(std::size_t{3} * m.joints * m.frames)};
  evaluatePoses(m.joints, m.parents.data(), m.offsets.data(), m.root.data(), m.local.data(), 4 * m.joints,
                chain.global.data(), chain.joints.data(), 3 * m.joints, m.frames);
  for (const auto& path : runnablePaths(evaluatePosesFrameOffsetsPaths(), evaluatePosesFrameOffsetsPaths().widest())) {
    const Pose p = runFrameOffsets(path.function, m, repeated);
    EXPECT_TRUE(SameBits(p.joints, chain.joints)) << path.name;
    EXPECT_TRUE(SameBits(p.global, chain.global)) << path.name;
  }
}

TEST(PoseGlobal, ThreadsChangeNoBit) {
  // Enough frames for several shares; the result of 1, 2 and 3 threads.
  const Motion m = randomMotion(9, 40000, 0.01, 11);
  std::vector<Pose> poses;
  for (const char* threads : {"1", "2", "3"}) {
    setenv("ROTKIT_NUM_THREADS", threads, 1);
    for (bool perFrame : {false, true}) {
      Pose p{std::vector<double>(m.local.size()), std::vector<double>(std::size_t{3} * m.joints * m.frames)};
      poseGlobal(m.joints, m.parents.data(), perFrame ? m.frameOffsets.data() : m.offsets.data(), perFrame,
                 m.root.data(), m.local.data(), p.global.data(), p.joints.data(), m.frames);
      poses.push_back(p);
    }
  }
  unsetenv("ROTKIT_NUM_THREADS");
  for (std::size_t i = 2; i < poses.size(); ++i) {
    EXPECT_TRUE(SameBits(poses[i].joints, poses[i % 2].joints)) << i;
    EXPECT_TRUE(SameBits(poses[i].global, poses[i % 2].global)) << i;
  }
  // and the one-thread result is the scalar path's
  const Pose scalar = runFrameOffsets(scalarPath(evaluatePosesFrameOffsetsPaths()), m, m.frameOffsets);
  EXPECT_TRUE(SameBits(poses[1].joints, scalar.joints));
}

} // namespace
