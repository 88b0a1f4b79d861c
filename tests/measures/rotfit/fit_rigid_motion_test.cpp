// rotfit's kernel against the exact fit (__float128, tests/support/
// exact_measures.h) on clusters moved by known rotations: random turns,
// turns near and at a half turn, near the identity, flat and far-off
// clusters, weights, noise; the points it leaves out; the frames where the
// rotation is not unique; the option without translation; exact scaling.
#include "measures/rotfit/fit_rigid_motion.h"

#include "support/bits.h"
#include "support/exact_measures.h"
#include "support/rotation_samples.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using exact_measures::exactFit;

struct Frames {
  std::size_t points = 0;
  std::vector<double> a, b;  // 3M x N each
  std::vector<double> w;     // M, or empty
  std::size_t count() const { return points == 0 ? 0 : b.size() / (3 * points); }
};

struct Result {
  std::vector<double> q, t, rms;
};

Result fit(const Frames& f, bool translation = true, bool sharedA = false) {
  const auto n = static_cast<std::uint32_t>(f.count());
  Result r{std::vector<double>(4 * n), std::vector<double>(3 * n), std::vector<double>(n)};
  fitRigidMotions(f.a.data(), sharedA ? 1 : n, f.b.data(), static_cast<std::uint32_t>(f.points), n,
                  f.w.empty() ? nullptr : f.w.data(), translation, r.q.data(), r.t.data(), r.rms.data());
  return r;
}

// B = R(q)·A + T exactly, rounded; plus noise of the given size.
void appendFrame(Frames& f, const std::vector<double>& a, const double* q, const std::array<double, 3>& t,
                 double noise, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  const QuadQuaternion r = quadQuaternion(q);
  const Quad n = norm(r);
  const QuadQuaternion u{r.w / n, r.x / n, r.y / n, r.z / n};
  for (std::size_t m = 0; m < f.points; ++m) {
    const QuadQuaternion p = multiply(multiply(u, {0, quadOf(a[3 * m]), quadOf(a[3 * m + 1]), quadOf(a[3 * m + 2])}),
                                      {u.w, -u.x, -u.y, -u.z});
    const Quad turned[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
      f.a.push_back(a[3 * m + i]);
      f.b.push_back(static_cast<double>(turned[i] + quadOf(t[i])) + noise * normal(random));
    }
  }
}

// M points around `centre`, spread by `sizes` along x, y and z.
std::vector<double> cluster(std::size_t m, const std::array<double, 3>& centre, const std::array<double, 3>& sizes,
                            std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::vector<double> a;
  for (std::size_t k = 0; k < m; ++k) {
    for (int i = 0; i < 3; ++i) a.push_back(centre[i] + sizes[i] * normal(random));
  }
  return a;
}

struct Errors {
  double q = 0, t = 0, rms = 0;
};

// The worst errors over the frames, in units of 2^-52, each divided by the
// condition of the fit, κ = λ1/(λ1 − λ2) (λ the eigenvalues of the exact
// Horn matrix; at least 1), which any method in double precision is bound
// by: the quaternion's components; T relative to the frame's largest
// coordinate magnitude; rms relative to that magnitude.
Errors worstErrors(const Frames& f, bool translation = true) {
  const Result r = fit(f, translation);
  Errors worst;
  for (std::size_t k = 0; k < f.count(); ++k) {
    const double* a = &f.a[3 * f.points * k];
    const double* b = &f.b[3 * f.points * k];
    const exact_measures::Fit e = exactFit(a, b, f.points, f.w, translation);
    const double condition = std::max(1.0, static_cast<double>(1 / e.gap));
    double largest = 0;
    for (std::size_t i = 0; i < 3 * f.points; ++i) largest = std::max({largest, std::fabs(a[i]), std::fabs(b[i])});
    worst.q = std::max(worst.q, componentError(&r.q[4 * k], e.rotation) / condition);
    Quad dt = 0;
    for (int i = 0; i < 3; ++i) dt += (quadOf(r.t[3 * k + i]) - e.translation[i]) * (quadOf(r.t[3 * k + i]) - e.translation[i]);
    worst.t = std::max(worst.t, static_cast<double>(sqrtQ(dt) / quadOf(largest) * 0x1p52) / condition);
    worst.rms = std::max(worst.rms, static_cast<double>(absQ(quadOf(r.rms[k]) - e.rms) / quadOf(largest) * 0x1p52) / condition);
  }
  return worst;
}

