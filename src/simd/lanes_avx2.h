// The AVX2 path's lanes (inside namespace rotkit::avx2, simd/each_target.h):
// four doubles per V. Each operation is the scalar path's IEEE operation in
// every lane; the target is "avx2" alone, never "fma", and contraction is
// off, so no product is fused into a sum.
struct V {
  __m256d v;
  V() = default;
  V(double x) : v(_mm256_set1_pd(x)) {}  // NOLINT: a constant in a formula spreads to every lane
  explicit V(__m256d x) : v(x) {}
};
struct M {
  __m256d m;  // every bit of a lane set, or none
};
constexpr std::uint32_t kLanes = 4;

inline V operator+(V a, V b) { return V(_mm256_add_pd(a.v, b.v)); }
inline V operator-(V a, V b) { return V(_mm256_sub_pd(a.v, b.v)); }
inline V operator*(V a, V b) { return V(_mm256_mul_pd(a.v, b.v)); }
inline V operator/(V a, V b) { return V(_mm256_div_pd(a.v, b.v)); }
inline V operator-(V a) { return V(_mm256_xor_pd(a.v, _mm256_set1_pd(-0.0))); }
inline M operator<(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_LT_OQ)}; }
inline M operator<=(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_LE_OQ)}; }
inline M operator>(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_GT_OQ)}; }
inline M operator>=(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_GE_OQ)}; }
inline M operator==(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_EQ_OQ)}; }
inline M operator!=(V a, V b) { return M{_mm256_cmp_pd(a.v, b.v, _CMP_NEQ_UQ)}; }  // true for NaN, as in C++
inline M operator&(M a, M b) { return M{_mm256_and_pd(a.m, b.m)}; }
inline M operator|(M a, M b) { return M{_mm256_or_pd(a.m, b.m)}; }
inline M operator!(M a) { return M{_mm256_xor_pd(a.m, _mm256_castsi256_pd(_mm256_set1_epi64x(-1)))}; }

inline V select(M where, V ifTrue, V ifFalse) { return V(_mm256_blendv_pd(ifFalse.v, ifTrue.v, where.m)); }
inline V sqrt(V x) { return V(_mm256_sqrt_pd(x.v)); }
inline V abs(V x) { return V(_mm256_andnot_pd(_mm256_set1_pd(-0.0), x.v)); }
inline V flipSign(V x, M where) { return V(_mm256_xor_pd(x.v, _mm256_and_pd(where.m, _mm256_set1_pd(-0.0)))); }
inline bool anyLane(M m) { return _mm256_movemask_pd(m.m) != 0; }
inline bool allLanes(M m) { return _mm256_movemask_pd(m.m) == 0xF; }
inline M signBitSet(V x) {
  return M{_mm256_castsi256_pd(_mm256_cmpgt_epi64(_mm256_setzero_si256(), _mm256_castpd_si256(x.v)))};
}
inline M reprBitSet(V x, int bit) {
  const __m256i moved = _mm256_sll_epi64(_mm256_castpd_si256(x.v), _mm_cvtsi32_si128(63 - bit));
  return signBitSet(V(_mm256_castsi256_pd(moved)));
}
inline V load(const double* p) { return V(_mm256_loadu_pd(p)); }
inline void store(double* p, V v) { _mm256_storeu_pd(p, v.v); }
inline V loadStrided(const double* p, std::size_t stride) {
  const __m128d low = _mm_loadh_pd(_mm_load_sd(p), p + stride);
  const __m128d high = _mm_loadh_pd(_mm_load_sd(p + 2 * stride), p + 3 * stride);
  return V(_mm256_insertf128_pd(_mm256_castpd128_pd256(low), high, 1));
}
inline void storeStrided(double* p, std::size_t stride, V v) {
  const __m128d low = _mm256_castpd256_pd128(v.v);
  const __m128d high = _mm256_extractf128_pd(v.v, 1);
  _mm_storel_pd(p, low);
  _mm_storeh_pd(p + stride, low);
  _mm_storel_pd(p + 2 * stride, high);
  _mm_storeh_pd(p + 3 * stride, high);
}

namespace lanes_detail {
// Two doubles from each of `first` and `first + 2·stride`, as one register.
inline __m256d loadPairs(const double* first, std::size_t stride) {
  return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(first)), _mm_loadu_pd(first + 2 * stride), 1);
}
inline void storePairs(double* first, std::size_t stride, __m256d pairs) {
  _mm_storeu_pd(first, _mm256_castpd256_pd128(pairs));
  _mm_storeu_pd(first + 2 * stride, _mm256_extractf128_pd(pairs, 1));
}
}  // namespace lanes_detail

