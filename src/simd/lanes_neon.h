// The NEON path's lanes (inside namespace rotkit::neon, simd/each_target.h):
// two doubles per V, on every arm64 processor. Each operation is the scalar
// path's IEEE operation in every lane; products and sums are separate
// instructions (contraction is off, and no fused intrinsic is written).
struct V {
  float64x2_t v;
  V() = default;
  V(double x) : v(vdupq_n_f64(x)) {}  // NOLINT: a constant in a formula spreads to every lane
  explicit V(float64x2_t x) : v(x) {}
};
struct M {
  uint64x2_t m;  // every bit of a lane set, or none
};
constexpr std::uint32_t kLanes = 2;

inline V operator+(V a, V b) { return V(vaddq_f64(a.v, b.v)); }
inline V operator-(V a, V b) { return V(vsubq_f64(a.v, b.v)); }
inline V operator*(V a, V b) { return V(vmulq_f64(a.v, b.v)); }
inline V operator/(V a, V b) { return V(vdivq_f64(a.v, b.v)); }
inline V operator-(V a) { return V(vnegq_f64(a.v)); }  // flips the sign bit alone, as on the scalar path
inline M operator<(V a, V b) { return M{vcltq_f64(a.v, b.v)}; }
inline M operator<=(V a, V b) { return M{vcleq_f64(a.v, b.v)}; }
inline M operator>(V a, V b) { return M{vcgtq_f64(a.v, b.v)}; }
inline M operator>=(V a, V b) { return M{vcgeq_f64(a.v, b.v)}; }
inline M operator==(V a, V b) { return M{vceqq_f64(a.v, b.v)}; }
inline M operator!=(V a, V b) {  // true for NaN, as in C++
  return M{vreinterpretq_u64_u32(vmvnq_u32(vreinterpretq_u32_u64(vceqq_f64(a.v, b.v))))};
}
inline M operator&(M a, M b) { return M{vandq_u64(a.m, b.m)}; }
inline M operator|(M a, M b) { return M{vorrq_u64(a.m, b.m)}; }
inline M operator!(M a) { return M{vreinterpretq_u64_u32(vmvnq_u32(vreinterpretq_u32_u64(a.m)))}; }

inline V select(M where, V ifTrue, V ifFalse) { return V(vbslq_f64(where.m, ifTrue.v, ifFalse.v)); }
inline V sqrt(V x) { return V(vsqrtq_f64(x.v)); }
inline V abs(V x) { return V(vabsq_f64(x.v)); }
inline V flipSign(V x, M where) {
  const uint64x2_t sign = vandq_u64(where.m, vdupq_n_u64(0x8000000000000000ULL));
  return V(vreinterpretq_f64_u64(veorq_u64(vreinterpretq_u64_f64(x.v), sign)));
}
inline bool anyLane(M m) { return vmaxvq_u32(vreinterpretq_u32_u64(m.m)) != 0; }
inline bool allLanes(M m) { return vminvq_u32(vreinterpretq_u32_u64(m.m)) == 0xFFFFFFFFu; }
inline M signBitSet(V x) { return M{vcltzq_s64(vreinterpretq_s64_f64(x.v))}; }
inline M reprBitSet(V x, int bit) {
  return M{vtstq_u64(vreinterpretq_u64_f64(x.v), vdupq_n_u64(1ULL << bit))};
}
inline V load(const double* p) { return V(vld1q_f64(p)); }
inline void store(double* p, V v) { vst1q_f64(p, v.v); }
inline V loadStrided(const double* p, std::size_t stride) { return V(vcombine_f64(vld1_f64(p), vld1_f64(p + stride))); }
inline void storeStrided(double* p, std::size_t stride, V v) {
  vst1_f64(p, vget_low_f64(v.v));
  vst1_f64(p + stride, vget_high_f64(v.v));
}
inline void loadLanes4(const double* p, std::size_t stride, V& a, V& b, V& c, V& d) {
  const float64x2_t ab0 = vld1q_f64(p);
  const float64x2_t cd0 = vld1q_f64(p + 2);
  const float64x2_t ab1 = vld1q_f64(p + stride);
  const float64x2_t cd1 = vld1q_f64(p + stride + 2);
  a = V(vzip1q_f64(ab0, ab1));
  b = V(vzip2q_f64(ab0, ab1));
  c = V(vzip1q_f64(cd0, cd1));
  d = V(vzip2q_f64(cd0, cd1));
}
inline void storeLanes4(double* p, std::size_t stride, V a, V b, V c, V d) {
  vst1q_f64(p, vzip1q_f64(a.v, b.v));
  vst1q_f64(p + 2, vzip1q_f64(c.v, d.v));
  vst1q_f64(p + stride, vzip2q_f64(a.v, b.v));
  vst1q_f64(p + stride + 2, vzip2q_f64(c.v, d.v));
}
inline void loadLanes3(const double* p, std::size_t stride, V& a, V& b, V& c) {
  const float64x2_t ab0 = vld1q_f64(p);
  const float64x2_t ab1 = vld1q_f64(p + stride);
  a = V(vzip1q_f64(ab0, ab1));
  b = V(vzip2q_f64(ab0, ab1));
  c = loadStrided(p + 2, stride);
}
inline void storeLanes3(double* p, std::size_t stride, V a, V b, V c) {
  vst1q_f64(p, vzip1q_f64(a.v, b.v));
  vst1q_f64(p + stride, vzip2q_f64(a.v, b.v));
  storeStrided(p + 2, stride, c);
}
inline V mapLanes(V x, M where, double (*f)(double)) {
  if (!anyLane(where)) return x;
  double values[2];
  vst1q_f64(values, x.v);
  std::uint64_t lanes[2];
  vst1q_u64(lanes, where.m);
  for (int i = 0; i < 2; ++i) {
    if (lanes[i] != 0) values[i] = f(values[i]);
  }
  return V(vld1q_f64(values));
}
