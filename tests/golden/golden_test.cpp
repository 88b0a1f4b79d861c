// The same bits on every processor: a fixed set of inputs, made by a
// generator of our own (so the same on every platform and standard
// library), through every path of every kernel, hashed bit for bit and
// compared with the hashes recorded here. No result below depends on the
// math library: the kernels' square roots are IEEE's, their sines, cosines
// and arc tangents the toolbox's own (lanemath/), and the inputs of the
// trigonometric kernels keep their sines' arguments within |x| <= 16, where
// the toolbox's own is used. The same test runs on every vector path of x86-64, on the
// emulated AVX-512 path, and on arm64 (make test-arm64); a kernel that
// rounded differently anywhere would change its hash.
//
// NaN payloads are the hardware's, not part of a result: every NaN hashes
// as one pattern. After a deliberate change of a result, the failure
// message prints the new hash to record here.
#include "conversions/axis_sequence.h"
#include "conversions/eul2rot/euler_to_quaternion.h"
#include "conversions/mat2rot/matrix_to_quaternion.h"
#include "skeletons/posechain/evaluate_pose.h"
#include "skeletons/poseglobal/pose_global.h"
#include "conversions/rot2eul/quaternion_to_euler.h"
#include "conversions/rot2mat/quaternion_to_matrix.h"
#include "conversions/rot2vec/quaternion_to_vector.h"
#include "conversions/rotapply/apply_rotation.h"
#include "rotations/rotblend/interpolate_rotation.h"
#include "rotations/rotcompose/compose_columns.h"
#include "conversions/rotnormalize/normalize_columns.h"
#include "rotations/rotreverse/invert_quaternion.h"
#include "rotations/rotslerp/slerp_columns.h"
#include "conversions/vec2rot/vector_to_quaternion.h"
#include "timeseries/rotintegrate/integrate_rates.h"
#include "timeseries/rotinterp/interpolate_times.h"
#include "timeseries/rotunwrap/unwrap_signs.h"
#include "timeseries/rotvel/angular_velocity.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace {

// splitmix64: a small generator whose outputs are fixed by its seed alone.
struct Generator {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high): 52 random bits scaled exactly, then one
  // rounded affine step (the same IEEE operations everywhere).
  double uniform(double low, double high) {
    const double unit = static_cast<double>(next() >> 12) * 0x1p-52;
    return low + (high - low) * unit;
  }
};

const double kSpecials[] = {0.0, -0.0, 1.0, -1.0, kInf, -kInf, kNaN, 4.9406564584124654e-324, 2.2250738585072014e-308,
                            1.7976931348623157e308, 1e-300, 1e300, 0.5, 0.999};

// Mostly values of order one, with a share of special values; `bounded`
// leaves out the finite ones beyond 16 (the trigonometric kernels' inputs).
std::vector<double> inputs(std::size_t count, std::uint64_t seed, double low = -2, double high = 2,
                           bool bounded = false) {
  Generator g{seed};
  std::vector<double> data(count);
  for (double& v : data) {
    const std::uint64_t pick = g.next() % 64;
    v = pick < sizeof kSpecials / sizeof kSpecials[0] ? kSpecials[pick] : g.uniform(low, high);
    if (bounded && std::isfinite(v) && std::fabs(v) > 16) v = g.uniform(low, high);
  }
  return data;
}

std::vector<double> joined(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// FNV-1a over the bit patterns, every NaN as one.
std::uint64_t hashOf(const std::vector<double>& values) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (double v : values) {
    const std::uint64_t bits = std::isnan(v) ? 0x7ff8000000000000ULL : bitsOf(v);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xFF;
      hash *= 0x100000001b3ULL;
    }
  }
  return hash;
}

::testing::AssertionResult HashIs(const std::vector<double>& values, std::uint64_t expected) {
  const std::uint64_t actual = hashOf(values);
  if (actual == expected) return ::testing::AssertionSuccess();
  char text[64];
  std::snprintf(text, sizeof text, "0x%016" PRIx64 "ULL", actual);
  return ::testing::AssertionFailure() << "hash " << text;
}

constexpr std::uint32_t kColumns = 1003;  // not a multiple of any width: every path has a partial block

