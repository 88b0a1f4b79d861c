// sine() of sine.h for two lanes at once, SSE2: the same IEEE operations in
// the same order in every lane (SSE2 has no FMA), so each lane has sine()'s
// bits. Lanes outside kSineRange (and NaN) get <cmath>'s sin, one at a time.
#ifndef ROTKIT_ROTBLEND_SINE_SSE2_H
#define ROTKIT_ROTBLEND_SINE_SSE2_H

#include "rotblend/sine.h"
#include "simd/vector_path.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

inline __m128d sineKernelSse2(__m128d y0, __m128d y1) {
  using namespace sine_constants;
  const __m128d z = _mm_mul_pd(y0, y0);
  const __m128d w = _mm_mul_pd(z, z);
  const __m128d inner =
      _mm_add_pd(_mm_set1_pd(kS2), _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(kS3), _mm_mul_pd(z, _mm_set1_pd(kS4)))));
  const __m128d outer = _mm_mul_pd(_mm_mul_pd(z, w), _mm_add_pd(_mm_set1_pd(kS5), _mm_mul_pd(z, _mm_set1_pd(kS6))));
  const __m128d r = _mm_add_pd(inner, outer);
  const __m128d v = _mm_mul_pd(z, y0);
  const __m128d halfTail = _mm_sub_pd(_mm_mul_pd(_mm_set1_pd(0.5), y1), _mm_mul_pd(v, r));
  const __m128d correction = _mm_sub_pd(_mm_sub_pd(_mm_mul_pd(z, halfTail), y1), _mm_mul_pd(v, _mm_set1_pd(kS1)));
  return _mm_sub_pd(y0, correction);
}

inline __m128d cosineKernelSse2(__m128d y0, __m128d y1) {
  using namespace sine_constants;
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d z = _mm_mul_pd(y0, y0);
  const __m128d w = _mm_mul_pd(z, z);
  const __m128d low = _mm_mul_pd(
      z, _mm_add_pd(_mm_set1_pd(kC1), _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(kC2), _mm_mul_pd(z, _mm_set1_pd(kC3))))));
  const __m128d high = _mm_mul_pd(
      _mm_mul_pd(w, w),
      _mm_add_pd(_mm_set1_pd(kC4), _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(kC5), _mm_mul_pd(z, _mm_set1_pd(kC6))))));
  const __m128d r = _mm_add_pd(low, high);
  const __m128d hz = _mm_mul_pd(_mm_set1_pd(0.5), z);
  const __m128d u = _mm_sub_pd(one, hz);
  const __m128d tail =
      _mm_add_pd(_mm_sub_pd(_mm_sub_pd(one, u), hz), _mm_sub_pd(_mm_mul_pd(z, r), _mm_mul_pd(y0, y1)));
  return _mm_add_pd(u, tail);
}

// Lanes of `mask` (all ones or all zeros each) from `ifSet`, others from `ifClear`.
inline __m128d selectLanes(__m128d mask, __m128d ifSet, __m128d ifClear) {
  return _mm_or_pd(_mm_and_pd(mask, ifSet), _mm_andnot_pd(mask, ifClear));
}

inline __m128d sineSse2(__m128d x) {
  using namespace sine_constants;
  const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), x);
  const __m128d shift = _mm_set1_pd(kRoundingShift);
  const __m128d shifted = _mm_add_pd(_mm_mul_pd(x, _mm_set1_pd(kTwoOverPi)), shift);
  const __m128d k = _mm_sub_pd(shifted, shift);
  const __m128d a = _mm_sub_pd(x, _mm_mul_pd(k, _mm_set1_pd(kHalfPi1)));
  const __m128d b = _mm_mul_pd(k, _mm_set1_pd(kHalfPi2));
  const __m128d s = _mm_sub_pd(a, b);
  const __m128d lowPart = _mm_sub_pd(_mm_mul_pd(k, _mm_set1_pd(kHalfPi2Tail)), _mm_sub_pd(_mm_sub_pd(a, s), b));
  const __m128d y0 = _mm_sub_pd(s, lowPart);
  const __m128d y1 = _mm_sub_pd(_mm_sub_pd(s, y0), lowPart);

  // k mod 4 from the low bits of `shifted`: bit 0 picks the cosine, bit 1 negates.
  const __m128i quadrant = _mm_castpd_si128(shifted);
  const __m128d useCosine =
      _mm_castsi128_pd(_mm_sub_epi64(_mm_setzero_si128(), _mm_and_si128(quadrant, _mm_set1_epi64x(1))));
  const __m128d negate = _mm_castsi128_pd(_mm_slli_epi64(_mm_and_si128(quadrant, _mm_set1_epi64x(2)), 62));
  // Mostly both lanes take the same polynomial: then only that one runs.
  const int cosineLanes = _mm_movemask_pd(useCosine);
  __m128d value;
  if (cosineLanes == 0) {
    value = sineKernelSse2(y0, y1);
  } else if (cosineLanes == 0x3) {
    value = cosineKernelSse2(y0, y1);
  } else {
    value = selectLanes(useCosine, cosineKernelSse2(y0, y1), sineKernelSse2(y0, y1));
  }
  const __m128d result =
      selectLanes(_mm_cmplt_pd(magnitude, _mm_set1_pd(kSineTiny)), x, _mm_xor_pd(value, negate));

  const int inRange = _mm_movemask_pd(_mm_cmple_pd(magnitude, _mm_set1_pd(kSineRange)));
  if (inRange == 0x3) return result;
  alignas(16) double lanes[2];
  alignas(16) double values[2];
  _mm_store_pd(lanes, x);
  _mm_store_pd(values, result);
  for (int i = 0; i < 2; ++i) {
    if (!((inRange >> i) & 1)) values[i] = std::sin(lanes[i]);
  }
  return _mm_load_pd(values);
}

#endif
#endif
