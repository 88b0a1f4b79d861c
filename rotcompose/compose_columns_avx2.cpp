// AVX2 path of composeColumns: one quaternion per 256-bit register, lanes
// w, x, y, z (scalar first). Bit for bit the scalar Hamilton product: no FMA
// (the target is "avx2" alone, and contraction is off).
//
// With b = (bw, bx, by, bz) in one register, the product a ⊗ b is
//     a.w·( bw,  bx,  by,  bz)
//   + a.x·(−bx,  bw, −bz,  by)
//   + a.y·(−by,  bz,  bw, −bx)
//   + a.z·(−bz, −by,  bx,  bw)
// summed in this order, which in each lane is exactly the bracketed sum of
// hamiltonProduct: u − v is u + (−v) in IEEE arithmetic, and negating a
// factor negates the rounded product exactly, signed zeros included.
#include "compose_columns.h"

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

#include <cstddef>

namespace {

// XOR with these negates the lanes that hold −0.0.
ROTKIT_TARGET_AVX2 inline __m256d signsOfX() { return _mm256_setr_pd(-0.0, 0.0, -0.0, 0.0); }
ROTKIT_TARGET_AVX2 inline __m256d signsOfY() { return _mm256_setr_pd(-0.0, 0.0, 0.0, -0.0); }
ROTKIT_TARGET_AVX2 inline __m256d signsOfZ() { return _mm256_setr_pd(-0.0, -0.0, 0.0, 0.0); }

// b's lanes in the orders its a.x, a.y and a.z terms need, signs applied.
struct PermutedFactor {
  __m256d forX;  // (−bx,  bw, −bz,  by)
  __m256d forY;  // (−by,  bz,  bw, −bx)
  __m256d forZ;  // (−bz, −by,  bx,  bw)
};

ROTKIT_TARGET_AVX2 inline PermutedFactor permuteRight(__m256d b) {
  const __m256d swappedPairs = _mm256_permute_pd(b, 0x5);             // bx bw bz by
  const __m256d swappedHalves = _mm256_permute2f128_pd(b, b, 0x01);   // by bz bw bx
  const __m256d reversed = _mm256_permute_pd(swappedHalves, 0x5);     // bz by bx bw
  return PermutedFactor{_mm256_xor_pd(swappedPairs, signsOfX()), _mm256_xor_pd(swappedHalves, signsOfY()),
                        _mm256_xor_pd(reversed, signsOfZ())};
}

// a ⊗ b from a's four components, each in every lane, and b permuted.
ROTKIT_TARGET_AVX2 inline __m256d product(__m256d aw, __m256d ax, __m256d ay, __m256d az, __m256d b,
                                          const PermutedFactor& bp) {
  __m256d r = _mm256_add_pd(_mm256_mul_pd(aw, b), _mm256_mul_pd(ax, bp.forX));
  r = _mm256_add_pd(r, _mm256_mul_pd(ay, bp.forY));
  return _mm256_add_pd(r, _mm256_mul_pd(az, bp.forZ));
}

} // namespace

ROTKIT_TARGET_AVX2
void composeColumnsAvx2(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                        double* outData, std::uint32_t outCols) {
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  if (!rightAdvances) {
    // One right factor: its permutations are formed once.
    const __m256d b = _mm256_loadu_pd(q2Data);
    const PermutedFactor bp = permuteRight(b);
    const std::size_t step = leftAdvances ? 4 : 0;
    const double* a = q1Data;
    for (std::uint32_t k = 0; k < outCols; ++k, a += step) {
      const __m256d r = product(_mm256_broadcast_sd(a), _mm256_broadcast_sd(a + 1), _mm256_broadcast_sd(a + 2),
                                _mm256_broadcast_sd(a + 3), b, bp);
      _mm256_storeu_pd(outData + 4 * static_cast<std::size_t>(k), r);
    }
    return;
  }
  if (!leftAdvances) {
    // One left factor: its components are spread across lanes once.
    const __m256d aw = _mm256_broadcast_sd(q1Data);
    const __m256d ax = _mm256_broadcast_sd(q1Data + 1);
    const __m256d ay = _mm256_broadcast_sd(q1Data + 2);
    const __m256d az = _mm256_broadcast_sd(q1Data + 3);
    for (std::uint32_t k = 0; k < outCols; ++k) {
      const std::size_t offset = 4 * static_cast<std::size_t>(k);
      const __m256d b = _mm256_loadu_pd(q2Data + offset);
      _mm256_storeu_pd(outData + offset, product(aw, ax, ay, az, b, permuteRight(b)));
    }
    return;
  }
  for (std::uint32_t k = 0; k < outCols; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    const double* a = q1Data + offset;
    const __m256d b = _mm256_loadu_pd(q2Data + offset);
    const __m256d r = product(_mm256_broadcast_sd(a), _mm256_broadcast_sd(a + 1), _mm256_broadcast_sd(a + 2),
                              _mm256_broadcast_sd(a + 3), b, permuteRight(b));
    _mm256_storeu_pd(outData + offset, r);
  }
}

#endif
