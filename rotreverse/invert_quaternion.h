// Quaternion inverse, scalar first (w, x, y, z): the conjugate divided by
// the squared norm. Results are defined bit for bit: every product, sum and
// quotient is rounded on its own in the order written below (build with
// -ffp-contract=off, never with fast-math). A non-unit quaternion is
// inverted, not normalised, and no value is guarded against.
#ifndef ROTKIT_INVERT_QUATERNION_H
#define ROTKIT_INVERT_QUATERNION_H

#include <cstdint>

#include "quaternion/quaternion.h"
#include "simd/vector_path.h"

// The inverse of q. The squared norm is summed x·x + w·w, then + y·y, then
// + z·z; each component has a division of its own (no reciprocal of s is
// formed). The vector part is subtracted from -0.0 rather than negated in
// some other way: the two agree on every value but NaN, and a quotient of
// +0 becomes -0, one of -0 becomes +0. A zero, tiny, huge or non-finite q
// gets whatever IEEE division yields. Do not reorder.
inline Quaternion invertQuaternion(const Quaternion& q) {
  double s = q.x * q.x + q.w * q.w;
  s = s + q.y * q.y;
  s = s + q.z * q.z;
  Quaternion r;
  r.w = q.w / s;
  r.x = -0.0 - (q.x / s);
  r.y = -0.0 - (q.y / s);
  r.z = -0.0 - (q.z / s);
  return r;
}

// Inverts `count` quaternions in storage order: the group of four doubles
// at in[4k] goes, inverted, to out[4k], for k = 0 .. count - 1. Runs the
// widest vector path this processor has; every path gives the same bits.
// Preconditions: `in` holds at least 4·count doubles and `out` has room for
// 4·count; the two do not overlap. No alignment is required.
void invertColumns(const double* in, double* out, std::uint32_t count);

// The same, one path each; the vector paths exist where ROTKIT_BUILD_SSE2 or
// ROTKIT_BUILD_AVX2 is defined, and the AVX2 path runs only where
// widestVectorPath() says so.
void invertColumnsScalar(const double* in, double* out, std::uint32_t count);
#if defined(ROTKIT_BUILD_SSE2)
void invertColumnsSse2(const double* in, double* out, std::uint32_t count);
#endif
#if defined(ROTKIT_BUILD_AVX2)
void invertColumnsAvx2(const double* in, double* out, std::uint32_t count);
#endif

#endif
