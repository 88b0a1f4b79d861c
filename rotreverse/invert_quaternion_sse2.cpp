// SSE2 path of invertColumns: one quaternion in two 128-bit registers,
// (w, x) and (y, z), scalar first. Bit for bit invertQuaternion: the squared
// norm is summed x·x + w·w, + y·y, + z·z in that order, then one correctly
// rounded division per lane, and the vector part subtracted from -0.0.
// SSE2 has no fused multiply-add, and contraction is off.
#include "invert_quaternion.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

#include <cstddef>

void invertColumnsSse2(const double* in, double* out, std::uint32_t count) {
  const __m128d negativeZero = _mm_set1_pd(-0.0);
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    const __m128d wx = _mm_loadu_pd(in + offset);
    const __m128d yz = _mm_loadu_pd(in + offset + 2);
    const __m128d squaresWx = _mm_mul_pd(wx, wx);
    const __m128d squaresYz = _mm_mul_pd(yz, yz);
    // Both lanes: xx + ww (addition of two numbers commutes exactly), + yy, + zz.
    __m128d s = _mm_add_pd(_mm_shuffle_pd(squaresWx, squaresWx, 1), squaresWx);
    s = _mm_add_pd(s, _mm_unpacklo_pd(squaresYz, squaresYz));
    s = _mm_add_pd(s, _mm_unpackhi_pd(squaresYz, squaresYz));
    const __m128d quotientsWx = _mm_div_pd(wx, s);
    const __m128d quotientsYz = _mm_div_pd(yz, s);
    // (w/s, −0 − x/s): the low lane of the quotients, the high of the difference.
    _mm_storeu_pd(out + offset, _mm_move_sd(_mm_sub_pd(negativeZero, quotientsWx), quotientsWx));
    _mm_storeu_pd(out + offset + 2, _mm_sub_pd(negativeZero, quotientsYz));
  }
}

#endif
