// The eigenvector of the largest eigenvalue of a symmetric 4 x 4 matrix per
// lane, by cyclic Jacobi rotations, for rotfit (Horn's matrix of a point
// fit) and rotmean (the weighted sum of q·qᵀ). Compiled once per vector
// path (simd/each_target.h); every lane performs the IEEE operations of the
// scalar path in the same order (never a fused multiply-add), so every path
// gives the same bits.
//
// Why Jacobi: each rotation is orthogonal to rounding and the method is
// backward stable to a few units of the matrix's norm, so the eigenvector
// of a well-separated eigenvalue comes out to a few units of 2^-52, with no
// shift, deflation or sign fix; it runs a fixed, short sequence of
// operations that a lane can follow without branches. Rotations run in the
// cyclic order (0,1) (0,2) (0,3) (1,2) (1,3) (2,3) as written by Rutishauser
// (the updates through τ = s/(1 + c)); an element no larger than 2^-64 of
// the sum of the matrix's magnitudes is set to zero without a rotation. A
// lane's sweeps end when no off-diagonal element is above that (a further
// sweep would rotate nothing): a lane that sweeps on beside slower lanes
// only sets its small elements to zero, which changes neither its diagonal
// nor its vectors, so it keeps its bits. At most kMaxSweeps sweeps run;
// rotfit's matrices took 3 to 6 (4 or 5 for nearly all) in a test of 2e5.
#if defined(ROTKIT_MEASURES_DOMINANT_EIGENVECTOR_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_MEASURES_DOMINANT_EIGENVECTOR_LANES_H
#undef ROTKIT_MEASURES_DOMINANT_EIGENVECTOR_LANES_H
#else
#define ROTKIT_MEASURES_DOMINANT_EIGENVECTOR_LANES_H
#endif

#include "lanemath/power_scale_lanes.h"  // largerOf
#include "quaternion/lanes.h"
#include "quaternion/normalize_lanes.h"

namespace dominant_eigenvector {
constexpr int kMaxSweeps = 24;
constexpr double kNegligible = 0x1p-64;  // of the sum of magnitudes
constexpr double kHugeTheta = 0x1p500;   // beyond it θ² would overflow: t = 1/(2θ)
}  // namespace dominant_eigenvector

// A symmetric 4 x 4 matrix per lane; both triangles are kept.
struct Symmetric4 {
  V a[4][4];
};

// The eigenvector (a quaternion w, x, y, z: the components in row order)
// of the largest eigenvalue, that eigenvalue and the next largest.
struct DominantEigen {
  Quat vector;
  V largest;
  V second;
};

// One Jacobi rotation in the plane (p, q) of every lane whose a[p][q] is
// above `negligible`; a[p][q] ends as zero in every lane.
inline void jacobiRotation(Symmetric4& m, V (&vectors)[4][4], int p, int q, V negligible) {
  using namespace dominant_eigenvector;
  const V apq = m.a[p][q];
  const M active = abs(apq) > negligible;
  const V theta = (m.a[q][q] - m.a[p][p]) / (apq * 2.0);
  const V magnitude = abs(theta);
  const V small = V(1.0) / (magnitude + sqrt(magnitude * magnitude + 1.0));
  const V t = flipSign(select(magnitude > kHugeTheta, V(0.5) / magnitude, small), theta < 0.0);
  const V c = V(1.0) / sqrt(t * t + 1.0);
  const V s = t * c;
  const V tau = s / (c + 1.0);
  const V h = t * apq;
  m.a[p][p] = select(active, m.a[p][p] - h, m.a[p][p]);
  m.a[q][q] = select(active, m.a[q][q] + h, m.a[q][q]);
  m.a[p][q] = V(0.0);
  m.a[q][p] = V(0.0);
  for (int r = 0; r < 4; ++r) {
    if (r == p || r == q) continue;
    const V g = m.a[r][p];
    const V k = m.a[r][q];
    const V rp = select(active, g - s * (k + g * tau), g);
    const V rq = select(active, k + s * (g - k * tau), k);
    m.a[r][p] = rp;
    m.a[p][r] = rp;
    m.a[r][q] = rq;
    m.a[q][r] = rq;
  }
  for (int r = 0; r < 4; ++r) {
    const V g = vectors[r][p];
    const V k = vectors[r][q];
    vectors[r][p] = select(active, g - s * (k + g * tau), g);
    vectors[r][q] = select(active, k + s * (g - k * tau), k);
  }
}

// The eigenvector of the largest eigenvalue of m (the first of equal
// largest diagonal elements after the sweeps), its eigenvalue and the next
// largest. m must be finite; it is overwritten. The vector's length is 1
// to rounding, its sign as the rotations leave it.
inline DominantEigen dominantEigenvector(Symmetric4& m) {
  using namespace dominant_eigenvector;
  V size(0.0);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) size = size + abs(m.a[i][j]);
  }
  const V negligible = size * kNegligible;
  V vectors[4][4];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) vectors[i][j] = V(i == j ? 1.0 : 0.0);
  }
  for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
    // A sweep that would rotate nothing is not run: that is the case
    // exactly when no off-diagonal element is above `negligible` now.
    const V largest = largerOf(largerOf(largerOf(abs(m.a[0][1]), abs(m.a[0][2])), largerOf(abs(m.a[0][3]), abs(m.a[1][2]))),
                               largerOf(abs(m.a[1][3]), abs(m.a[2][3])));
    const M open = largest > negligible;
    if (!anyLane(open)) break;
    jacobiRotation(m, vectors, 0, 1, negligible);
    jacobiRotation(m, vectors, 0, 2, negligible);
    jacobiRotation(m, vectors, 0, 3, negligible);
    jacobiRotation(m, vectors, 1, 2, negligible);
    jacobiRotation(m, vectors, 1, 3, negligible);
    jacobiRotation(m, vectors, 2, 3, negligible);
  }
  DominantEigen result{Quat{vectors[0][0], vectors[1][0], vectors[2][0], vectors[3][0]}, m.a[0][0],
                       V(-std::numeric_limits<double>::infinity())};
  for (int i = 1; i < 4; ++i) {
    const V value = m.a[i][i];
    const M larger = value > result.largest;
    result.second = select(larger, result.largest, largerOf(result.second, value));
    result.largest = select(larger, value, result.largest);
    result.vector = Quat{select(larger, vectors[0][i], result.vector.w), select(larger, vectors[1][i], result.vector.x),
                         select(larger, vectors[2][i], result.vector.y), select(larger, vectors[3][i], result.vector.z)};
  }
  return result;
}

// The result convention of rotfit and rotmean: q divided by its length
// (quaternion/normalize_lanes.h, rotnormalize's formula), then given the
// sign that makes w >= 0; where w is zero (a half turn), the sign that makes
// the first nonzero of x, y, z positive. w's own zero is +0.
inline Quat unitWithPositiveScalar(const Quat& q) {
  const Quat u = normalizeQuaternion(q);
  const M flip = (u.w < 0.0) |
                 ((u.w == 0.0) & ((u.x < 0.0) | ((u.x == 0.0) & ((u.y < 0.0) | ((u.y == 0.0) & (u.z < 0.0))))));
  return Quat{abs(u.w), flipSign(u.x, flip), flipSign(u.y, flip), flipSign(u.z, flip)};
}

#endif
