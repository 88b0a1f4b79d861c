// Spherical interpolation between two quaternions (scalar first: w, x, y, z)
// along the shorter arc, with a normalised linear blend where the two lie
// closer together than kBlendThreshold; one interpolation per lane, each
// lane with end rotations of its own (compiled once per vector path by
// simd/each_target.h). rotblend (one pair of end rotations, many t) and
// rotslerp (a pair per column) both use it, so a column of rotslerp is bit
// for bit rotblend's.
//
// Results are defined bit for bit: every product, sum and quotient is
// rounded on its own in the term order written here (never a fused
// multiply-add); sqrt is IEEE's, and the arc tangent and sine are the
// toolbox's own (lanemath/atan2_lanes.h, lanemath/sine_lanes.h), within an
// ulp, so the bits are the same on every path and every processor (but for
// sines of arguments beyond 16, which are <cmath>'s). Numbers are not
// guarded: NaN and Inf go through the formulas as they are.
#if defined(ROTKIT_QUATERNION_SLERP_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_SLERP_LANES_H
#undef ROTKIT_QUATERNION_SLERP_LANES_H
#else
#define ROTKIT_QUATERNION_SLERP_LANES_H
#endif

#include "lanemath/atan2_lanes.h"
#include "lanemath/sine_lanes.h"
#include "quaternion/lanes.h"

// |d| at or above this (or a NaN d) takes the linear branch.
constexpr double kBlendThreshold = 0.999;

// What depends on the end rotations alone: the possibly negated end
// rotation p, the branch, and for the spherical branch the arc angle theta
// and r = 1 / sin(theta) (meaningless in lanes of the linear branch).
struct RotationBlend {
  Quat q1;
  Quat p;
  M spherical;
  V theta;
  V r;
};

// ((w·w' + x·x') + y·y') + z·z', in exactly this order.
inline V dotProduct(const Quat& a, const Quat& b) { return ((a.w * b.w + a.x * b.x) + a.y * b.y) + a.z * b.z; }

// When the dot product d of q1 and q2 is negative (strictly: not -0, not
// NaN), q2 is negated first, so that the path is the shorter arc.
inline RotationBlend prepareBlend(const Quat& q1, const Quat& q2) {
  const V dot = dotProduct(q1, q2);
  const M flip = dot < 0.0;
  const Quat p{flipSign(q2.w, flip), flipSign(q2.x, flip), flipSign(q2.y, flip), flipSign(q2.z, flip)};
  const V d = flipSign(dot, flip);
  RotationBlend blend{q1, p, abs(d) < kBlendThreshold, V(0.0), V(0.0)};
  if (anyLane(blend.spherical)) {
    const V s = sqrt(1.0 - d * d);
    blend.theta = arcTangent2(s, d);
    blend.r = 1.0 / s;  // both weights are multiplied by r, never divided by s
  }
  return blend;
}

// q1·w1 + p·w2 per component, the q1 term first; not normalised.
inline Quat weightedSum(const Quat& q1, V w1, const Quat& p, V w2) {
  return Quat{q1.w * w1 + p.w * w2, q1.x * w1 + p.x * w2, q1.y * w1 + p.y * w2, q1.z * w1 + p.z * w2};
}

// (1 − t)·q1 + t·p per component, scaled to unit length by the reciprocal
// of its norm (a zero blend gives 0·∞, that is NaN).
inline Quat normalisedBlend(const Quat& q1, const Quat& p, V t) {
  const V u = 1.0 - t;
  const Quat c{u * q1.w + t * p.w, u * q1.x + t * p.x, u * q1.y + t * p.y, u * q1.z + t * p.z};
  const V n = sqrt(((c.w * c.w + c.x * c.x) + c.y * c.y) + c.z * c.z);
  const V r = 1.0 / n;
  return Quat{c.w * r, c.x * r, c.y * r, c.z * r};
}

inline Quat sphericalBlend(const RotationBlend& blend, V t) {
  const V w1 = sine((1.0 - t) * blend.theta) * blend.r;
  const V w2 = sine(blend.theta * t) * blend.r;
  return weightedSum(blend.q1, w1, blend.p, w2);
}

// The rotation at parameter t between q1 (t = 0) and q2 (t = 1). t is not
// clamped: outside [0, 1] the path extrapolates. The spherical branch does
// not normalise; the linear branch does. Each lane takes its own branch;
// a branch no lane takes is not computed.
inline Quat interpolateRotation(const RotationBlend& blend, V t) {
  if (allLanes(blend.spherical)) return sphericalBlend(blend, t);
  if (!anyLane(blend.spherical)) return normalisedBlend(blend.q1, blend.p, t);
  const Quat s = sphericalBlend(blend, t);
  const Quat l = normalisedBlend(blend.q1, blend.p, t);
  const M m = blend.spherical;
  return Quat{select(m, s.w, l.w), select(m, s.x, l.x), select(m, s.y, l.y), select(m, s.z, l.z)};
}

#endif