TEST(Golden, Rotcompose) {
  const std::vector<double> a = inputs(4 * kColumns, 1);
  const std::vector<double> b = inputs(4 * kColumns, 2);
  for (const auto& path : runnablePaths(composeColumnsPaths(), composeColumns)) {
    std::vector<double> both(4 * kColumns), left(4 * kColumns), right(4 * kColumns);
    path.function(a.data(), kColumns, b.data(), kColumns, both.data(), kColumns);
    path.function(a.data(), 1, b.data(), kColumns, left.data(), kColumns);
    path.function(a.data(), kColumns, b.data(), 1, right.data(), kColumns);
    both.insert(both.end(), left.begin(), left.end());
    both.insert(both.end(), right.begin(), right.end());
    EXPECT_TRUE(HashIs(both, 0x887efeeef7ace954ULL)) << path.name;
  }
}

TEST(Golden, Rotreverse) {
  const std::vector<double> q = inputs(4 * kColumns, 3);
  for (const auto& path : runnablePaths(invertColumnsPaths(), invertColumns)) {
    std::vector<double> out(4 * kColumns);
    path.function(q.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0xceea7fd069408725ULL)) << path.name;
  }
}

TEST(Golden, Posechain) {
  constexpr std::uint32_t joints = 23;
  constexpr std::uint32_t frames = 301;
  Generator g{4};
  std::vector<double> parents{0};
  for (std::uint32_t j = 1; j < joints; ++j) parents.push_back(1 + static_cast<double>(g.next() % j));
  const std::vector<double> offsets = inputs(3 * joints, 5);
  const std::vector<double> root = inputs(3 * frames, 6);
  const std::vector<double> local = inputs(std::size_t{4} * joints * frames, 7);
  for (const auto& path : runnablePaths(evaluatePosesPaths(), evaluatePoses)) {
    std::vector<double> global(local.size()), positions(std::size_t{3} * joints * frames);
    path.function(joints, parents.data(), offsets.data(), root.data(), local.data(), 4 * joints, global.data(),
                  positions.data(), 3 * joints, frames);
    positions.insert(positions.end(), global.begin(), global.end());
    EXPECT_TRUE(HashIs(positions, 0xe38c4e82c12729a1ULL)) << path.name;
  }
}

TEST(Golden, PoseglobalFrameOffsets) {
  constexpr std::uint32_t joints = 19;
  constexpr std::uint32_t frames = 257;
  Generator g{41};
  std::vector<double> parents{0};
  for (std::uint32_t j = 1; j < joints; ++j) parents.push_back(1 + static_cast<double>(g.next() % j));
  const std::vector<double> offsets = inputs(std::size_t{3} * joints * frames, 42);
  const std::vector<double> root = inputs(3 * frames, 43);
  const std::vector<double> local = inputs(std::size_t{4} * joints * frames, 44);
  for (const auto& path : runnablePaths(evaluatePosesFrameOffsetsPaths(), evaluatePosesFrameOffsetsPaths().widest())) {
    std::vector<double> global(local.size()), positions(std::size_t{3} * joints * frames);
    path.function(joints, parents.data(), offsets.data(), 3 * joints, root.data(), local.data(), 4 * joints,
                  global.data(), positions.data(), 3 * joints, frames);
    positions.insert(positions.end(), global.begin(), global.end());
    EXPECT_TRUE(HashIs(positions, 0x56db258214317186ULL)) << path.name;
  }
  // and the threaded entry, which splits the frames
  std::vector<double> global(local.size()), positions(std::size_t{3} * joints * frames);
  poseGlobal(joints, parents.data(), offsets.data(), true, root.data(), local.data(), global.data(), positions.data(),
             frames);
  positions.insert(positions.end(), global.begin(), global.end());
  EXPECT_TRUE(HashIs(positions, 0x56db258214317186ULL));
}

// The linear branch (end rotations closer than 0.999): sqrt and division.
TEST(Golden, RotblendLinearBranch) {
  const double q1[4] = {0.5, 0.5, 0.5, 0.5};
  const double q2[4] = {0.52, 0.48, 0.51, 0.49};
  const std::vector<double> t = inputs(kColumns, 8, -3, 4);
  for (const auto& path : runnablePaths(interpolateRotationsPaths(), interpolateRotations)) {
    std::vector<double> out(4 * kColumns);
    path.function(q1, q2, t.data(), kColumns, out.data());
    EXPECT_TRUE(HashIs(out, 0x25b147075229765fULL)) << path.name;
  }
}

