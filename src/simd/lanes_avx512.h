// The AVX-512 path's lanes (inside namespace rotkit::avx512,
// simd/each_target.h): eight doubles per V, lane masks in mask registers.
// Each operation is the scalar path's IEEE operation in every lane; the
// target is "avx512f,avx512dq", contraction is off, and no fused
// multiply-add is ever written, so no product is fused into a sum.
struct V {
  __m512d v;
  V() = default;
  V(double x) : v(_mm512_set1_pd(x)) {}  // NOLINT: a constant in a formula spreads to every lane
  explicit V(__m512d x) : v(x) {}
};
struct M {
  __mmask8 k;  // bit i for lane i
};
constexpr std::uint32_t kLanes = 8;

inline V operator+(V a, V b) { return V(_mm512_add_pd(a.v, b.v)); }
inline V operator-(V a, V b) { return V(_mm512_sub_pd(a.v, b.v)); }
inline V operator*(V a, V b) { return V(_mm512_mul_pd(a.v, b.v)); }
inline V operator/(V a, V b) { return V(_mm512_div_pd(a.v, b.v)); }
inline V operator-(V a) { return V(_mm512_xor_pd(a.v, _mm512_set1_pd(-0.0))); }
inline M operator<(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_LT_OQ)}; }
inline M operator<=(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_LE_OQ)}; }
inline M operator>(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_GT_OQ)}; }
inline M operator>=(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_GE_OQ)}; }
inline M operator==(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_EQ_OQ)}; }
inline M operator!=(V a, V b) { return M{_mm512_cmp_pd_mask(a.v, b.v, _CMP_NEQ_UQ)}; }  // true for NaN, as in C++
inline M operator&(M a, M b) { return M{static_cast<__mmask8>(a.k & b.k)}; }
inline M operator|(M a, M b) { return M{static_cast<__mmask8>(a.k | b.k)}; }
inline M operator!(M a) { return M{static_cast<__mmask8>(~a.k)}; }

inline V select(M where, V ifTrue, V ifFalse) { return V(_mm512_mask_blend_pd(where.k, ifFalse.v, ifTrue.v)); }
inline V sqrt(V x) { return V(_mm512_sqrt_pd(x.v)); }
inline V abs(V x) { return V(_mm512_andnot_pd(_mm512_set1_pd(-0.0), x.v)); }
inline V flipSign(V x, M where) { return V(_mm512_mask_xor_pd(x.v, where.k, x.v, _mm512_set1_pd(-0.0))); }
inline bool anyLane(M m) { return m.k != 0; }
inline bool allLanes(M m) { return m.k == 0xFF; }
inline M signBitSet(V x) { return M{_mm512_movepi64_mask(_mm512_castpd_si512(x.v))}; }
inline M reprBitSet(V x, int bit) {
  return M{_mm512_test_epi64_mask(_mm512_castpd_si512(x.v), _mm512_set1_epi64(static_cast<long long>(1ULL << bit)))};
}
inline V load(const double* p) { return V(_mm512_loadu_pd(p)); }
inline void store(double* p, V v) { _mm512_storeu_pd(p, v.v); }

namespace lanes_detail {
// Lanes i and i + 4 of a 512-bit register from two 256-bit halves.
inline __m512d joinHalves(__m256d low, __m256d high) {
  return _mm512_insertf64x4(_mm512_castpd256_pd512(low), high, 1);
}
inline __m256d strided4(const double* p, std::size_t stride) {
  const __m128d low = _mm_loadh_pd(_mm_load_sd(p), p + stride);
  const __m128d high = _mm_loadh_pd(_mm_load_sd(p + 2 * stride), p + 3 * stride);
  return _mm256_insertf128_pd(_mm256_castpd128_pd256(low), high, 1);
}
inline void storeStrided4(double* p, std::size_t stride, __m256d v) {
  const __m128d low = _mm256_castpd256_pd128(v);
  const __m128d high = _mm256_extractf128_pd(v, 1);
  _mm_storel_pd(p, low);
  _mm_storeh_pd(p + stride, low);
  _mm_storel_pd(p + 2 * stride, high);
  _mm_storeh_pd(p + 3 * stride, high);
}
}  // namespace lanes_detail