// Frames of `points` points, each a fresh cluster moved by the rotations
// of `rotations` (4 x N) and a random translation.
Frames movedClusters(const std::vector<double>& rotations, std::size_t points, const std::array<double, 3>& centre,
                     const std::array<double, 3>& sizes, double noise, std::mt19937_64& random) {
  Frames f;
  f.points = points;
  std::normal_distribution<double> normal;
  for (std::size_t k = 0; k < rotations.size() / 4; ++k) {
    const std::array<double, 3> t{100 * normal(random), 100 * normal(random), 100 * normal(random)};
    appendFrame(f, cluster(points, centre, sizes, random), &rotations[4 * k], t, noise, random);
  }
  return f;
}

// Exact data: within a few units of 2^-52 of the exact fit, times the
// fit's condition, for every kind of rotation, well spread, flat and
// far-off clusters of 4 to 8 points.
TEST(FitRigidMotions, WithinAFewUnitsOnExactData) {
  std::mt19937_64 random(101);
  const std::array<double, 3> origin{0, 0, 0}, far{1500, -800, 1200};
  const std::array<double, 3> round{50, 40, 60}, flat{80, 60, 0}, nearlyFlat{80, 60, 1};
  const std::vector<std::vector<double>> rotations = {samples::randomUnit(600, random),
                                                      samples::nearHalfTurns(600, random),
                                                      samples::nearIdentity(600, random), samples::axisAligned()};
  for (const auto& r : rotations) {
    for (std::size_t points : {4u, 6u, 8u}) {
      for (const auto& shape : {round, flat, nearlyFlat}) {
        for (const auto& centre : {origin, far}) {
          const Errors e = worstErrors(movedClusters(r, points, centre, shape, 0, random));
          EXPECT_LT(e.q, 3.0) << points << " points";
          EXPECT_LT(e.t, 8.0) << points << " points";
          EXPECT_LT(e.rms, 4.0) << points << " points";
        }
      }
    }
  }
}

// Noisy data and weights: the same level against the exact fit of the
// same noisy points.
TEST(FitRigidMotions, WithinAFewUnitsOnNoisyWeightedData) {
  std::mt19937_64 random(102);
  Frames f = movedClusters(samples::randomUnit(3000, random), 6, {200, 300, 400}, {50, 40, 60}, 2.0, random);
  EXPECT_LT(worstErrors(f).q, 3.0);
  f.w = {1, 0.5, 2, 3, 0.25, 1e-3};
  const Errors e = worstErrors(f);
  EXPECT_LT(e.q, 3.0);
  EXPECT_LT(e.t, 8.0);
  EXPECT_LT(e.rms, 4.0);
}

// A point with a non-finite coordinate, or of weight zero, is left out:
// the bits are those of the fit without it.
TEST(FitRigidMotions, LeavesOutLostPointsExactly) {
  std::mt19937_64 random(103);
  const Frames full = movedClusters(samples::randomUnit(64, random), 6, {10, 20, 30}, {50, 40, 60}, 0.5, random);
  Frames lost = full, kept;
  kept.points = 5;
  const double bad[] = {kNaN, kInf, -kInf};
  for (std::size_t k = 0; k < full.count(); ++k) {
    const std::size_t gone = k % 6;
    lost.b[18 * k + 3 * gone + k % 3] = bad[k % 3];
    if (k % 4 == 0) lost.a[18 * k + 3 * gone + 1] = kNaN;
    for (std::size_t m = 0; m < 6; ++m) {
      if (m == gone) continue;
      kept.a.insert(kept.a.end(), &full.a[18 * k + 3 * m], &full.a[18 * k + 3 * m + 3]);
      kept.b.insert(kept.b.end(), &full.b[18 * k + 3 * m], &full.b[18 * k + 3 * m + 3]);
    }
  }
  const Result a = fit(lost), b = fit(kept);
  EXPECT_TRUE(SameBits(a.q, b.q));
  EXPECT_TRUE(SameBits(a.t, b.t));
  EXPECT_TRUE(SameBits(a.rms, b.rms));

  // Weight zero leaves the third point out of every frame.
  Frames zero = full;
  zero.w = {1, 1, 0, 1, 1, 1};
  Frames without;
  without.points = 5;
  for (std::size_t k = 0; k < full.count(); ++k) {
    for (std::size_t m = 0; m < 6; ++m) {
      if (m == 2) continue;
      without.a.insert(without.a.end(), &full.a[18 * k + 3 * m], &full.a[18 * k + 3 * m + 3]);
      without.b.insert(without.b.end(), &full.b[18 * k + 3 * m], &full.b[18 * k + 3 * m + 3]);
    }
  }
  const Result c = fit(zero), d = fit(without);
  EXPECT_TRUE(SameBits(c.q, d.q));
  EXPECT_TRUE(SameBits(c.rms, d.rms));
}

