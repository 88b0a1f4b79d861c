// rotfit's kernel, written once and compiled for every vector path
// (simd/each_target.h): one frame per lane. Results are defined bit for
// bit: every product, sum, quotient and square root is rounded on its own
// in the order written below (never a fused multiply-add), in every lane.
//
// Horn's method (J. Opt. Soc. Am. A 4, 1987), per frame:
//   1. Over the usable points (six finite coordinates, weight above zero):
//      their count, Σw, and the weighted centroids ā = Σw·a/Σw, b̄ likewise
//      (zero without translation). Points go in order, each sum a running
//      sum.
//   2. S = Σ w·(a − ā)·(b − b̄)ᵀ, as Σ (w·(a − ā)_i)·(b − b̄)_j, and the
//      rounding scale ρ = Σ w·(|a|·|b − b̄| + |a − ā|·|b|) in sums of
//      magnitudes (|v| = (|x| + |y|) + |z|).
//   3. Horn's symmetric 4 x 4 matrix of S; the eigenvector of its largest
//      eigenvalue is the rotation's quaternion (Jacobi rotations,
//      measures/dominant_eigenvector_lanes.h), normalised and given w >= 0.
//      The rotation is unique when that eigenvalue exceeds the next by more
//      than 2^-44·ρ: ρ bounds, some 2^8 times over, what rounding the
//      coordinates and the sums can move the eigenvalues by, so points on
//      one line to within rounding (which leave the turn about that line
//      free) and a plane matched to its mirror image fall below it.
//   4. T = b̄ − R·ā (R·v as rotapply turns v: quaternion/lanes.h's
//      rotateVector), and rms = sqrt(Σ w·|R·a + T − b|² / Σw), each residual
//      ((R·a)_i + T_i) − b_i.
// Where a frame's largest coordinate magnitude lies outside [2^-400, 2^400]
// every coordinate is first scaled by 2^600 or 2^-600 (exact; T and rms are
// scaled back), so that no product or sum overflows or underflows; within
// that range nothing is scaled. Weights are scaled into [1, 2) first
// (measures/weights_lanes.h). Lanes past the last frame of a block compute
// on zeros and are not stored.
#include "measures/dominant_eigenvector_lanes.h"
#include "measures/weights_lanes.h"
#include "quaternion/lanes.h"

namespace rigid_fit {
constexpr double kNotUnique = 0x1p-44;  // of ρ
constexpr double kLargeCoordinate = 0x1p400;
constexpr double kSmallCoordinate = 0x1p-400;
constexpr double kScaleDown = 0x1p-600;
constexpr double kScaleUp = 0x1p600;
}  // namespace rigid_fit

// Where a block's points are: a and b point at frame k's first point (a at
// the one reference cluster when it does not advance), stride doubles from
// one frame to the next.
struct FitPoints {
  const double* a;
  bool aAdvances;
  const double* b;
  std::size_t stride;
  std::uint32_t lanes;
};

struct FitPoint {
  Vec3 a, b;
  M usable;
};

// Point m of every lane, times `scale`; zero where it is not usable.
inline FitPoint loadPoint(const FitPoints& p, std::uint32_t m, V scale) {
  const Vec3 a = p.aAdvances ? loadVectors(p.a + 3 * std::size_t{m}, p.stride, p.lanes) : spreadVector(p.a + 3 * std::size_t{m});
  const Vec3 b = loadVectors(p.b + 3 * std::size_t{m}, p.stride, p.lanes);
  const V probe = ((a.x - a.x) + (a.y - a.y)) + ((a.z - a.z) + ((b.x - b.x) + ((b.y - b.y) + (b.z - b.z))));
  const M usable = probe == 0.0;
  const V zero(0.0);
  return FitPoint{Vec3{select(usable, a.x * scale, zero), select(usable, a.y * scale, zero),
                       select(usable, a.z * scale, zero)},
                  Vec3{select(usable, b.x * scale, zero), select(usable, b.y * scale, zero),
                       select(usable, b.z * scale, zero)},
                  usable};
}