// The spherical branch: the toolbox's own arc tangent and sines.
TEST(Golden, RotblendSphericalBranch) {
  const double q1[4] = {0.5, 0.5, 0.5, 0.5};
  const double q2[4] = {0.5, -0.5, 0.5, 0.5};
  const std::vector<double> t = inputs(kColumns, 9, -3, 4, true);
  for (const auto& path : runnablePaths(interpolateRotationsPaths(), interpolateRotations)) {
    std::vector<double> out(4 * kColumns);
    path.function(q1, q2, t.data(), kColumns, out.data());
    EXPECT_TRUE(HashIs(out, 0xecae07061854b5b3ULL)) << path.name;
  }
}

TEST(Golden, Rotslerp) {
  const std::vector<double> q1 = inputs(4 * kColumns, 10);
  // Every other column close to its start, for the linear branch.
  std::vector<double> q2 = inputs(4 * kColumns, 11);
  for (std::size_t k = 0; k < kColumns; k += 2) {
    for (int c = 0; c < 4; ++c) q2[4 * k + c] = q1[4 * k + c] * 1.0001;
  }
  const std::vector<double> t = inputs(kColumns, 12, -3, 4, true);
  for (const auto& path : runnablePaths(slerpColumnsPaths(), slerpColumns)) {
    std::vector<double> out(4 * kColumns), one(4 * kColumns);
    path.function(q1.data(), kColumns, q2.data(), kColumns, t.data(), kColumns, out.data(), kColumns);
    path.function(q1.data(), 1, q2.data(), kColumns, t.data(), 1, one.data(), kColumns);
    EXPECT_TRUE(HashIs(joined(out, one), 0x759839c93f47578fULL)) << path.name;
  }
}

TEST(Golden, Rotapply) {
  const std::vector<double> q = inputs(4 * kColumns, 13);
  const std::vector<double> v = inputs(3 * kColumns, 14);
  for (const auto& path : runnablePaths(applyRotationsPaths(), applyRotations)) {
    std::vector<double> both(3 * kColumns), one(3 * kColumns);
    path.function(q.data(), kColumns, v.data(), kColumns, both.data(), kColumns);
    path.function(q.data(), 1, v.data(), kColumns, one.data(), kColumns);
    EXPECT_TRUE(HashIs(joined(both, one), 0xa140f688c03f0046ULL)) << path.name;
  }
}

TEST(Golden, RotnormalizeRot2matMat2rot) {
  const std::vector<double> q = inputs(4 * kColumns, 15);
  const std::vector<double> r = inputs(9 * kColumns, 16);
  std::vector<std::uint64_t> hashes;
  for (const auto& path : runnablePaths(normalizeColumnsPaths(), normalizeColumns)) {
    std::vector<double> out(4 * kColumns);
    path.function(q.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0x048a1b9b39e222edULL)) << "rotnormalize " << path.name;
  }
  for (const auto& path : runnablePaths(quaternionsToMatricesPaths(), quaternionsToMatrices)) {
    std::vector<double> out(9 * kColumns);
    path.function(q.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0x64d54fb363a2d6deULL)) << "rot2mat " << path.name;
  }
  for (const auto& path : runnablePaths(matricesToQuaternionsPaths(), matricesToQuaternions)) {
    std::vector<double> out(4 * kColumns);
    path.function(r.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0x90e5d2330b91ed3eULL)) << "mat2rot " << path.name;
  }
}