bool allNaN(const Result& r, std::size_t k) {
  bool nan = std::isnan(r.rms[k]);
  for (int i = 0; i < 4; ++i) nan = nan && std::isnan(r.q[4 * k + i]);
  for (int i = 0; i < 3; ++i) nan = nan && std::isnan(r.t[3 * k + i]);
  return nan;
}

// NaN in Q, T and rms where the rotation is not unique: fewer than three
// points; points on one line, exactly or as rounding leaves them far from
// the origin; a tetrahedron matched to its mirror image. Points 1e-4 of
// the cluster off their line give a fit.
TEST(FitRigidMotions, NaNWhereTheRotationIsNotUnique) {
  std::mt19937_64 random(104);
  std::normal_distribution<double> normal;
  const double q[4] = {0.5, 0.5, -0.5, 0.5};
  Frames f;
  f.points = 4;
  // Two usable points and two lost ones.
  appendFrame(f, {0, 0, 0, 1, 0, 0, kNaN, 0, 0, 0, 0, kNaN}, q, {1, 2, 3}, 0, random);
  // On one line through rounded points, near the origin and far from it.
  for (double far : {0.0, 1e3, 1e6}) {
    for (int trial = 0; trial < 20; ++trial) {
      std::vector<double> a;
      const double u[3] = {normal(random), normal(random), normal(random)};
      for (int m = 0; m < 4; ++m) {
        const double s = 100 * normal(random);
        for (int i = 0; i < 3; ++i) a.push_back(far * (i + 1) + s * u[i]);
      }
      appendFrame(f, a, q, {1, 2, 3}, 0, random);
    }
  }
  const std::size_t lines = f.count();
  // A regular tetrahedron and its mirror image (z negated): the best
  // orthogonal map is a reflection, and every rotation about z fits alike.
  const std::vector<double> tetra = {1, 1, 1, 1, -1, -1, -1, 1, -1, -1, -1, 1};
  f.a.insert(f.a.end(), tetra.begin(), tetra.end());
  for (std::size_t m = 0; m < 4; ++m) f.b.insert(f.b.end(), {tetra[3 * m], tetra[3 * m + 1], -tetra[3 * m + 2]});
  // Off the line by 1e-12 of the cluster: still on it, as far as rounding
  // can tell; by 1e-4: a fit.
  appendFrame(f, {0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 1e-12, 0}, q, {1, 2, 3}, 0, random);
  appendFrame(f, {0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 1e-4, 0}, q, {1, 2, 3}, 0, random);
  const Result r = fit(f);
  for (std::size_t k = 0; k <= lines + 1; ++k) EXPECT_TRUE(allNaN(r, k)) << "frame " << k;
  EXPECT_LT(componentError(&r.q[4 * (lines + 2)], quadQuaternion(q)), 0x1p32);  // 2^-20: the turn about the line rests on 1e-4

  // Without translation two directions are enough, one or parallel ones not.
  Frames d;
  d.points = 2;
  appendFrame(d, {1, 0, 0, 0, 1, 0}, q, {0, 0, 0}, 0, random);
  appendFrame(d, {1, 2, 3, -2, -4, -6}, q, {0, 0, 0}, 0, random);
  appendFrame(d, {1, 2, 3, kNaN, 0, 0}, q, {0, 0, 0}, 0, random);
  const Result s = fit(d, false);
  EXPECT_LT(componentError(&s.q[0], quadQuaternion(q)), 2.0);
  EXPECT_TRUE(allNaN(s, 1));
  EXPECT_TRUE(allNaN(s, 2));
}