inline double pointWeight(const double* weights, double weightScale, std::uint32_t m) {
  return weights != nullptr ? weights[m] * weightScale : 1.0;
}

inline V magnitudeSum(const Vec3& v) { return (abs(v.x) + abs(v.y)) + abs(v.z); }

inline V largestOf(const Vec3& v) { return largerOf(largerOf(abs(v.x), abs(v.y)), abs(v.z)); }

// Step 1's sums.
struct CentroidSums {
  V count, weight, largest;
  Vec3 a, b;
};

inline CentroidSums centroidSums(const FitPoints& p, std::uint32_t pointCount, const double* weights, double weightScale,
                                 V scale) {
  const V zero(0.0);
  CentroidSums s{zero, zero, zero, Vec3{zero, zero, zero}, Vec3{zero, zero, zero}};
  for (std::uint32_t m = 0; m < pointCount; ++m) {
    const double weight = pointWeight(weights, weightScale, m);
    if (weight == 0.0) continue;
    const FitPoint pt = loadPoint(p, m, scale);
    const V w(weight);
    s.count = s.count + select(pt.usable, V(1.0), zero);
    s.weight = s.weight + select(pt.usable, w, zero);
    s.a = Vec3{s.a.x + w * pt.a.x, s.a.y + w * pt.a.y, s.a.z + w * pt.a.z};
    s.b = Vec3{s.b.x + w * pt.b.x, s.b.y + w * pt.b.y, s.b.z + w * pt.b.z};
    s.largest = largerOf(s.largest, largerOf(largestOf(pt.a), largestOf(pt.b)));
  }
  return s;
}

// Horn's matrix of S (S[i][j] = Σ w·a'_i·b'_j): the quadratic form qᵀ·N·q
// is Σ w·(R(q)·a')·b' for a unit q.
inline Symmetric4 hornMatrix(const V (&s)[3][3]) {
  const V xx = s[0][0], xy = s[0][1], xz = s[0][2];
  const V yx = s[1][0], yy = s[1][1], yz = s[1][2];
  const V zx = s[2][0], zy = s[2][1], zz = s[2][2];
  const V n01 = yz - zy, n02 = zx - xz, n03 = xy - yx;
  const V n12 = xy + yx, n13 = zx + xz, n23 = yz + zy;
  return Symmetric4{{{(xx + yy) + zz, n01, n02, n03},
                     {n01, (xx - yy) - zz, n12, n13},
                     {n02, n12, (yy - xx) - zz, n23},
                     {n03, n13, n23, (zz - xx) - yy}}};
}

