// AVX2 path of rotblend's columns, scalar first (w, x, y, z). Bit for bit
// blendAt: four parameters at a time, one per lane, each lane performing
// blendAt's operations in its order, without FMA (the target is "avx2"
// alone, and contraction is off); the sines are sineAvx2, lane for lane
// sine(). Each component of the result is computed in a register of its
// own across the four parameters, then transposed into four columns.
#include "rotblend/interpolate_rotation.h"

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

#include <cstddef>

#include "rotblend/sine_avx2.h"

namespace {

// Four parameters' components -> four columns of the 4 x N output.
ROTKIT_TARGET_AVX2 inline void storeColumns(double* out, __m256d w, __m256d x, __m256d y, __m256d z) {
  const __m256d wx02 = _mm256_unpacklo_pd(w, x);  // w0 x0 w2 x2
  const __m256d wx13 = _mm256_unpackhi_pd(w, x);  // w1 x1 w3 x3
  const __m256d yz02 = _mm256_unpacklo_pd(y, z);  // y0 z0 y2 z2
  const __m256d yz13 = _mm256_unpackhi_pd(y, z);  // y1 z1 y3 z3
  _mm256_storeu_pd(out, _mm256_permute2f128_pd(wx02, yz02, 0x20));
  _mm256_storeu_pd(out + 4, _mm256_permute2f128_pd(wx13, yz13, 0x20));
  _mm256_storeu_pd(out + 8, _mm256_permute2f128_pd(wx02, yz02, 0x31));
  _mm256_storeu_pd(out + 12, _mm256_permute2f128_pd(wx13, yz13, 0x31));
}

// q1·w1 + p·w2 for one component, the q1 term first.
ROTKIT_TARGET_AVX2 inline __m256d weightedComponent(double q1k, __m256d w1, double pk, __m256d w2) {
  return _mm256_add_pd(_mm256_mul_pd(_mm256_set1_pd(q1k), w1), _mm256_mul_pd(_mm256_set1_pd(pk), w2));
}

// (1 − t)·q1 + t·p for one component.
ROTKIT_TARGET_AVX2 inline __m256d blendComponent(__m256d u, __m256d t, double q1k, double pk) {
  return _mm256_add_pd(_mm256_mul_pd(u, _mm256_set1_pd(q1k)), _mm256_mul_pd(t, _mm256_set1_pd(pk)));
}

ROTKIT_TARGET_AVX2
void sphericalColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const Quaternion& q1 = blend.q1;
  const Quaternion& p = blend.p;
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d theta = _mm256_set1_pd(blend.theta);
  const __m256d r = _mm256_set1_pd(blend.r);
  std::uint32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m256d t = _mm256_loadu_pd(tData + i);
    const __m256d w1 = _mm256_mul_pd(sineAvx2(_mm256_mul_pd(_mm256_sub_pd(one, t), theta)), r);
    const __m256d w2 = _mm256_mul_pd(sineAvx2(_mm256_mul_pd(theta, t)), r);
    storeColumns(outData + 4 * static_cast<std::size_t>(i), weightedComponent(q1.w, w1, p.w, w2),
                 weightedComponent(q1.x, w1, p.x, w2), weightedComponent(q1.y, w1, p.y, w2),
                 weightedComponent(q1.z, w1, p.z, w2));
  }
  for (; i < count; ++i) storeQuaternion(outData + 4 * static_cast<std::size_t>(i), blendAt(blend, tData[i]));
}

ROTKIT_TARGET_AVX2
void linearColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const Quaternion& q1 = blend.q1;
  const Quaternion& p = blend.p;
  const __m256d one = _mm256_set1_pd(1.0);
  std::uint32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m256d t = _mm256_loadu_pd(tData + i);
    const __m256d u = _mm256_sub_pd(one, t);
    const __m256d cw = blendComponent(u, t, q1.w, p.w);
    const __m256d cx = blendComponent(u, t, q1.x, p.x);
    const __m256d cy = blendComponent(u, t, q1.y, p.y);
    const __m256d cz = blendComponent(u, t, q1.z, p.z);
    __m256d squares = _mm256_add_pd(_mm256_mul_pd(cw, cw), _mm256_mul_pd(cx, cx));
    squares = _mm256_add_pd(squares, _mm256_mul_pd(cy, cy));
    squares = _mm256_add_pd(squares, _mm256_mul_pd(cz, cz));
    const __m256d r = _mm256_div_pd(one, _mm256_sqrt_pd(squares));
    storeColumns(outData + 4 * static_cast<std::size_t>(i), _mm256_mul_pd(cw, r), _mm256_mul_pd(cx, r),
                 _mm256_mul_pd(cy, r), _mm256_mul_pd(cz, r));
  }
  for (; i < count; ++i) storeQuaternion(outData + 4 * static_cast<std::size_t>(i), blendAt(blend, tData[i]));
}

} // namespace

void blendColumnsAvx2(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  if (blend.spherical) {
    sphericalColumns(blend, tData, count, outData);
  } else {
    linearColumns(blend, tData, count, outData);
  }
}

#endif