inline void loadLanes4(const double* p, std::size_t stride, V& a, V& b, V& c, V& d) {
  if (stride == 4) {
    // Four columns in a row: whole-register loads, then a 4 x 4 transpose.
    const __m256d q0 = _mm256_loadu_pd(p);
    const __m256d q1 = _mm256_loadu_pd(p + 4);
    const __m256d q2 = _mm256_loadu_pd(p + 8);
    const __m256d q3 = _mm256_loadu_pd(p + 12);
    const __m256d ac01 = _mm256_unpacklo_pd(q0, q1);  // a0 a1 c0 c1
    const __m256d bd01 = _mm256_unpackhi_pd(q0, q1);  // b0 b1 d0 d1
    const __m256d ac23 = _mm256_unpacklo_pd(q2, q3);
    const __m256d bd23 = _mm256_unpackhi_pd(q2, q3);
    a = V(_mm256_permute2f128_pd(ac01, ac23, 0x20));
    c = V(_mm256_permute2f128_pd(ac01, ac23, 0x31));
    b = V(_mm256_permute2f128_pd(bd01, bd23, 0x20));
    d = V(_mm256_permute2f128_pd(bd01, bd23, 0x31));
    return;
  }
  const __m256d ab02 = lanes_detail::loadPairs(p, stride);               // a0 b0 a2 b2
  const __m256d ab13 = lanes_detail::loadPairs(p + stride, stride);      // a1 b1 a3 b3
  const __m256d cd02 = lanes_detail::loadPairs(p + 2, stride);           // c0 d0 c2 d2
  const __m256d cd13 = lanes_detail::loadPairs(p + stride + 2, stride);  // c1 d1 c3 d3
  a = V(_mm256_unpacklo_pd(ab02, ab13));
  b = V(_mm256_unpackhi_pd(ab02, ab13));
  c = V(_mm256_unpacklo_pd(cd02, cd13));
  d = V(_mm256_unpackhi_pd(cd02, cd13));
}
inline void storeLanes4(double* p, std::size_t stride, V a, V b, V c, V d) {
  if (stride == 4) {
    const __m256d ac01 = _mm256_permute2f128_pd(a.v, c.v, 0x20);  // a0 a1 c0 c1
    const __m256d ac23 = _mm256_permute2f128_pd(a.v, c.v, 0x31);
    const __m256d bd01 = _mm256_permute2f128_pd(b.v, d.v, 0x20);
    const __m256d bd23 = _mm256_permute2f128_pd(b.v, d.v, 0x31);
    _mm256_storeu_pd(p, _mm256_unpacklo_pd(ac01, bd01));
    _mm256_storeu_pd(p + 4, _mm256_unpackhi_pd(ac01, bd01));
    _mm256_storeu_pd(p + 8, _mm256_unpacklo_pd(ac23, bd23));
    _mm256_storeu_pd(p + 12, _mm256_unpackhi_pd(ac23, bd23));
    return;
  }
  lanes_detail::storePairs(p, stride, _mm256_unpacklo_pd(a.v, b.v));
  lanes_detail::storePairs(p + stride, stride, _mm256_unpackhi_pd(a.v, b.v));
  lanes_detail::storePairs(p + 2, stride, _mm256_unpacklo_pd(c.v, d.v));
  lanes_detail::storePairs(p + stride + 2, stride, _mm256_unpackhi_pd(c.v, d.v));
}
inline void loadLanes3(const double* p, std::size_t stride, V& a, V& b, V& c) {
  const __m256d ab02 = lanes_detail::loadPairs(p, stride);           // a0 b0 a2 b2
  const __m256d ab13 = lanes_detail::loadPairs(p + stride, stride);  // a1 b1 a3 b3
  a = V(_mm256_unpacklo_pd(ab02, ab13));
  b = V(_mm256_unpackhi_pd(ab02, ab13));
  c = loadStrided(p + 2, stride);
}
inline void storeLanes3(double* p, std::size_t stride, V a, V b, V c) {
  lanes_detail::storePairs(p, stride, _mm256_unpacklo_pd(a.v, b.v));
  lanes_detail::storePairs(p + stride, stride, _mm256_unpackhi_pd(a.v, b.v));
  storeStrided(p + 2, stride, c);
}
inline V mapLanes(V x, M where, double (*f)(double)) {
  const int lanes = _mm256_movemask_pd(where.m);
  if (lanes == 0) return x;
  alignas(32) double values[4];
  _mm256_store_pd(values, x.v);
  for (int i = 0; i < 4; ++i) {
    if ((lanes >> i) & 1) values[i] = f(values[i]);
  }
  return V(_mm256_load_pd(values));
}
