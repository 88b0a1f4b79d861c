// sine() of sine.h for four lanes at once, AVX2: the same IEEE operations in
// the same order in every lane, no FMA, so each lane has sine()'s bits.
// Lanes outside kSineRange (and NaN) get <cmath>'s sin, one at a time.
#ifndef ROTKIT_ROTBLEND_SINE_AVX2_H
#define ROTKIT_ROTBLEND_SINE_AVX2_H

#include "rotblend/sine.h"
#include "simd/vector_path.h"

#if defined(__GNUC__) && !defined(ROTKIT_TARGET_AVX2)
#define ROTKIT_TARGET_AVX2 __attribute__((target("avx2")))
#endif

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

ROTKIT_TARGET_AVX2 inline __m256d sineKernelAvx2(__m256d y0, __m256d y1) {
  using namespace sine_constants;
  const __m256d z = _mm256_mul_pd(y0, y0);
  const __m256d w = _mm256_mul_pd(z, z);
  const __m256d inner = _mm256_add_pd(_mm256_set1_pd(kS2),
                                      _mm256_mul_pd(z, _mm256_add_pd(_mm256_set1_pd(kS3), _mm256_mul_pd(z, _mm256_set1_pd(kS4)))));
  const __m256d outer = _mm256_mul_pd(_mm256_mul_pd(z, w), _mm256_add_pd(_mm256_set1_pd(kS5), _mm256_mul_pd(z, _mm256_set1_pd(kS6))));
  const __m256d r = _mm256_add_pd(inner, outer);
  const __m256d v = _mm256_mul_pd(z, y0);
  const __m256d halfTail = _mm256_sub_pd(_mm256_mul_pd(_mm256_set1_pd(0.5), y1), _mm256_mul_pd(v, r));
  const __m256d correction =
      _mm256_sub_pd(_mm256_sub_pd(_mm256_mul_pd(z, halfTail), y1), _mm256_mul_pd(v, _mm256_set1_pd(kS1)));
  return _mm256_sub_pd(y0, correction);
}

ROTKIT_TARGET_AVX2 inline __m256d cosineKernelAvx2(__m256d y0, __m256d y1) {
  using namespace sine_constants;
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d z = _mm256_mul_pd(y0, y0);
  const __m256d w = _mm256_mul_pd(z, z);
  const __m256d low = _mm256_mul_pd(
      z, _mm256_add_pd(_mm256_set1_pd(kC1),
                       _mm256_mul_pd(z, _mm256_add_pd(_mm256_set1_pd(kC2), _mm256_mul_pd(z, _mm256_set1_pd(kC3))))));
  const __m256d high = _mm256_mul_pd(
      _mm256_mul_pd(w, w),
      _mm256_add_pd(_mm256_set1_pd(kC4),
                    _mm256_mul_pd(z, _mm256_add_pd(_mm256_set1_pd(kC5), _mm256_mul_pd(z, _mm256_set1_pd(kC6))))));
  const __m256d r = _mm256_add_pd(low, high);
  const __m256d hz = _mm256_mul_pd(_mm256_set1_pd(0.5), z);
  const __m256d u = _mm256_sub_pd(one, hz);
  const __m256d tail = _mm256_add_pd(_mm256_sub_pd(_mm256_sub_pd(one, u), hz),
                                     _mm256_sub_pd(_mm256_mul_pd(z, r), _mm256_mul_pd(y0, y1)));
  return _mm256_add_pd(u, tail);
}

ROTKIT_TARGET_AVX2 inline __m256d sineAvx2(__m256d x) {
  using namespace sine_constants;
  const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
  const __m256d shift = _mm256_set1_pd(kRoundingShift);
  const __m256d shifted = _mm256_add_pd(_mm256_mul_pd(x, _mm256_set1_pd(kTwoOverPi)), shift);
  const __m256d k = _mm256_sub_pd(shifted, shift);
  const __m256d a = _mm256_sub_pd(x, _mm256_mul_pd(k, _mm256_set1_pd(kHalfPi1)));
  const __m256d b = _mm256_mul_pd(k, _mm256_set1_pd(kHalfPi2));
  const __m256d s = _mm256_sub_pd(a, b);
  const __m256d lowPart =
      _mm256_sub_pd(_mm256_mul_pd(k, _mm256_set1_pd(kHalfPi2Tail)), _mm256_sub_pd(_mm256_sub_pd(a, s), b));
  const __m256d y0 = _mm256_sub_pd(s, lowPart);
  const __m256d y1 = _mm256_sub_pd(_mm256_sub_pd(s, y0), lowPart);

  // k mod 4 from the low bits of `shifted`: bit 0 picks the cosine, bit 1 negates.
  const __m256i quadrant = _mm256_castpd_si256(shifted);
  const __m256d useCosine =
      _mm256_castsi256_pd(_mm256_sub_epi64(_mm256_setzero_si256(), _mm256_and_si256(quadrant, _mm256_set1_epi64x(1))));
  const __m256d negate = _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_and_si256(quadrant, _mm256_set1_epi64x(2)), 62));
  // Mostly all four lanes take the same polynomial: then only that one runs.
  const int cosineLanes = _mm256_movemask_pd(useCosine);
  __m256d value;
  if (cosineLanes == 0) {
    value = sineKernelAvx2(y0, y1);
  } else if (cosineLanes == 0xF) {
    value = cosineKernelAvx2(y0, y1);
  } else {
    value = _mm256_blendv_pd(sineKernelAvx2(y0, y1), cosineKernelAvx2(y0, y1), useCosine);
  }
  __m256d result = _mm256_xor_pd(value, negate);
  result = _mm256_blendv_pd(result, x, _mm256_cmp_pd(magnitude, _mm256_set1_pd(kSineTiny), _CMP_LT_OQ));

  const int inRange = _mm256_movemask_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(kSineRange), _CMP_LE_OQ));
  if (inRange != 0xF) {
    alignas(32) double lanes[4];
    alignas(32) double values[4];
    _mm256_store_pd(lanes, x);
    _mm256_store_pd(values, result);
    for (int i = 0; i < 4; ++i) {
      if (!((inRange >> i) & 1)) values[i] = std::sin(lanes[i]);
    }
    result = _mm256_load_pd(values);
  }
  return result;
}

#endif
#endif
