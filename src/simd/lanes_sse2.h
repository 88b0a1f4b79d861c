// The SSE2 path's lanes (inside namespace rotkit::sse2, simd/each_target.h):
// two doubles per V. Each operation is the scalar path's IEEE operation in
// every lane; SSE2 has no fused multiply-add.
struct V {
  __m128d v;
  V() = default;
  V(double x) : v(_mm_set1_pd(x)) {}  // NOLINT: a constant in a formula spreads to every lane
  explicit V(__m128d x) : v(x) {}
};
struct M {
  __m128d m;  // every bit of a lane set, or none
};
constexpr std::uint32_t kLanes = 2;

inline V operator+(V a, V b) { return V(_mm_add_pd(a.v, b.v)); }
inline V operator-(V a, V b) { return V(_mm_sub_pd(a.v, b.v)); }
inline V operator*(V a, V b) { return V(_mm_mul_pd(a.v, b.v)); }
inline V operator/(V a, V b) { return V(_mm_div_pd(a.v, b.v)); }
inline V operator-(V a) { return V(_mm_xor_pd(a.v, _mm_set1_pd(-0.0))); }
inline M operator<(V a, V b) { return M{_mm_cmplt_pd(a.v, b.v)}; }
inline M operator<=(V a, V b) { return M{_mm_cmple_pd(a.v, b.v)}; }
inline M operator>(V a, V b) { return M{_mm_cmpgt_pd(a.v, b.v)}; }
inline M operator>=(V a, V b) { return M{_mm_cmpge_pd(a.v, b.v)}; }
inline M operator==(V a, V b) { return M{_mm_cmpeq_pd(a.v, b.v)}; }
inline M operator!=(V a, V b) { return M{_mm_cmpneq_pd(a.v, b.v)}; }  // true for NaN, as in C++
inline M operator&(M a, M b) { return M{_mm_and_pd(a.m, b.m)}; }
inline M operator|(M a, M b) { return M{_mm_or_pd(a.m, b.m)}; }
inline M operator!(M a) { return M{_mm_xor_pd(a.m, _mm_castsi128_pd(_mm_set1_epi32(-1)))}; }

inline V select(M where, V ifTrue, V ifFalse) {
  return V(_mm_or_pd(_mm_and_pd(where.m, ifTrue.v), _mm_andnot_pd(where.m, ifFalse.v)));
}
inline V sqrt(V x) { return V(_mm_sqrt_pd(x.v)); }
inline V abs(V x) { return V(_mm_andnot_pd(_mm_set1_pd(-0.0), x.v)); }
inline V flipSign(V x, M where) { return V(_mm_xor_pd(x.v, _mm_and_pd(where.m, _mm_set1_pd(-0.0)))); }
inline bool anyLane(M m) { return _mm_movemask_pd(m.m) != 0; }
inline bool allLanes(M m) { return _mm_movemask_pd(m.m) == 0x3; }
// The sign bit of each lane spread over the lane: copy the high 32-bit half
// of each lane to both halves, then shift arithmetically.
inline M signBitSet(V x) {
  return M{_mm_castsi128_pd(_mm_srai_epi32(_mm_shuffle_epi32(_mm_castpd_si128(x.v), 0xF5), 31))};
}
inline M reprBitSet(V x, int bit) {
  const __m128i moved = _mm_sll_epi64(_mm_castpd_si128(x.v), _mm_cvtsi32_si128(63 - bit));
  return signBitSet(V(_mm_castsi128_pd(moved)));
}
inline V load(const double* p) { return V(_mm_loadu_pd(p)); }
inline void store(double* p, V v) { _mm_storeu_pd(p, v.v); }
inline V loadStrided(const double* p, std::size_t stride) { return V(_mm_loadh_pd(_mm_load_sd(p), p + stride)); }
inline void storeStrided(double* p, std::size_t stride, V v) {
  _mm_storel_pd(p, v.v);
  _mm_storeh_pd(p + stride, v.v);
}
inline void loadLanes4(const double* p, std::size_t stride, V& a, V& b, V& c, V& d) {
  const __m128d ab0 = _mm_loadu_pd(p);
  const __m128d cd0 = _mm_loadu_pd(p + 2);
  const __m128d ab1 = _mm_loadu_pd(p + stride);
  const __m128d cd1 = _mm_loadu_pd(p + stride + 2);
  a = V(_mm_unpacklo_pd(ab0, ab1));
  b = V(_mm_unpackhi_pd(ab0, ab1));
  c = V(_mm_unpacklo_pd(cd0, cd1));
  d = V(_mm_unpackhi_pd(cd0, cd1));
}
inline void storeLanes4(double* p, std::size_t stride, V a, V b, V c, V d) {
  _mm_storeu_pd(p, _mm_unpacklo_pd(a.v, b.v));
  _mm_storeu_pd(p + 2, _mm_unpacklo_pd(c.v, d.v));
  _mm_storeu_pd(p + stride, _mm_unpackhi_pd(a.v, b.v));
  _mm_storeu_pd(p + stride + 2, _mm_unpackhi_pd(c.v, d.v));
}
inline void loadLanes3(const double* p, std::size_t stride, V& a, V& b, V& c) {
  const __m128d ab0 = _mm_loadu_pd(p);
  const __m128d ab1 = _mm_loadu_pd(p + stride);
  a = V(_mm_unpacklo_pd(ab0, ab1));
  b = V(_mm_unpackhi_pd(ab0, ab1));
  c = loadStrided(p + 2, stride);
}
inline void storeLanes3(double* p, std::size_t stride, V a, V b, V c) {
  _mm_storeu_pd(p, _mm_unpacklo_pd(a.v, b.v));
  _mm_storeu_pd(p + stride, _mm_unpackhi_pd(a.v, b.v));
  storeStrided(p + 2, stride, c);
}
inline V mapLanes(V x, M where, double (*f)(double)) {
  const int lanes = _mm_movemask_pd(where.m);
  if (lanes == 0) return x;
  alignas(16) double values[2];
  _mm_store_pd(values, x.v);
  for (int i = 0; i < 2; ++i) {
    if ((lanes >> i) & 1) values[i] = f(values[i]);
  }
  return V(_mm_load_pd(values));
}