// Every sequence, intrinsic and extrinsic, one after the other.
TEST(Golden, Eul2rotRot2eul) {
  const std::vector<double> angles = inputs(3 * kColumns, 17, -4, 4, true);
  const std::vector<double> q = inputs(4 * kColumns, 18);
  const char* const sequences[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX", "XYX", "XZX", "YXY", "YZY", "ZXZ", "ZYZ",
                                   "xyz", "zyx", "zxz", "yxy"};
  std::vector<double> forward, backward;
  std::vector<double> locks;
  for (const char* text : sequences) {
    EulerAxes axes;
    const char letters[3] = {text[0], text[1], text[2]};
    ASSERT_EQ(parseAxisSequence(letters, axes), SequenceProblem::none) << text;
    std::vector<double> out(4 * kColumns), a(3 * kColumns);
    std::vector<std::uint8_t> locked(kColumns);
    eulerToQuaternionsPaths().paths[0].function(angles.data(), out.data(), kColumns, axes);
    quaternionsToEulerPaths().paths[0].function(q.data(), a.data(), locked.data(), kColumns, axes);
    forward.insert(forward.end(), out.begin(), out.end());
    backward.insert(backward.end(), a.begin(), a.end());
    for (std::uint8_t l : locked) locks.push_back(l);
  }
  // The scalar path's hashes; every other path must give the same bits.
  EXPECT_TRUE(HashIs(forward, 0x5b445c4e59315358ULL)) << "eul2rot";
  EXPECT_TRUE(HashIs(joined(backward, locks), 0xc75f68f4e49077c0ULL)) << "rot2eul";
  for (const char* text : sequences) {
    EulerAxes axes;
    const char letters[3] = {text[0], text[1], text[2]};
    parseAxisSequence(letters, axes);
    std::vector<double> reference(4 * kColumns), a(3 * kColumns);
    std::vector<std::uint8_t> lockedReference(kColumns);
    eulerToQuaternionsPaths().paths[0].function(angles.data(), reference.data(), kColumns, axes);
    quaternionsToEulerPaths().paths[0].function(q.data(), a.data(), lockedReference.data(), kColumns, axes);
    for (const auto& path : runnablePaths(eulerToQuaternionsPaths(), eulerToQuaternions)) {
      std::vector<double> out(4 * kColumns);
      path.function(angles.data(), out.data(), kColumns, axes);
      EXPECT_TRUE(SameBits(out, reference)) << "eul2rot " << text << " " << path.name;
    }
    for (const auto& path : runnablePaths(quaternionsToEulerPaths(), quaternionsToEuler)) {
      std::vector<double> out(3 * kColumns);
      std::vector<std::uint8_t> locked(kColumns);
      path.function(q.data(), out.data(), locked.data(), kColumns, axes);
      EXPECT_TRUE(SameBits(out, a) && locked == lockedReference) << "rot2eul " << text << " " << path.name;
    }
  }
}

TEST(Golden, Vec2rotRot2vec) {
  const std::vector<double> v = inputs(3 * kColumns, 19, -3, 3, true);
  const std::vector<double> q = inputs(4 * kColumns, 20);
  for (const auto& path : runnablePaths(vectorsToQuaternionsPaths(), vectorsToQuaternions)) {
    std::vector<double> out(4 * kColumns);
    path.function(v.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0x642c0261f0c2d0c7ULL)) << "vec2rot " << path.name;
  }
  for (const auto& path : runnablePaths(quaternionsToVectorsPaths(), quaternionsToVectors)) {
    std::vector<double> out(3 * kColumns);
    path.function(q.data(), out.data(), kColumns);
    EXPECT_TRUE(HashIs(out, 0xdd6917e370a4235eULL)) << "rot2vec " << path.name;
  }
}

// Increasing times from the generator: steps in [0.01, 0.3).
std::vector<double> increasingTimes(std::size_t count, std::uint64_t seed) {
  Generator g{seed};
  std::vector<double> t(count);
  double now = -1.0;
  for (double& v : t) v = now += g.uniform(0.01, 0.3);
  return t;
}

// Two joints, every path and both frames, an interval and a row of times.
TEST(Golden, Rotvel) {
  const std::vector<double> q = inputs(8 * kColumns, 21);
  const std::vector<double> t = increasingTimes(kColumns, 22);
  const auto& table = angularVelocityRangePaths();
  for (const auto& path : runnablePaths(table, table.paths[0].function)) {
    std::vector<double> all;
    for (bool world : {false, true}) {
      for (const SampleTimes& time : {SampleTimes{t.data(), 0.0}, SampleTimes{nullptr, 0.01}}) {
        std::vector<double> w(6 * kColumns);
        path.function(q.data(), 2, kColumns, time, world, 0, kColumns, w.data());
        all = joined(all, w);
      }
    }
    EXPECT_TRUE(HashIs(all, 0x088fe81eebf0f20aULL)) << path.name;
  }
}

