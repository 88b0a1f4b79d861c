// SSE2 path of rotblend's columns, scalar first (w, x, y, z). Bit for bit
// blendAt: two parameters at a time, one per lane, each lane performing
// blendAt's operations in its order (SSE2 has no fused multiply-add, and
// contraction is off); the sines are sineSse2, lane for lane sine(). Each
// component of the result is computed in a register of its own across the
// two parameters, then transposed into two columns.
#include "rotblend/interpolate_rotation.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

#include <cstddef>

#include "rotblend/sine_sse2.h"

namespace {

// Two parameters' components -> two columns of the 4 x N output.
inline void storeColumns(double* out, __m128d w, __m128d x, __m128d y, __m128d z) {
  _mm_storeu_pd(out, _mm_unpacklo_pd(w, x));
  _mm_storeu_pd(out + 2, _mm_unpacklo_pd(y, z));
  _mm_storeu_pd(out + 4, _mm_unpackhi_pd(w, x));
  _mm_storeu_pd(out + 6, _mm_unpackhi_pd(y, z));
}

// q1·w1 + p·w2 for one component, the q1 term first.
inline __m128d weightedComponent(double q1k, __m128d w1, double pk, __m128d w2) {
  return _mm_add_pd(_mm_mul_pd(_mm_set1_pd(q1k), w1), _mm_mul_pd(_mm_set1_pd(pk), w2));
}

// (1 − t)·q1 + t·p for one component.
inline __m128d blendComponent(__m128d u, __m128d t, double q1k, double pk) {
  return _mm_add_pd(_mm_mul_pd(u, _mm_set1_pd(q1k)), _mm_mul_pd(t, _mm_set1_pd(pk)));
}

void sphericalColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const Quaternion& q1 = blend.q1;
  const Quaternion& p = blend.p;
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d theta = _mm_set1_pd(blend.theta);
  const __m128d r = _mm_set1_pd(blend.r);
  std::uint32_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const __m128d t = _mm_loadu_pd(tData + i);
    const __m128d w1 = _mm_mul_pd(sineSse2(_mm_mul_pd(_mm_sub_pd(one, t), theta)), r);
    const __m128d w2 = _mm_mul_pd(sineSse2(_mm_mul_pd(theta, t)), r);
    storeColumns(outData + 4 * static_cast<std::size_t>(i), weightedComponent(q1.w, w1, p.w, w2),
                 weightedComponent(q1.x, w1, p.x, w2), weightedComponent(q1.y, w1, p.y, w2),
                 weightedComponent(q1.z, w1, p.z, w2));
  }
  for (; i < count; ++i) storeQuaternion(outData + 4 * static_cast<std::size_t>(i), blendAt(blend, tData[i]));
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
    storeColumns(outData + 4 * static_cast<std::size_t>(i), _mm_mul_pd(cw, r), _mm_mul_pd(cx, r),
                 _mm_mul_pd(cy, r), _mm_mul_pd(cz, r));
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
