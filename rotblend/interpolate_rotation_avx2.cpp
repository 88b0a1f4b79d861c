// AVX2 path of rotblend's columns, scalar first (w, x, y, z). Bit for bit
// blendAt: each lane performs its operations in its order, without FMA (the
// target is "avx2" alone, and contraction is off); sin is <cmath>'s.
//   spherical branch: the two sines of a parameter, then its whole column
//     q1·w1 + p·w2 in one register;
//   linear branch: four parameters at a time, one per lane, each component
//     of the blend in a register of its own, transposed into four columns.
#include "rotblend/interpolate_rotation.h"

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

#include <cmath>
#include <cstddef>

namespace {

ROTKIT_TARGET_AVX2 inline __m256d loadQuaternionLanes(const Quaternion& q) { return _mm256_setr_pd(q.w, q.x, q.y, q.z); }

ROTKIT_TARGET_AVX2
void sphericalColumns(const RotationBlend& blend, const double* tData, std::uint32_t count, double* outData) {
  const __m256d q1 = loadQuaternionLanes(blend.q1);
  const __m256d p = loadQuaternionLanes(blend.p);
  for (std::uint32_t i = 0; i < count; ++i) {
    const double t = tData[i];
    const double w1 = std::sin((1 - t) * blend.theta) * blend.r;
    const double w2 = std::sin(blend.theta * t) * blend.r;
    const __m256d column = _mm256_add_pd(_mm256_mul_pd(q1, _mm256_set1_pd(w1)), _mm256_mul_pd(p, _mm256_set1_pd(w2)));
    _mm256_storeu_pd(outData + 4 * static_cast<std::size_t>(i), column);
  }
}

// c = (1 − t)·q1 + t·p for one component, four parameters in the lanes.
ROTKIT_TARGET_AVX2 inline __m256d blendComponent(__m256d u, __m256d t, double q1k, double pk) {
  return _mm256_add_pd(_mm256_mul_pd(u, _mm256_set1_pd(q1k)), _mm256_mul_pd(t, _mm256_set1_pd(pk)));
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
    const __m256d rw = _mm256_mul_pd(cw, r);
    const __m256d rx = _mm256_mul_pd(cx, r);
    const __m256d ry = _mm256_mul_pd(cy, r);
    const __m256d rz = _mm256_mul_pd(cz, r);
    // Components across parameters -> one column per parameter.
    const __m256d wx02 = _mm256_unpacklo_pd(rw, rx);  // w0 x0 w2 x2
    const __m256d wx13 = _mm256_unpackhi_pd(rw, rx);  // w1 x1 w3 x3
    const __m256d yz02 = _mm256_unpacklo_pd(ry, rz);  // y0 z0 y2 z2
    const __m256d yz13 = _mm256_unpackhi_pd(ry, rz);  // y1 z1 y3 z3
    double* out = outData + 4 * static_cast<std::size_t>(i);
    _mm256_storeu_pd(out, _mm256_permute2f128_pd(wx02, yz02, 0x20));
    _mm256_storeu_pd(out + 4, _mm256_permute2f128_pd(wx13, yz13, 0x20));
    _mm256_storeu_pd(out + 8, _mm256_permute2f128_pd(wx02, yz02, 0x31));
    _mm256_storeu_pd(out + 12, _mm256_permute2f128_pd(wx13, yz13, 0x31));
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
