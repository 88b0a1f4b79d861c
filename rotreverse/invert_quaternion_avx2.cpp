// AVX2 path of invertColumns: one quaternion per 256-bit register, lanes
// w, x, y, z (scalar first). Bit for bit invertQuaternion: the squared norm
// is summed x·x + w·w, + y·y, + z·z in that order, then one correctly
// rounded division per lane, and the vector part subtracted from -0.0.
// No FMA (the target is "avx2" alone, and contraction is off).
#include "invert_quaternion.h"

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

#include <cstddef>

ROTKIT_TARGET_AVX2
void invertColumnsAvx2(const double* in, double* out, std::uint32_t count) {
  const __m256d negativeZero = _mm256_set1_pd(-0.0);
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    const __m256d q = _mm256_loadu_pd(in + offset);
    const __m256d squares = _mm256_mul_pd(q, q);                             // ww xx yy zz
    const __m256d swappedPairs = _mm256_permute_pd(squares, 0x5);            // xx ww zz yy
    const __m256d swappedHalves = _mm256_permute2f128_pd(squares, squares, 0x01);  // yy zz ww xx
    const __m256d reversed = _mm256_permute_pd(swappedHalves, 0x5);          // zz yy xx ww
    // Lane 0 sums in the defined order; the other lanes are discarded.
    __m256d s = _mm256_add_pd(swappedPairs, squares);                        // xx + ww
    s = _mm256_add_pd(s, swappedHalves);                                     // + yy
    s = _mm256_add_pd(s, reversed);                                          // + zz
    s = _mm256_permute4x64_pd(s, 0x00);
    const __m256d quotients = _mm256_div_pd(q, s);
    const __m256d negated = _mm256_sub_pd(negativeZero, quotients);
    _mm256_storeu_pd(out + offset, _mm256_blend_pd(negated, quotients, 0x1));  // w/s, then −0 − x/s, ...
  }
}

#endif