// Rates within [-2, 2] (sines of arguments below 16), several blocks.
TEST(Golden, Rotintegrate) {
  constexpr std::uint32_t count = 3 * kIntegrationBlock + 7;
  const std::vector<double> w = inputs(3 * count, 23, -2, 2, true);
  const std::vector<double> t = increasingTimes(count, 24);
  const double q0[4] = {0.5, -0.5, 0.5, 0.5};
  const std::uint32_t blocks = (count - 2) / kIntegrationBlock + 1;
  for (std::size_t p = 0; p < blockProductsPaths().count; ++p) {
    if (!pathRuns(blockProductsPaths().paths[p].path)) continue;
    std::vector<double> all;
    for (bool world : {false, true}) {
      for (const SampleTimes& time : {SampleTimes{t.data(), 0.0}, SampleTimes{nullptr, 0.01}}) {
        // The passes of integrateRates on this path: the products, the
        // anchors in order (the scalar formula), the rest from the anchors.
        std::vector<double> q(4 * count);
        std::copy(q0, q0 + 4, q.begin());
        blockProductsPaths().paths[p].function(w.data(), 1, count, time, world, 0, 0, blocks, q.data());
        std::vector<double> reference(4 * count);
        integrateRates(w.data(), 1, count, time, q0, world, reference.data());
        for (std::uint32_t b = 1; b < blocks; ++b) {
          for (int c = 0; c < 4; ++c) q[4 * b * kIntegrationBlock + c] = reference[4 * b * kIntegrationBlock + c];
        }
        anchorBlocksPaths().paths[p].function(1, count, world, 0, 0, blocks, q.data());
        EXPECT_TRUE(SameBits(q, reference)) << vectorPathName(blockProductsPaths().paths[p].path);
        all = joined(all, q);
      }
    }
    EXPECT_TRUE(HashIs(all, 0x5415bbde0a58aa44ULL)) << vectorPathName(blockProductsPaths().paths[p].path);
  }
}

// Slerp on keys with special values, the spline on a smooth walk of unit
// keys; queries on keys, between them and outside.
TEST(Golden, Rotinterp) {
  const std::vector<double> rough = inputs(4 * kColumns, 25);
  std::vector<double> smooth;
  {
    Generator g{26};
    double v[3] = {0, 0, 0};
    for (std::uint32_t k = 0; k < kColumns; ++k) {
      for (double& c : v) c += g.uniform(-0.2, 0.2);
      std::vector<double> q(4);
      vectorsToQuaternionsPaths().paths[0].function(v, q.data(), 1);
      smooth = joined(smooth, q);
    }
  }
  const std::vector<double> t = increasingTimes(kColumns, 27);
  std::vector<double> queries = inputs(2 * kColumns, 28, t.front() - 1, t.back() + 1);
  for (std::size_t i = 0; i < queries.size(); i += 7) queries[i] = t[i % kColumns];
  const auto m = static_cast<std::uint32_t>(queries.size());
  for (std::size_t p = 0; p < evaluateQueriesPaths().count; ++p) {
    if (!pathRuns(evaluateQueriesPaths().paths[p].path)) continue;
    std::vector<double> all;
    for (bool spline : {false, true}) {
      const std::vector<double>& keys = spline ? smooth : rough;
      std::vector<double> qi(4 * m), wi(3 * m), ai(3 * m), scratch(kSplineRecord * kColumns);
      const InterpolationCall call{keys.data(), 1, kColumns, SampleTimes{t.data(), 0.0}, queries.data(), m,
                                   qi.data(), wi.data(), ai.data(), spline ? scratch.data() : nullptr};
      if (spline) {
        prepareStepsPaths().paths[p].function(call, 0, 0, kColumns - 1);
        solveSplineRates(call, 0);
      }
      evaluateQueriesPaths().paths[p].function(call, 0, m);
      all = joined(joined(joined(all, qi), wi), ai);
    }
    EXPECT_TRUE(HashIs(all, 0x94af87c5710a5abeULL)) << vectorPathName(evaluateQueriesPaths().paths[p].path);
  }
}

TEST(Golden, Rotunwrap) {
  const std::vector<double> q = inputs(8 * kColumns, 29);
  const auto& table = unwrapColumnsPaths();
  for (const auto& path : runnablePaths(table, table.paths[0].function)) {
    std::vector<double> out(8 * kColumns);
    path.function(q.data(), 2, 0, kColumns, out.data());
    EXPECT_TRUE(HashIs(out, 0xbd26ce486ae622fdULL)) << path.name;
  }
}

} // namespace
