// SSE2 path of composeColumns: one quaternion in two 128-bit registers,
// (w, x) and (y, z), scalar first. Bit for bit the scalar Hamilton product:
// SSE2 has no fused multiply-add, and contraction is off.
//
// With b split into (bw, bx) and (by, bz), the product a ⊗ b is
//   (w, x) = a.w·( bw, bx) + a.x·(−bx, bw) + a.y·(−by, bz) + a.z·(−bz, −by)
//   (y, z) = a.w·( by, bz) + a.x·(−bz, by) + a.y·( bw, −bx) + a.z·( bx,  bw)
// summed in this order, which in each lane is exactly the bracketed sum of
// hamiltonProduct: u − v is u + (−v) in IEEE arithmetic, and negating a
// factor negates the rounded product exactly, signed zeros included.
#include "compose_columns.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

#include <cstddef>

namespace {

// b's halves in the orders the terms above need, signs applied.
struct SplitFactor {
  __m128d wx, yz;           // ( bw,  bx), ( by,  bz)
  __m128d xForWx, xForYz;   // (−bx,  bw), (−bz,  by)
  __m128d yForWx, yForYz;   // (−by,  bz), ( bw, −bx)
  __m128d zForWx, zForYz;   // (−bz, −by), ( bx,  bw)
};

inline SplitFactor splitRight(const double* b) {
  const __m128d negateLow = _mm_setr_pd(-0.0, 0.0);
  const __m128d negateHigh = _mm_setr_pd(0.0, -0.0);
  const __m128d negateBoth = _mm_setr_pd(-0.0, -0.0);
  const __m128d wx = _mm_loadu_pd(b);
  const __m128d yz = _mm_loadu_pd(b + 2);
  const __m128d xw = _mm_shuffle_pd(wx, wx, 1);
  const __m128d zy = _mm_shuffle_pd(yz, yz, 1);
  return SplitFactor{wx,
                     yz,
                     _mm_xor_pd(xw, negateLow),
                     _mm_xor_pd(zy, negateLow),
                     _mm_xor_pd(yz, negateLow),
                     _mm_xor_pd(wx, negateHigh),
                     _mm_xor_pd(zy, negateBoth),
                     xw};
}

// a ⊗ b from a's four components, each in both lanes; writes four doubles.
inline void storeProduct(double* out, __m128d aw, __m128d ax, __m128d ay, __m128d az, const SplitFactor& b) {
  __m128d wx = _mm_add_pd(_mm_mul_pd(aw, b.wx), _mm_mul_pd(ax, b.xForWx));
  wx = _mm_add_pd(wx, _mm_mul_pd(ay, b.yForWx));
  wx = _mm_add_pd(wx, _mm_mul_pd(az, b.zForWx));
  __m128d yz = _mm_add_pd(_mm_mul_pd(aw, b.yz), _mm_mul_pd(ax, b.xForYz));
  yz = _mm_add_pd(yz, _mm_mul_pd(ay, b.yForYz));
  yz = _mm_add_pd(yz, _mm_mul_pd(az, b.zForYz));
  _mm_storeu_pd(out, wx);
  _mm_storeu_pd(out + 2, yz);
}

inline void storeProduct(double* out, const double* a, const SplitFactor& b) {
  storeProduct(out, _mm_set1_pd(a[0]), _mm_set1_pd(a[1]), _mm_set1_pd(a[2]), _mm_set1_pd(a[3]), b);
}

} // namespace

void composeColumnsSse2(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                        double* outData, std::uint32_t outCols) {
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  if (!rightAdvances) {
    // One right factor: its halves are arranged once.
    const SplitFactor b = splitRight(q2Data);
    const std::size_t step = leftAdvances ? 4 : 0;
    const double* a = q1Data;
    for (std::uint32_t k = 0; k < outCols; ++k, a += step) {
      storeProduct(outData + 4 * static_cast<std::size_t>(k), a, b);
    }
    return;
  }
  if (!leftAdvances) {
    // One left factor: its components are spread across lanes once.
    const __m128d aw = _mm_set1_pd(q1Data[0]);
    const __m128d ax = _mm_set1_pd(q1Data[1]);
    const __m128d ay = _mm_set1_pd(q1Data[2]);
    const __m128d az = _mm_set1_pd(q1Data[3]);
    for (std::uint32_t k = 0; k < outCols; ++k) {
      const std::size_t offset = 4 * static_cast<std::size_t>(k);
      storeProduct(outData + offset, aw, ax, ay, az, splitRight(q2Data + offset));
    }
    return;
  }
  for (std::uint32_t k = 0; k < outCols; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    storeProduct(outData + offset, q1Data + offset, splitRight(q2Data + offset));
  }
}

#endif
