// The scalar path's lanes (inside namespace rotkit::scalar, simd/each_target.h):
// one lane, a plain double, so that a kernel written over V compiles here to
// ordinary scalar code. Every vector path gives these functions' results in
// each of its lanes.
using V = double;
using M = bool;
constexpr std::uint32_t kLanes = 1;

inline V select(M where, V ifTrue, V ifFalse) { return where ? ifTrue : ifFalse; }
inline V sqrt(V x) { return std::sqrt(x); }
inline V abs(V x) { return std::fabs(x); }
// x with its sign flipped where `where` holds: exact, NaN included.
inline V flipSign(V x, M where) { return where ? -x : x; }
inline bool anyLane(M m) { return m; }
inline bool allLanes(M m) { return m; }
inline M signBitSet(V x) { return std::signbit(x); }
// Bit `bit` (0 the lowest) of the representation of x.
inline M reprBitSet(V x, int bit) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return ((bits >> bit) & 1) != 0;
}
inline V load(const double* p) { return *p; }
inline void store(double* p, V v) { *p = v; }
// Lane i from p[i·stride].
inline V loadStrided(const double* p, std::size_t) { return *p; }
inline void storeStrided(double* p, std::size_t, V v) { *p = v; }
// Four consecutive doubles of each lane's column: lane i's at p + i·stride.
inline void loadLanes4(const double* p, std::size_t, V& a, V& b, V& c, V& d) {
  a = p[0];
  b = p[1];
  c = p[2];
  d = p[3];
}
inline void storeLanes4(double* p, std::size_t, V a, V b, V c, V d) {
  p[0] = a;
  p[1] = b;
  p[2] = c;
  p[3] = d;
}
// Three consecutive doubles of each lane's column.
inline void loadLanes3(const double* p, std::size_t, V& a, V& b, V& c) {
  a = p[0];
  b = p[1];
  c = p[2];
}
inline void storeLanes3(double* p, std::size_t, V a, V b, V c) {
  p[0] = a;
  p[1] = b;
  p[2] = c;
}
// f of the lanes where `where` holds, the others unchanged: for the rare
// lanes that leave a vector formula's range.
inline V mapLanes(V x, M where, double (*f)(double)) { return where ? f(x) : x; }
