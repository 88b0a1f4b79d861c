// The kernel, bit for bit against its formulas written out step by step,
// and the geometric cases that tell a right chain from a plausible one.
#include "skeletons/posechain/evaluate_pose.h"

#include "support/bits.h"

#include <cmath>
#include <random>

// The formulas themselves, as the scalar path compiles them.
#define ROTKIT_LANES_KERNEL "skeletons/posechain/evaluate_pose_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using Quaternion = rotkit::scalar::Quat;
using Vector3 = rotkit::scalar::Vec3;
using rotkit::scalar::hamiltonProduct;
using rotkit::scalar::rotateVector;

Quaternion loadQuaternion(const double* p) { return rotkit::scalar::spreadQuaternion(p); }

// The vector rotation with every intermediate forced to memory, so the
// reference cannot be contracted or reordered by the compiler.
std::vector<double> referenceRotation(const Quaternion& q, const Vector3& v) {
  volatile double c[3], d[3], t, r[3];
  c[0] = q.y * v.z; c[0] = c[0] - q.z * v.y;
  c[1] = q.z * v.x; c[1] = c[1] - q.x * v.z;
  c[2] = q.x * v.y; c[2] = c[2] - q.y * v.x;
  d[0] = q.y * c[2]; d[0] = d[0] - q.z * c[1];
  d[1] = q.z * c[0]; d[1] = d[1] - q.x * c[2];
  d[2] = q.x * c[1]; d[2] = d[2] - q.y * c[0];
  t = q.w * 2.0;
  const double vs[3] = {v.x, v.y, v.z};
  for (int i = 0; i < 3; ++i) {
    r[i] = c[i] * t;
    r[i] = r[i] + vs[i];
    r[i] = r[i] + d[i] * 2.0;
  }
  return {r[0], r[1], r[2]};
}

// parent ⊗ local in the chain's own order of summation.
std::vector<double> referenceChain(const Quaternion& p, const Quaternion& l) {
  volatile double g[4];
  g[0] = p.w * l.w; g[0] = g[0] - p.x * l.x; g[0] = g[0] - p.y * l.y; g[0] = g[0] - p.z * l.z;
  g[1] = p.x * l.w; g[1] = g[1] + p.w * l.x; g[1] = g[1] + p.y * l.z; g[1] = g[1] - p.z * l.y;
  g[2] = p.y * l.w; g[2] = g[2] + p.w * l.y; g[2] = g[2] + p.z * l.x; g[2] = g[2] - p.x * l.z;
  g[3] = p.z * l.w; g[3] = g[3] + p.w * l.z; g[3] = g[3] + p.x * l.y; g[3] = g[3] - p.y * l.x;
  return {g[0], g[1], g[2], g[3]};
}

std::vector<double> asVector(const Vector3& v) { return {v.x, v.y, v.z}; }

// One frame of J joints: the buffers the kernel reads and writes.
struct Frame {
  std::vector<double> parents, offsets, root, local, global, joints;
  explicit Frame(std::uint32_t count)
      : parents(count, 1.0), offsets(3 * count), root(3), local(4 * count), global(4 * count, -1.0),
        joints(3 * count, -1.0) {}
  void evaluate() {
    evaluatePose(static_cast<std::uint32_t>(parents.size()), parents.data(), offsets.data(), root.data(),
                 local.data(), global.data(), joints.data());
  }
  std::vector<double> position(std::size_t j) const { return {joints[3 * j], joints[3 * j + 1], joints[3 * j + 2]}; }
};

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

TEST(RotateVector, FollowsItsTermOrderForAnyQuaternion) {
  std::mt19937_64 random(51);
  std::uniform_real_distribution<double> value(-3, 3);
  for (int trial = 0; trial < 10000; ++trial) {
    const Quaternion q{value(random), value(random), value(random), value(random)};
    const Vector3 v{value(random), value(random), value(random)};
    ASSERT_TRUE(SameBits(asVector(rotateVector(q, v)), referenceRotation(q, v))) << "trial " << trial;
  }
}

TEST(RotateVector, TurnsByUnitAndScalesByNonUnitQuaternions) {
  const double h = std::sqrt(0.5);
  expectNear(asVector(rotateVector({h, 0, 0, h}, {1, 0, 0})), {0, 1, 0}, 1e-15);
  expectNear(asVector(rotateVector({h, h, 0, 0}, {0, 1, 0})), {0, 0, 1}, 1e-15);
  EXPECT_TRUE(SameBits(asVector(rotateVector({0, 0, 0, 1}, {1, 0, 0})), {-1, 0, 0}));
  EXPECT_TRUE(SameBits(asVector(rotateVector({0, 0, 0, 2}, {1, 0, 0})), {-7, 0, 0}));
}

