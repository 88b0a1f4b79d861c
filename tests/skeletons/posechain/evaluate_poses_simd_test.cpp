// The vector paths of evaluatePoses against the scalar path, bit for bit, on
// the whole of both output buffers: random trees, frame counts that are not
// multiples of the vector width, surplus rows (which must stay untouched),
// special values, and buffers not aligned to the vector width.
#include "skeletons/posechain/evaluate_pose.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <random>
#include <string>

namespace {

using Path = NamedPath<EvaluatePoses>;

std::vector<Path> vectorPaths() { return runnablePaths(evaluatePosesPaths(), evaluatePoses); }

const std::vector<double> kSpecials = {0.0, -0.0, kInf, -kInf, kNaN, DBL_TRUE_MIN, -DBL_MIN, DBL_MAX, 1e200, -1e-200};

// The inputs of one call: J joints, N frames, localRows >= 4J, jointRows >= 3J.
struct Motion {
  std::uint32_t joints, frames, localRows, jointRows;
  std::vector<double> parents, offsets, root, local;
};

Motion randomMotion(std::uint32_t joints, std::uint32_t frames, std::uint32_t extraRows, double specialShare,
                    std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-1.5, 1.5);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  auto element = [&]() { return unit(random) < specialShare ? kSpecials[pick(random)] : value(random); };
  Motion m{joints, frames, 4 * joints + extraRows, (3 * (4 * joints + extraRows)) >> 2, {}, {}, {}, {}};
  m.parents.push_back(-7.5);  // the root's entry is never read
  for (std::uint32_t j = 1; j < joints; ++j) {
    std::uniform_int_distribution<std::uint32_t> parent(1, j);
    m.parents.push_back(parent(random) + 0.9 * unit(random));  // truncated toward zero
  }
  for (std::uint32_t i = 0; i < 3 * joints; ++i) m.offsets.push_back(element());
  for (std::uint32_t i = 0; i < 3 * frames; ++i) m.root.push_back(element());
  for (std::size_t i = 0; i < std::size_t{m.localRows} * frames; ++i) m.local.push_back(element());
  return m;
}

// Runs `path` and the scalar path on `m`, the path's buffers shifted by
// `shift` doubles off their allocation, and compares every element of both
// outputs, surplus rows included (filled beforehand with a marker).
void expectSameAsScalar(const Path& path, const Motion& m, std::size_t shift) {
  const std::size_t globalSize = std::size_t{m.localRows} * m.frames;
  const std::size_t jointSize = std::size_t{m.jointRows} * m.frames;
  std::vector<double> expectedGlobal(globalSize, 777.0), expectedJoints(jointSize, 777.0);
  scalarPath(evaluatePosesPaths())(m.joints, m.parents.data(), m.offsets.data(), m.root.data(), m.local.data(), m.localRows,
                      expectedGlobal.data(), expectedJoints.data(), m.jointRows, m.frames);

  // Exactly sized, so that the sanitizers see any access past an end.
  auto shifted = [shift](const std::vector<double>& v) {
    std::vector<double> s(shift + v.size(), 555.0);
    std::copy(v.begin(), v.end(), s.begin() + static_cast<std::ptrdiff_t>(shift));
    return s;
  };
  const std::vector<double> parents = shifted(m.parents), offsets = shifted(m.offsets), root = shifted(m.root),
                            local = shifted(m.local);
  std::vector<double> global = shifted(std::vector<double>(globalSize, 777.0));
  std::vector<double> joints = shifted(std::vector<double>(jointSize, 777.0));
  path.function(m.joints, parents.data() + shift, offsets.data() + shift, root.data() + shift, local.data() + shift,
                m.localRows, global.data() + shift, joints.data() + shift, m.jointRows, m.frames);
  const auto tail = [shift](const std::vector<double>& v) {
    return std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(shift), v.end());
  };
  const std::string where = path.name + ", J = " + std::to_string(m.joints) + ", N = " + std::to_string(m.frames) +
                            ", M = " + std::to_string(m.localRows) + ", shift " + std::to_string(shift);
  EXPECT_TRUE(SameBits(tail(global), expectedGlobal)) << "global rotations, " << where;
  EXPECT_TRUE(SameBits(tail(joints), expectedJoints)) << "joint positions, " << where;
}

TEST(EvaluatePosesVectorPaths, MatchScalarForEveryFrameCountShapeAndAlignment) {
  std::mt19937_64 random(5);
  for (const Path& path : vectorPaths()) {
    for (std::uint32_t joints : {1u, 2u, 3u, 7u, 31u}) {
      for (std::uint32_t frames = 0; frames <= 9; ++frames) {
        for (std::uint32_t extraRows : {0u, 1u, 3u}) {
          expectSameAsScalar(path, randomMotion(joints, frames, extraRows, 0.0, random), frames % 4);
        }
      }
      expectSameAsScalar(path, randomMotion(joints, 103, 2, 0.0, random), 1);
    }
  }
}

TEST(EvaluatePosesVectorPaths, MatchScalarOnSpecialValues) {
  std::mt19937_64 random(55);
  for (const Path& path : vectorPaths()) {
    for (std::uint32_t joints : {2u, 5u, 31u}) {
      expectSameAsScalar(path, randomMotion(joints, 37, 0, 0.3, random), 0);
      expectSameAsScalar(path, randomMotion(joints, 38, 1, 0.05, random), 3);
    }
  }
}

TEST(EvaluatePosesVectorPaths, AChainAndAStarGiveTheScalarBits) {
  // Every joint the child of the one before, and every joint a child of the
  // root: the deepest and the widest read-back of parents.
  std::mt19937_64 random(555);
  for (const Path& path : vectorPaths()) {
    Motion chain = randomMotion(31, 13, 0, 0.0, random);
    for (std::uint32_t j = 1; j < 31; ++j) chain.parents[j] = j;
    expectSameAsScalar(path, chain, 0);
    Motion star = randomMotion(31, 13, 0, 0.0, random);
    for (std::uint32_t j = 1; j < 31; ++j) star.parents[j] = 1.0;
    expectSameAsScalar(path, star, 2);
  }
}

} // namespace
