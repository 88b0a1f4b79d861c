// Kernel of rotblend: plain buffers, no host calls, no allocation.
// Scalar first (w, x, y, z). Bit for bit: each operation is rounded on its
// own in the order written here (no FMA); do not reorder terms. The vector
// paths beside this file give the same bits; interpolateRotations picks one.
#include "rotblend/interpolate_rotation.h"
#include "rotblend/sine.h"

#include <cmath>
#include <cstddef>

namespace {

Quaternion negated(const Quaternion& q) { return Quaternion{-q.w, -q.x, -q.y, -q.z}; }

// ((w·w' + x·x') + y·y') + z·z', in exactly this order.
double dotProduct(const Quaternion& a, const Quaternion& b) {
  return ((a.w * b.w + a.x * b.x) + a.y * b.y) + a.z * b.z;
}

// q1·w1 + p·w2 per component, the q1 term first; not normalised.
Quaternion weightedSum(const Quaternion& q1, double w1, const Quaternion& p, double w2) {
  return Quaternion{q1.w * w1 + p.w * w2, q1.x * w1 + p.x * w2, q1.y * w1 + p.y * w2, q1.z * w1 + p.z * w2};
}

// (1 − t)·q1 + t·p per component, scaled to unit length by the reciprocal
// of its norm (a zero blend gives 0·∞, that is NaN).
Quaternion normalisedBlend(const Quaternion& q1, const Quaternion& p, double t) {
  const double u = 1 - t;
  const Quaternion c{u * q1.w + t * p.w, u * q1.x + t * p.x, u * q1.y + t * p.y, u * q1.z + t * p.z};
  const double n = std::sqrt(((c.w * c.w + c.x * c.x) + c.y * c.y) + c.z * c.z);
  const double r = 1 / n;
  return Quaternion{c.w * r, c.x * r, c.y * r, c.z * r};
}

} // namespace

Quaternion interpolateRotation(const Quaternion& q1, const Quaternion& q2, double t) {
  double d = dotProduct(q1, q2);
  Quaternion p = q2;
  if (d < 0) {  // strictly: -0 and NaN keep q2 as it is
    p = negated(q2);
    d = -d;
  }
  if (!(std::fabs(d) < kBlendThreshold)) return normalisedBlend(q1, p, t);

  const double s = std::sqrt(1 - d * d);
  const double theta = std::atan2(s, d);
  const double r = 1 / s;  // both weights are multiplied by r, never divided by s
  const double w1 = sine((1 - t) * theta) * r;
  const double w2 = sine(theta * t) * r;
  return weightedSum(q1, w1, p, w2);
}

RotationBlend prepareBlend(const Quaternion& q1, const Quaternion& q2) {
  RotationBlend blend{q1, q2, false, 0, 0};
  double d = dotProduct(q1, q2);
  if (d < 0) {
    blend.p = negated(q2);
    d = -d;
  }
  blend.spherical = std::fabs(d) < kBlendThreshold;
  if (blend.spherical) {
    const double s = std::sqrt(1 - d * d);
    blend.theta = std::atan2(s, d);
    blend.r = 1 / s;
  }
  return blend;
}

Quaternion blendAt(const RotationBlend& blend, double t) {
  if (!blend.spherical) return normalisedBlend(blend.q1, blend.p, t);
  const double w1 = sine((1 - t) * blend.theta) * blend.r;
  const double w2 = sine(blend.theta * t) * blend.r;
  return weightedSum(blend.q1, w1, blend.p, w2);
}

void interpolateRotations(const Quaternion& q1, const Quaternion& q2, const double* tData, std::uint32_t count,
                          double* outData) {
  const RotationBlend blend = prepareBlend(q1, q2);
  switch (widestVectorPath()) {
#if defined(ROTKIT_BUILD_AVX2)
    case VectorPath::avx2: blendColumnsAvx2(blend, tData, count, outData); return;
#endif
#if defined(ROTKIT_BUILD_SSE2)
    case VectorPath::sse2: blendColumnsSse2(blend, tData, count, outData); return;
#endif
    default: blendColumnsScalar(blend, tData, count, outData); return;
  }
}

void blendColumnsScalar(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  for (std::uint32_t i = 0; i < count; ++i) {
    storeQuaternion(outData + 4 * static_cast<std::size_t>(i), blendAt(blend, tData[i]));
  }
}