// A random tree with non-unit rotations: every global rotation and position
// must be the formula's, built from the parent's already computed values.
TEST(EvaluatePose, MatchesTheFormulasOnARandomTree) {
  std::mt19937_64 random(1208);
  std::uniform_real_distribution<double> value(-2, 2);
  int productOrderMatters = 0;
  for (int trial = 0; trial < 200; ++trial) {
    const std::uint32_t count = 1 + trial % 17;
    Frame f(count);
    for (std::uint32_t j = 1; j < count; ++j) {
      // Parent numbers with fractions: truncation picks the joint.
      f.parents[j] = 1 + std::uniform_int_distribution<std::uint32_t>(0, j - 1)(random) + 0.75 * (j % 2);
    }
    for (double& v : f.offsets) v = value(random);
    for (double& v : f.root) v = value(random);
    for (double& v : f.local) v = value(random);
    f.evaluate();

    std::vector<double> global(f.local.begin(), f.local.begin() + 4);
    std::vector<double> joints(f.root);
    for (std::uint32_t j = 1; j < count; ++j) {
      const std::size_t p = static_cast<std::size_t>(std::trunc(f.parents[j])) - 1;
      const Quaternion parent = loadQuaternion(global.data() + 4 * p);
      const Quaternion local = loadQuaternion(f.local.data() + 4 * j);
      const std::vector<double> g = referenceChain(parent, local);
      const Quaternion h = hamiltonProduct(parent, local);
      if (!SameBits(g, {h.w, h.x, h.y, h.z})) ++productOrderMatters;
      global.insert(global.end(), g.begin(), g.end());
      const std::vector<double> r =
          referenceRotation(loadQuaternion(g.data()), {f.offsets[3 * j], f.offsets[3 * j + 1], f.offsets[3 * j + 2]});
      for (int i = 0; i < 3; ++i) joints.push_back(r[i] + joints[3 * p + i]);
    }
    ASSERT_TRUE(SameBits(f.global, global)) << "trial " << trial;
    ASSERT_TRUE(SameBits(f.joints, joints)) << "trial " << trial;
  }
  // The chain's own order of summation is visible in the last bits.
  EXPECT_GT(productOrderMatters, 0);
}

TEST(EvaluatePose, OffsetIsTurnedByTheJointsOwnGlobalRotation) {
  const double h = std::sqrt(0.5);
  // Root at the origin, unturned; joint 1 a quarter turn about z.
  Frame quarter(2);
  quarter.local = {1, 0, 0, 0, h, 0, 0, h};
  quarter.offsets = {0, 0, 0, 1, 0, 0};
  quarter.evaluate();
  expectNear(quarter.position(1), {0, 1, 0}, 1e-15);

  // The root's quarter turn carries both offsets of a chain.
  Frame chain(3);
  chain.parents = {0, 1, 2};
  chain.root = {1, 1, 1};
  chain.local = {h, 0, 0, h, 1, 0, 0, 0, 1, 0, 0, 0};
  chain.offsets = {0, 0, 0, 1, 0, 0, 0, 2, 0};
  chain.evaluate();
  expectNear(chain.position(1), {1, 2, 1}, 1e-15);
  expectNear(chain.position(2), {-1, 2, 1}, 1e-15);
}

TEST(EvaluatePose, RootIsCopiedBitForBit) {
  Frame f(1);
  f.root = {-0.0, kNaN, 5e-324};
  f.local = {-0.0, kInf, -kInf, 0.0};
  f.evaluate();
  EXPECT_TRUE(SameBits(f.joints, {-0.0, kNaN, 5e-324}));
  EXPECT_TRUE(SameBits(f.global, {-0.0, kInf, -kInf, 0.0}));
}

TEST(EvaluatePose, TruncatesParentNumbersAndIgnoresTheRootsEntries) {
  const double h = std::sqrt(0.5);
  Frame f(3);
  f.root = {1, 2, 3};
  f.local = {h, 0, h, 0, h, 0, 0, h, 1, 0, 0, 0};
  f.parents = {kNaN, 1, 2.9};   // 2.9 names the second joint, not the root
  f.offsets = {kNaN, kNaN, kNaN, 0.5, 0, 0, 0, 0.25, 3};
  Frame g = f;
  g.parents[0] = -7;
  g.offsets = {1e300, -1e300, 1, 0.5, 0, 0, 0, 0.25, 3};
  f.evaluate();
  g.evaluate();
  EXPECT_TRUE(SameBits(f.joints, g.joints));
  EXPECT_TRUE(SameBits(f.global, g.global));
  Frame fromRoot = g;
  fromRoot.parents[2] = 1;
  fromRoot.evaluate();
  EXPECT_FALSE(SameBits(g.position(2), fromRoot.position(2)));
  g.parents[2] = 2;
  g.evaluate();
  EXPECT_TRUE(SameBits(f.joints, g.joints));
}

TEST(EvaluatePose, WritesOnlyItsJointsRows) {
  std::vector<double> parents = {0, 1}, offsets = {0, 0, 0, 1, 2, 3}, root = {4, 5, 6};
  std::vector<double> local = {1, 0, 0, 0, 1, 0, 0, 0, 99, 99, 99};  // surplus rows after 4J
  std::vector<double> global(11, 77.0), joints(8, 77.0);
  evaluatePose(2, parents.data(), offsets.data(), root.data(), local.data(), global.data(), joints.data());
  EXPECT_TRUE(SameBits(joints, {4, 5, 6, 5, 7, 9, 77, 77}));
  EXPECT_TRUE(SameBits(global, {1, 0, 0, 0, 1, 0, 0, 0, 77, 77, 77}));
  std::vector<double> untouched(4, 77.0);
  evaluatePose(0, parents.data(), offsets.data(), root.data(), local.data(), untouched.data(), untouched.data());
  EXPECT_TRUE(SameBits(untouched, {77, 77, 77, 77}));
}

} // namespace
