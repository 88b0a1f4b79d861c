// The inverse of a quaternion in lanes, scalar first (w, x, y, z): the
// conjugate divided by the squared norm, bit for bit on every path (never a
// fused multiply-add). rotreverse and poselocal share it, so that a joint's
// local rotation from poselocal is rotcompose(rotreverse(parent), joint) to
// the bit. Compiled once per vector path (simd/each_target.h).
#if defined(ROTKIT_QUATERNION_INVERSE_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_INVERSE_LANES_H
#undef ROTKIT_QUATERNION_INVERSE_LANES_H
#else
#define ROTKIT_QUATERNION_INVERSE_LANES_H
#endif

#include "quaternion/lanes.h"

// The inverse of q. The squared norm is summed x·x + w·w, then + y·y, then
// + z·z; each component has a division of its own (no reciprocal of s is
// formed). The vector part is subtracted from -0.0 rather than negated in
// some other way: the two agree on every value but NaN, and a quotient of
// +0 becomes -0, one of -0 becomes +0. A zero, tiny, huge or non-finite q
// gets whatever IEEE division yields. Do not reorder.
inline Quat invertQuaternion(const Quat& q) {
  V s = q.x * q.x + q.w * q.w;
  s = s + q.y * q.y;
  s = s + q.z * q.z;
  return Quat{q.w / s, V(-0.0) - q.x / s, V(-0.0) - q.y / s, V(-0.0) - q.z / s};
}

#endif
