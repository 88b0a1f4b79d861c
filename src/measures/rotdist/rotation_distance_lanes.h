// rotdist's kernel, written once and compiled for every vector path
// (simd/each_target.h): one pair of quaternions per lane, scalar first
// (w, x, y, z). Results are defined bit for bit: every operation is rounded
// on its own in the order written below (never a fused multiply-add), in
// every lane; the arc tangent is the toolbox's own (lanemath/atan2_lanes.h).
//
// The rotation from a to b is conj(a)·b (up to a positive factor, which no
// angle depends on), and its angle is θ = 2·atan2(|v|, |s|) with s its
// scalar part, the dot product a·b, and v its vector part; |s| makes q and
// −q the same rotation. Near θ = 0 the arc cosine of a dot product loses
// every digit, and even v, formed as a.w·b_v − b.w·a_v − a_v × b_v, is a
// difference of nearly equal products. So v is formed from a difference:
// of the two, u is the longer (the larger (|q|², w, x, y, z), compared in
// that order, so that the order of the arguments does not matter) and t'
// the other, given the sign nearer to u, and e = t' − u. conj(u)·u has no
// vector part, so v = ±(u.w·e_v − e.w·u_v − u_v × e_v) exactly. For
// quaternions of one length (unit ones) e is small near θ = 0 and carries
// its own digits (each component is rounded relative to itself), and the
// angle comes out within a few ulps of itself at every angle, near π too,
// where |s| is small and atan2 keeps every digit. Where the lengths differ
// by more than a factor of 2, v is formed from t' itself
// (u.w·t'_v − t'.w·u_v − u_v × t'_v), and for lengths that differ the
// angle is within a few units of 2^-52 radians.
//
// Each quaternion is first given the sign that makes w > 0 (at w = 0, the
// first nonzero of x, y, z positive), so that q and −q give the same bits.
// A quaternion whose largest component lies outside [2^-500, 2^500] is
// scaled by a power of two (exact), so that no product overflows or
// underflows, and |v| is found with its components scaled the same way. A
// zero quaternion, which is no rotation, gives NaN; so does a NaN or an
// infinite component. Do not reorder.
#include "lanemath/atan2_lanes.h"
#include "lanemath/power_scale_lanes.h"
#include "quaternion/lanes.h"

inline V largestMagnitude(const Quat& q) {
  return largerOf(largerOf(abs(q.w), abs(q.x)), largerOf(abs(q.y), abs(q.z)));
}

// q negated where that makes w > 0, or w = 0 and the first nonzero of x,
// y, z positive: q and −q give the same bits.
inline Quat canonical(const Quat& q) {
  const M flip = (q.w < 0.0) |
                 ((q.w == 0.0) & ((q.x < 0.0) | ((q.x == 0.0) & ((q.y < 0.0) | ((q.y == 0.0) & (q.z < 0.0))))));
  return Quat{flipSign(q.w, flip), flipSign(q.x, flip), flipSign(q.y, flip), flipSign(q.z, flip)};
}

inline Quat scaledBy(const Quat& q, V scale) { return Quat{q.w * scale, q.x * scale, q.y * scale, q.z * scale}; }

// True in the lanes where a magnitude lies in [2^-500, 2^500], where
// powerOfTwoScale is 1 and scaling changes nothing.
inline M unscaled(V largest) { return (largest >= 0x1p-500) & (largest <= 0x1p500); }

inline V rotationDistance(const Quat& q1, const Quat& q2) {
  const V largest1 = largestMagnitude(q1);
  const V largest2 = largestMagnitude(q2);
  // Nearly every block needs no scaling, and takes the short way (a
  // scale of 1 would change no bit).
  const M plain1 = unscaled(largest1);
  const M plain2 = unscaled(largest2);
  const bool plain = allLanes(plain1 & plain2);
  const Quat a = canonical(plain ? q1 : scaledBy(q1, powerOfTwoScale(largest1)));
  const Quat b = canonical(plain ? q2 : scaledBy(q2, powerOfTwoScale(largest2)));
  const V dot = (a.w * b.w + a.x * b.x) + (a.y * b.y + a.z * b.z);
  const V squareA = (a.w * a.w + a.x * a.x) + (a.y * a.y + a.z * a.z);
  const V squareB = (b.w * b.w + b.x * b.x) + (b.y * b.y + b.z * b.z);
  const M aFirst =
      (squareA > squareB) |
      ((squareA == squareB) &
       ((a.w > b.w) | ((a.w == b.w) & ((a.x > b.x) | ((a.x == b.x) & ((a.y > b.y) | ((a.y == b.y) & (a.z >= b.z))))))));
  const Quat u{select(aFirst, a.w, b.w), select(aFirst, a.x, b.x), select(aFirst, a.y, b.y), select(aFirst, a.z, b.z)};
  const M flip = dot < 0.0;
  const Quat t{flipSign(select(aFirst, b.w, a.w), flip), flipSign(select(aFirst, b.x, a.x), flip),
               flipSign(select(aFirst, b.y, a.y), flip), flipSign(select(aFirst, b.z, a.z), flip)};
  // Lengths more than a factor of 2 apart: the difference would lose t'
  // (e = −u where t' is below an ulp of u), and v is formed from t' itself.
  const M comparable = select(aFirst, squareB, squareA) >= select(aFirst, squareA, squareB) * 0.25;
  const Quat e{select(comparable, t.w - u.w, t.w), select(comparable, t.x - u.x, t.x),
               select(comparable, t.y - u.y, t.y), select(comparable, t.z - u.z, t.z)};
  const V vx = (u.w * e.x - e.w * u.x) - (u.y * e.z - u.z * e.y);
  const V vy = (u.w * e.y - e.w * u.y) - (u.z * e.x - u.x * e.z);
  const V vz = (u.w * e.z - e.w * u.z) - (u.x * e.y - u.y * e.x);
  // |v| with its components scaled into the range where their squares
  // neither overflow nor underflow, and scaled back (both exact).
  const V largestV = largerOf(largerOf(abs(vx), abs(vy)), abs(vz));
  V length;
  if (allLanes(unscaled(largestV))) {
    length = sqrt((vx * vx + vy * vy) + vz * vz);
  } else {
    const V scale = powerOfTwoScale(largestV);
    const V unscale = select(scale > 1.0, V(0x1p-600), select(scale < 1.0, V(0x1p600), V(1.0)));
    const V sx = vx * scale, sy = vy * scale, sz = vz * scale;
    length = sqrt((sx * sx + sy * sy) + sz * sz) * unscale;
  }
  const V angle = arcTangent2(length, abs(dot)) * 2.0;
  const M noRotation = (largest1 == 0.0) | (largest2 == 0.0);
  return select(noRotation, V(std::numeric_limits<double>::quiet_NaN()), angle);
}

// out[k] = the angle between q1[:, k or 0] and q2[:, k or 0].
inline void rotationDistances(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                              double* out, std::uint32_t outCols) {
  forQuaternionPairs(q1Data, q1Cols, q2Data, q2Cols, outCols,
                     [out](std::uint32_t k, std::uint32_t lanes, const Quat& left, const Quat& right) {
                       storeRow(out + k, lanes, rotationDistance(left, right));
                     });
}
