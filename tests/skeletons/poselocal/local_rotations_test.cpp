// poselocal's kernel: each joint's local rotation is, to the bit,
// rotcompose(rotreverse(parent's global), own global) (the toolbox's
// inverse and Hamilton product, quaternion/inverse_lanes.h and
// quaternion/lanes.h), within an ulp or two of the exact one (__float128),
// and chaining the result as posechain does (parent's global times local)
// gives the global rotations back to rounding; the root's is copied bit
// for bit; parent numbers truncate as posechain's do.
#include "skeletons/poselocal/local_rotations.h"

#include "support/bits.h"
#include "support/exact_rotations.h"
#include "support/rotation_samples.h"

#define ROTKIT_SCALAR_PASS_ONLY
#define ROTKIT_LANES_KERNEL "quaternion/inverse_lanes.h"
#include "simd/each_target.h"

#include <random>

namespace {

using rotkit::scalar::Quat;

Quat at(const std::vector<double>& g, std::size_t i) { return Quat{g[i], g[i + 1], g[i + 2], g[i + 3]}; }

// A random tree: joint j's parent is one of the joints before it (1-based).
std::vector<double> randomTree(std::uint32_t joints, std::mt19937_64& random) {
  std::vector<double> parents{0};
  for (std::uint32_t j = 1; j < joints; ++j) parents.push_back(1 + static_cast<double>(random() % j));
  return parents;
}

std::vector<double> locals(const std::vector<double>& parents, const std::vector<double>& global, std::uint32_t frames) {
  std::vector<double> out(global.size());
  localRotations(static_cast<std::uint32_t>(parents.size()), parents.data(), global.data(), out.data(), frames);
  return out;
}

TEST(LocalRotations, EachJointIsRotcomposeOfRotreverseOfItsParent) {
  std::mt19937_64 random(201);
  const std::uint32_t joints = 13, frames = 57;
  const std::vector<double> parents = randomTree(joints, random);
  std::vector<double> global = samples::randomUnit(std::size_t{joints} * frames, random);
  for (std::size_t i = 0; i < global.size(); i += 7) global[i] *= 3;  // not unit: the inverse divides
  const std::vector<double> local = locals(parents, global, frames);
  for (std::uint32_t k = 0; k < frames; ++k) {
    const std::size_t column = 4 * std::size_t{joints} * k;
    EXPECT_TRUE(SameBits({&local[column], &local[column] + 4}, {&global[column], &global[column] + 4}));
    for (std::uint32_t j = 1; j < joints; ++j) {
      const std::size_t p = column + 4 * (static_cast<std::size_t>(parents[j]) - 1);
      const Quat l = rotkit::scalar::hamiltonProduct(rotkit::scalar::invertQuaternion(at(global, p)),
                                                     at(global, column + 4 * j));
      EXPECT_TRUE(SameBits({&local[column + 4 * j], &local[column + 4 * j] + 4}, {l.w, l.x, l.y, l.z}))
          << "frame " << k << ", joint " << j;
    }
  }
}

// Against conj(P)·G / |P|² in 113 bits: the worst component error over unit
// rotations of every kind, in units of 2^-52; and posechain's chaining of
// the result (in 113 bits) gives G back as closely.
TEST(LocalRotations, WithinAnUlpOrTwoAndChainingGivesGBack) {
  std::mt19937_64 random(202);
  const std::uint32_t joints = 4;
  const std::vector<double> parents = {0, 1, 2, 2};
  for (const std::vector<double>& g : {samples::randomUnit(40000, random), samples::nearHalfTurns(40000, random),
                                       samples::nearIdentity(40000, random)}) {
    const auto frames = static_cast<std::uint32_t>(g.size() / (4 * joints));
    const std::vector<double> local = locals(parents, g, frames);
    double worst = 0, chained = 0;
    for (std::uint32_t k = 0; k < frames; ++k) {
      for (std::uint32_t j = 1; j < joints; ++j) {
        const std::size_t own = 4 * (std::size_t{joints} * k + j);
        const std::size_t p = 4 * (std::size_t{joints} * k + static_cast<std::size_t>(parents[j]) - 1);
        const QuadQuaternion parent = quadQuaternion(&g[p]);
        const Quad n2 = parent.w * parent.w + parent.x * parent.x + parent.y * parent.y + parent.z * parent.z;
        const QuadQuaternion exact = multiply({parent.w / n2, -parent.x / n2, -parent.y / n2, -parent.z / n2},
                                              quadQuaternion(&g[own]));
        double e = 0, c = 0;
        const Quad ex[4] = {exact.w, exact.x, exact.y, exact.z};
        const QuadQuaternion back = multiply(parent, quadQuaternion(&local[own]));
        const Quad bk[4] = {back.w, back.x, back.y, back.z};
        for (int i = 0; i < 4; ++i) {
          e = std::max(e, static_cast<double>(absQ(quadOf(local[own + i]) - ex[i]) * 0x1p52));
          c = std::max(c, static_cast<double>(absQ(bk[i] - quadOf(g[own + i])) * 0x1p52));
        }
        worst = std::max(worst, e);
        chained = std::max(chained, c);
      }
    }
    EXPECT_LT(worst, 2.0);
    EXPECT_LT(chained, 2.5);
  }
}

TEST(LocalRotations, RootCopiedAndParentsTruncated) {
  const std::vector<double> global = {kNaN, -0.0, kInf, 0.5, 1, 0, 0, 0, 0, 1, 0, 0};
  const std::vector<double> exactParents = {-3, 1, 2}, fractional = {99.5, 1.999, 2.9};
  const std::vector<double> a = locals(exactParents, global, 1), b = locals(fractional, global, 1);
  EXPECT_TRUE(SameBits({a.begin(), a.begin() + 4}, {kNaN, -0.0, kInf, 0.5}));
  EXPECT_TRUE(SameBits(a, b));
  // [1; 0; 0; 0] inverts to [1; -0; -0; -0], whose product with i is
  // [+0; 1; +0; +0] in the product's term order.
  EXPECT_TRUE(SameBits({a.begin() + 8, a.end()}, {0, 1, 0, 0}));
}

}  // namespace