inline V loadStrided(const double* p, std::size_t stride) {
  return V(lanes_detail::joinHalves(lanes_detail::strided4(p, stride), lanes_detail::strided4(p + 4 * stride, stride)));
}
inline void storeStrided(double* p, std::size_t stride, V v) {
  lanes_detail::storeStrided4(p, stride, _mm512_castpd512_pd256(v.v));
  lanes_detail::storeStrided4(p + 4 * stride, stride, _mm512_extractf64x4_pd(v.v, 1));
}
// Eight columns of four: column i's four doubles at p + i·stride. Lanes i
// and i + 4 come in together; unpacking pairs them with their neighbours,
// and one two-source permute per row puts the lanes in column order.
inline void loadLanes4(const double* p, std::size_t stride, V& a, V& b, V& c, V& d) {
  using lanes_detail::joinHalves;
  const __m512d q04 = joinHalves(_mm256_loadu_pd(p), _mm256_loadu_pd(p + 4 * stride));
  const __m512d q15 = joinHalves(_mm256_loadu_pd(p + stride), _mm256_loadu_pd(p + 5 * stride));
  const __m512d q26 = joinHalves(_mm256_loadu_pd(p + 2 * stride), _mm256_loadu_pd(p + 6 * stride));
  const __m512d q37 = joinHalves(_mm256_loadu_pd(p + 3 * stride), _mm256_loadu_pd(p + 7 * stride));
  const __m512d ac01 = _mm512_unpacklo_pd(q04, q15);  // a0 a1 c0 c1 a4 a5 c4 c5
  const __m512d bd01 = _mm512_unpackhi_pd(q04, q15);  // b0 b1 d0 d1 b4 b5 d4 d5
  const __m512d ac23 = _mm512_unpacklo_pd(q26, q37);  // a2 a3 c2 c3 a6 a7 c6 c7
  const __m512d bd23 = _mm512_unpackhi_pd(q26, q37);  // b2 b3 d2 d3 b6 b7 d6 d7
  const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 4, 5, 12, 13);
  const __m512i second = _mm512_setr_epi64(2, 3, 10, 11, 6, 7, 14, 15);
  a = V(_mm512_permutex2var_pd(ac01, first, ac23));
  c = V(_mm512_permutex2var_pd(ac01, second, ac23));
  b = V(_mm512_permutex2var_pd(bd01, first, bd23));
  d = V(_mm512_permutex2var_pd(bd01, second, bd23));
}
inline void storeLanes4(double* p, std::size_t stride, V a, V b, V c, V d) {
  // The inverse of loadLanes4: back to pairs of neighbours, then columns.
  const __m512i low = _mm512_setr_epi64(0, 1, 8, 9, 4, 5, 12, 13);
  const __m512i high = _mm512_setr_epi64(2, 3, 10, 11, 6, 7, 14, 15);
  const __m512d ac01 = _mm512_permutex2var_pd(a.v, low, c.v);   // a0 a1 c0 c1 a4 a5 c4 c5
  const __m512d ac23 = _mm512_permutex2var_pd(a.v, high, c.v);  // a2 a3 c2 c3 a6 a7 c6 c7
  const __m512d bd01 = _mm512_permutex2var_pd(b.v, low, d.v);
  const __m512d bd23 = _mm512_permutex2var_pd(b.v, high, d.v);
  const __m512d q04 = _mm512_unpacklo_pd(ac01, bd01);  // a0 b0 c0 d0 a4 b4 c4 d4
  const __m512d q15 = _mm512_unpackhi_pd(ac01, bd01);
  const __m512d q26 = _mm512_unpacklo_pd(ac23, bd23);
  const __m512d q37 = _mm512_unpackhi_pd(ac23, bd23);
  _mm256_storeu_pd(p, _mm512_castpd512_pd256(q04));
  _mm256_storeu_pd(p + stride, _mm512_castpd512_pd256(q15));
  _mm256_storeu_pd(p + 2 * stride, _mm512_castpd512_pd256(q26));
  _mm256_storeu_pd(p + 3 * stride, _mm512_castpd512_pd256(q37));
  _mm256_storeu_pd(p + 4 * stride, _mm512_extractf64x4_pd(q04, 1));
  _mm256_storeu_pd(p + 5 * stride, _mm512_extractf64x4_pd(q15, 1));
  _mm256_storeu_pd(p + 6 * stride, _mm512_extractf64x4_pd(q26, 1));
  _mm256_storeu_pd(p + 7 * stride, _mm512_extractf64x4_pd(q37, 1));
}
// Three rows: the first two as pairs of neighbours, one 128-bit load or
// store per column (even columns in one register, odd in the other, so that
// unpacking gives the rows in column order), the third strided.
namespace lanes_detail {
inline __m512d loadPairs4(const double* first, std::size_t stride) {
  __m512d pairs = _mm512_castpd128_pd512(_mm_loadu_pd(first));
  pairs = _mm512_insertf64x2(pairs, _mm_loadu_pd(first + 2 * stride), 1);
  pairs = _mm512_insertf64x2(pairs, _mm_loadu_pd(first + 4 * stride), 2);
  return _mm512_insertf64x2(pairs, _mm_loadu_pd(first + 6 * stride), 3);
}
inline void storePairs4(double* first, std::size_t stride, __m512d pairs) {
  _mm_storeu_pd(first, _mm512_castpd512_pd128(pairs));
  const __m256d high = _mm512_extractf64x4_pd(pairs, 1);
  _mm_storeu_pd(first + 2 * stride, _mm256_extractf128_pd(_mm512_castpd512_pd256(pairs), 1));
  _mm_storeu_pd(first + 4 * stride, _mm256_castpd256_pd128(high));
  _mm_storeu_pd(first + 6 * stride, _mm256_extractf128_pd(high, 1));
}
}  // namespace lanes_detail

inline void loadLanes3(const double* p, std::size_t stride, V& a, V& b, V& c) {
  const __m512d even = lanes_detail::loadPairs4(p, stride);         // a0 b0 a2 b2 a4 b4 a6 b6
  const __m512d odd = lanes_detail::loadPairs4(p + stride, stride);  // a1 b1 a3 b3 ...
  a = V(_mm512_unpacklo_pd(even, odd));
  b = V(_mm512_unpackhi_pd(even, odd));
  c = loadStrided(p + 2, stride);
}
inline void storeLanes3(double* p, std::size_t stride, V a, V b, V c) {
  lanes_detail::storePairs4(p, stride, _mm512_unpacklo_pd(a.v, b.v));
  lanes_detail::storePairs4(p + stride, stride, _mm512_unpackhi_pd(a.v, b.v));
  storeStrided(p + 2, stride, c);
}
inline V mapLanes(V x, M where, double (*f)(double)) {
  if (where.k == 0) return x;
  alignas(64) double values[8];
  _mm512_store_pd(values, x.v);
  for (int i = 0; i < 8; ++i) {
    if ((where.k >> i) & 1) values[i] = f(values[i]);
  }
  return V(_mm512_load_pd(values));
}
