// Spherical interpolation between two quaternions (scalar first: w, x, y, z)
// along the shorter arc, with a normalised linear blend where the two lie
// closer together than kBlendThreshold.
//
// Results are defined bit for bit: every product, sum and quotient is
// rounded on its own in the term order written in the code (no fused
// multiply-add, never fast-math); sqrt and atan2 are <cmath>'s, and the sine
// is sine() of rotblend/sine.h: the toolbox's own, within 1 ulp, for the
// arguments that occur, and <cmath>'s sin for all others.
// Numbers are not guarded: NaN and Inf go through the formulas as they are.
#ifndef ROTKIT_INTERPOLATE_ROTATION_H
#define ROTKIT_INTERPOLATE_ROTATION_H

#include <cstdint>

#include "quaternion/quaternion.h"
#include "simd/vector_path.h"

#if defined(__GNUC__) && !defined(ROTKIT_TARGET_AVX2)
#define ROTKIT_TARGET_AVX2 __attribute__((target("avx2")))
#endif

// |d| at or above this (or a NaN d) takes the linear branch.
constexpr double kBlendThreshold = 0.999;

// The rotation at parameter t between q1 (t = 0) and q2 (t = 1), computed
// from scratch for this one t. When the dot product d of q1 and q2 is
// negative (strictly: not -0, not NaN) q2 is negated first, so the path is
// the shorter arc. t is not clamped: outside [0, 1] the path extrapolates.
// The spherical branch does not normalise; the linear branch does.
Quaternion interpolateRotation(const Quaternion& q1, const Quaternion& q2, double t);

// What depends on q1 and q2 alone, worked out once for many parameters:
// the possibly negated end rotation p, the branch, and for the spherical
// branch the arc angle theta and r = 1 / sin(theta).
struct RotationBlend {
  Quaternion q1;
  Quaternion p;
  bool spherical;
  double theta;
  double r;
};

RotationBlend prepareBlend(const Quaternion& q1, const Quaternion& q2);

// Bit for bit the same as interpolateRotation(q1, q2, t) for the q1 and q2
// that `blend` was prepared from.
Quaternion blendAt(const RotationBlend& blend, double t);

// outData[:, i] = interpolateRotation(q1, q2, tData[i]) for i < count, as a
// 4 x count block in column-major order. tData holds at least count doubles
// and outData has room for 4·count; outData must not overlap tData. Prepares
// the blend once and runs the widest vector path this processor has; every
// path gives the same bits. No alignment is required.
void interpolateRotations(const Quaternion& q1, const Quaternion& q2, const double* tData, std::uint32_t count,
                          double* outData);

// outData[:, i] = blendAt(blend, tData[i]) for i < count, one path each; the
// vector paths exist where ROTKIT_BUILD_SSE2 or ROTKIT_BUILD_AVX2 is defined,
// and the AVX2 path runs only where widestVectorPath() says so.
void blendColumnsScalar(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData);
#if defined(ROTKIT_BUILD_SSE2)
void blendColumnsSse2(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData);
#endif
#if defined(ROTKIT_BUILD_AVX2)
void blendColumnsAvx2(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData);
#endif

#endif