// One block of frames, one per lane: steps 1 to 4, the results stored for
// the block's `lanes` frames (t and rms only where they are not null).
inline void fitBlock(const FitPoints& p, std::uint32_t pointCount, const double* weights, double weightScale,
                     bool translation, double* qOut, double* tOut, double* rmsOut) {
  using namespace rigid_fit;
  const V zero(0.0);
  V scale(1.0);
  CentroidSums sums = centroidSums(p, pointCount, weights, weightScale, scale);
  const M inRange = (sums.largest <= kLargeCoordinate) & ((sums.largest >= kSmallCoordinate) | (sums.largest == 0.0));
  if (!allLanes(inRange)) {
    scale = select(sums.largest > kLargeCoordinate, V(kScaleDown), select(inRange, V(1.0), V(kScaleUp)));
    sums = centroidSums(p, pointCount, weights, weightScale, scale);
  }
  const Vec3 ca = translation ? Vec3{sums.a.x / sums.weight, sums.a.y / sums.weight, sums.a.z / sums.weight}
                              : Vec3{zero, zero, zero};
  const Vec3 cb = translation ? Vec3{sums.b.x / sums.weight, sums.b.y / sums.weight, sums.b.z / sums.weight}
                              : Vec3{zero, zero, zero};

  V s[3][3] = {{zero, zero, zero}, {zero, zero, zero}, {zero, zero, zero}};
  V rho = zero;
  for (std::uint32_t m = 0; m < pointCount; ++m) {
    const double weight = pointWeight(weights, weightScale, m);
    if (weight == 0.0) continue;
    const FitPoint pt = loadPoint(p, m, scale);
    const V w(weight);
    const Vec3 da{select(pt.usable, pt.a.x - ca.x, zero), select(pt.usable, pt.a.y - ca.y, zero),
                  select(pt.usable, pt.a.z - ca.z, zero)};
    const Vec3 db{select(pt.usable, pt.b.x - cb.x, zero), select(pt.usable, pt.b.y - cb.y, zero),
                  select(pt.usable, pt.b.z - cb.z, zero)};
    const V wa[3] = {w * da.x, w * da.y, w * da.z};
    const V bv[3] = {db.x, db.y, db.z};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) s[i][j] = s[i][j] + wa[i] * bv[j];
    }
    rho = rho + w * (magnitudeSum(pt.a) * magnitudeSum(db) + magnitudeSum(da) * magnitudeSum(pt.b));
  }

  Symmetric4 horn = hornMatrix(s);
  const DominantEigen eigen = dominantEigenvector(horn);
  const Quat q = unitWithPositiveScalar(eigen.vector);
  const M good = (sums.count >= (translation ? 3.0 : 2.0)) & ((eigen.largest - eigen.second) > rho * kNotUnique);
  const V nan(std::numeric_limits<double>::quiet_NaN());
  storeQuaternions(qOut, 4, p.lanes,
                   Quat{select(good, q.w, nan), select(good, q.x, nan), select(good, q.y, nan), select(good, q.z, nan)});

  const V unscale = select(scale == kScaleDown, V(kScaleUp), select(scale == kScaleUp, V(kScaleDown), V(1.0)));
  const Vec3 turned = rotateVector(q, ca);
  const Vec3 t = translation ? Vec3{cb.x - turned.x, cb.y - turned.y, cb.z - turned.z} : Vec3{zero, zero, zero};
  if (tOut != nullptr) {
    storeVectors(tOut, 3, p.lanes,
                 Vec3{select(good, t.x * unscale, nan), select(good, t.y * unscale, nan),
                      select(good, t.z * unscale, nan)});
  }
  if (rmsOut == nullptr) return;
  V squares = zero;
  for (std::uint32_t m = 0; m < pointCount; ++m) {
    const double weight = pointWeight(weights, weightScale, m);
    if (weight == 0.0) continue;
    const FitPoint pt = loadPoint(p, m, scale);
    const Vec3 r = rotateVector(q, pt.a);
    const V rx = (r.x + t.x) - pt.b.x, ry = (r.y + t.y) - pt.b.y, rz = (r.z + t.z) - pt.b.z;
    squares = squares + select(pt.usable, V(weight) * ((rx * rx + ry * ry) + rz * rz), zero);
  }
  storeRow(rmsOut, p.lanes, select(good, sqrt(squares / sums.weight) * unscale, nan));
}

// Frames 0 .. frameCount - 1, a block of kLanes at a time.
inline void fitRigidMotions(const double* a, std::uint32_t aCols, const double* b, std::uint32_t pointCount,
                            std::uint32_t frameCount, const double* weights, bool translation, double* q, double* t,
                            double* rms) {
  const double scaleOfWeights = weightScale(weights, pointCount);
  const std::size_t stride = 3 * std::size_t{pointCount};
  const bool aAdvances = aCols > 1;
  for (std::uint32_t k = 0; k < frameCount; k += kLanes) {
    const FitPoints p{aAdvances ? a + stride * k : a, aAdvances, b + stride * k, stride, lanesFrom(k, frameCount)};
    fitBlock(p, pointCount, weights, scaleOfWeights, translation, q + 4 * std::size_t{k},
             t != nullptr ? t + 3 * std::size_t{k} : nullptr, rms != nullptr ? rms + k : nullptr);
  }
}
