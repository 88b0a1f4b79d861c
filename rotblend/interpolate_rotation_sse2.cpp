// SSE2 path of rotblend's columns, scalar first (w, x, y, z). Bit for bit
// blendAt: each lane performs its operations in its order; SSE2 has no
// fused multiply-add, and contraction is off; sin is <cmath>'s.
//   spherical branch: the two sines of a parameter, then its column
//     q1·w1 + p·w2 as the halves (w, x) and (y, z);
//   linear branch: two parameters at a time, one per lane, each component
//     of the blend in a register of its own, transposed into two columns.
#include "rotblend/interpolate_rotation.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

#include <cmath>
#include <cstddef>

namespace {

void sphericalColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const __m128d q1wx = _mm_setr_pd(blend.q1.w, blend.q1.x);
  const __m128d q1yz = _mm_setr_pd(blend.q1.y, blend.q1.z);
  const __m128d pwx = _mm_setr_pd(blend.p.w, blend.p.x);
  const __m128d pyz = _mm_setr_pd(blend.p.y, blend.p.z);
  for (std::uint32_t i = 0; i < count; ++i) {
    const double t = tData[i];
    const __m128d w1 = _mm_set1_pd(std::sin((1 - t) * blend.theta) * blend.r);
    const __m128d w2 = _mm_set1_pd(std::sin(blend.theta * t) * blend.r);
    double* out = outData + 4 * static_cast<std::size_t>(i);
    _mm_storeu_pd(out, _mm_add_pd(_mm_mul_pd(q1wx, w1), _mm_mul_pd(pwx, w2)));
    _mm_storeu_pd(out + 2, _mm_add_pd(_mm_mul_pd(q1yz, w1), _mm_mul_pd(pyz, w2)));
  }
}

// c = (1 − t)·q1 + t·p for one component, two parameters in the lanes.
inline __m128d blendComponent(__m128d u, __m128d t, double q1k, double pk) {
  return _mm_add_pd(_mm_mul_pd(u, _mm_set1_pd(q1k)), _mm_mul_pd(t, _mm_set1_pd(pk)));
}

void linearColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const Quaternion& q1 = blend.q1;
  const Quaternion& p = blend.p;
  const __m128d one = _mm_set1_pd(1.0);
  std::uint32_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const __m128d t = _mm_loadu_pd(tData + i);
    const __m128d u = _mm_sub_pd(one, t);
    const __m128d cw = blendComponent(u, t, q1.w, p.w);
    const __m128d cx = blendComponent(u, t, q1.x, p.x);
    const __m128d cy = blendComponent(u, t, q1.y, p.y);
    const __m128d cz = blendComponent(u, t, q1.z, p.z);
    __m128d squares = _mm_add_pd(_mm_mul_pd(cw, cw), _mm_mul_pd(cx, cx));
    squares = _mm_add_pd(squares, _mm_mul_pd(cy, cy));
    squares = _mm_add_pd(squares, _mm_mul_pd(cz, cz));
    const __m128d r = _mm_div_pd(one, _mm_sqrt_pd(squares));
    const __m128d rw = _mm_mul_pd(cw, r);
    const __m128d rx = _mm_mul_pd(cx, r);
    const __m128d ry = _mm_mul_pd(cy, r);
    const __m128d rz = _mm_mul_pd(cz, r);
    double* out = outData + 4 * static_cast<std::size_t>(i);
    _mm_storeu_pd(out, _mm_unpacklo_pd(rw, rx));
    _mm_storeu_pd(out + 2, _mm_unpacklo_pd(ry, rz));
    _mm_storeu_pd(out + 4, _mm_unpackhi_pd(rw, rx));
    _mm_storeu_pd(out + 6, _mm_unpackhi_pd(ry, rz));
  }
  for (; i < count; ++i) storeQuaternion(outData + 4 * static_cast<std::size_t>(i), blendAt(blend, tData[i]));
}

} // namespace

void blendColumnsSse2(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  if (blend.spherical) {
    sphericalColumns(blend, tData, count, outData);
  } else {
    linearColumns(blend, tData, count, outData);
  }
}

#endif