// Without translation the points are directions: T is zero, the rotation
// is the exact one of the uncentred points.
TEST(FitRigidMotions, TranslationOffFitsDirections) {
  std::mt19937_64 random(105);
  Frames f = movedClusters(samples::randomUnit(500, random), 5, {30, -20, 10}, {50, 40, 60}, 0.0, random);
  // Translations of 0: appendFrame added random ones; refit their frames
  // with translation off against the exact fit without it.
  const Errors e = worstErrors(f, false);
  EXPECT_LT(e.q, 3.0);
  const Result r = fit(f, false);
  for (double t : r.t) EXPECT_TRUE(sameBits(t, 0.0));
}

// The sign convention: w >= 0, and at w = 0 the first nonzero component
// positive; the identity and a half turn come out exactly.
TEST(FitRigidMotions, SignConventionAndExactTurns) {
  std::mt19937_64 random(106);
  Frames f;
  f.points = 4;
  const std::vector<double> a = {1, 0, 0, 0, 2, 0, 0, 0, 3, 1, 1, 1};
  const double identity[4] = {1, 0, 0, 0};
  const double half[4] = {0, 0, -1, 0};
  appendFrame(f, a, identity, {0, 0, 0}, 0, random);
  appendFrame(f, a, half, {0, 0, 0}, 0, random);
  const Result r = fit(f);
  EXPECT_TRUE(SameBits({r.q.begin(), r.q.begin() + 8}, {1, 0, 0, 0, 0, 0, 1, 0}));
  const Result many = fit(movedClusters(samples::nearHalfTurns(400, random), 5, {0, 0, 0}, {1, 2, 3}, 0, random));
  for (std::size_t k = 0; k < many.q.size() / 4; ++k) {
    EXPECT_FALSE(std::signbit(many.q[4 * k])) << k;
    if (many.q[4 * k] == 0) {
      EXPECT_GT(many.q[4 * k + 1] != 0 ? many.q[4 * k + 1] : many.q[4 * k + 2], 0) << k;
    }
  }
}

// Coordinates scaled by 2^700 or 2^-700, weights by any power of two: Q the
// same bits, T and rms scaled by exactly the same power; a reference
// cluster of one column gives the bits of the same cluster in every frame.
TEST(FitRigidMotions, ExactUnderPowersOfTwoAndOneReferenceCluster) {
  std::mt19937_64 random(107);
  const std::vector<double> a = cluster(5, {10, 20, 30}, {50, 40, 60}, random);
  Frames f;
  f.points = 5;
  const std::vector<double> rotations = samples::randomUnit(37, random);
  for (std::size_t k = 0; k < 37; ++k) appendFrame(f, a, &rotations[4 * k], {1, 2, 3}, 0.5, random);
  f.w = {1, 2, 3, 0.5, 1.5};
  const Result base = fit(f);
  for (double scale : {0x1p700, 0x1p-700, 0x1p-1000}) {
    Frames g = f;
    for (double& v : g.a) v *= scale;
    for (double& v : g.b) v *= scale;
    const Result r = fit(g);
    EXPECT_TRUE(SameBits(r.q, base.q)) << scale;
    std::vector<double> t = base.t, rms = base.rms;
    for (double& v : t) v *= scale;
    for (double& v : rms) v *= scale;
    EXPECT_TRUE(SameBits(r.t, t)) << scale;
    EXPECT_TRUE(SameBits(r.rms, rms)) << scale;
  }
  for (double scale : {0x1p-30, 0x1p200, 0x1p-1000}) {
    Frames g = f;
    for (double& w : g.w) w *= scale;
    const Result r = fit(g);
    EXPECT_TRUE(SameBits(r.q, base.q) && SameBits(r.t, base.t) && SameBits(r.rms, base.rms)) << scale;
  }
  Frames shared = f;
  shared.a.assign(a.begin(), a.end());
  const Result one = fit(shared, true, true);
  EXPECT_TRUE(SameBits(one.q, base.q) && SameBits(one.t, base.t) && SameBits(one.rms, base.rms));
}

}  // namespace
