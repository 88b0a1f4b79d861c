// Quaternions in lanes: one quaternion per lane, each component in a V of
// its own, scalar part first (w, x, y, z). Compiled once per vector path
// (simd/each_target.h); on the scalar path V is a double and a Quat is one
// quaternion.
//
// The product is Hamilton's, with i² = j² = k² = ijk = −1, so i·j = k and
// j·i = −k; the left factor comes first. Results are defined bit for bit:
// every product of two components is rounded on its own and each sum runs
// in the bracketed order below, in every lane (never a fused multiply-add).
// Nothing here normalises.
#if defined(ROTKIT_QUATERNION_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_LANES_H
#undef ROTKIT_QUATERNION_LANES_H
#else
#define ROTKIT_QUATERNION_LANES_H
#endif

struct Quat {
  V w, x, y, z;
};

// The quaternions of `lanes` columns, column i's four doubles w, x, y, z at
// p + i·stride (stride 4 for a 4 x N array).
inline Quat loadQuaternions(const double* p, std::size_t stride, std::uint32_t lanes) {
  V rows[4];
  loadRows<4>(p, stride, lanes, rows);
  return Quat{rows[0], rows[1], rows[2], rows[3]};
}

inline void storeQuaternions(double* p, std::size_t stride, std::uint32_t lanes, const Quat& q) {
  const V rows[4] = {q.w, q.x, q.y, q.z};
  storeRows<4>(p, stride, lanes, rows);
}

// One quaternion in every lane.
inline Quat spreadQuaternion(const double* p) { return Quat{V(p[0]), V(p[1]), V(p[2]), V(p[3])}; }

// f(k, lanes, left, right) for the output columns k = 0, kLanes, ... below
// outCols, `left` and `right` the quaternions of q1[:, k or 0] and
// q2[:, k or 0] in lanes: a one-column side is read once and spread over
// every lane. With no output column nothing is read, so an empty side is
// never touched.
template <class F>
inline void forQuaternionPairs(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                               std::uint32_t outCols, const F& f) {
  if (outCols == 0) return;
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  const Quat oneLeft = spreadQuaternion(q1Data);
  const Quat oneRight = spreadQuaternion(q2Data);
  for (std::uint32_t k = 0; k < outCols; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, outCols);
    const std::size_t offset = 4 * std::size_t{k};
    const Quat left = leftAdvances ? loadQuaternions(q1Data + offset, 4, lanes) : oneLeft;
    const Quat right = rightAdvances ? loadQuaternions(q2Data + offset, 4, lanes) : oneRight;
    f(k, lanes, left, right);
  }
}

// a ⊗ b, `a` the left factor. The term order of each component is part of
// the result: do not reorder.
inline Quat hamiltonProduct(const Quat& a, const Quat& b) {
  return Quat{((a.w * b.w - a.x * b.x) - a.y * b.y) - a.z * b.z,
              ((a.w * b.x + a.x * b.w) + a.y * b.z) - a.z * b.y,
              ((a.w * b.y - a.x * b.z) + a.y * b.w) + a.z * b.x,
              ((a.w * b.z + a.x * b.y) - a.y * b.x) + a.z * b.w};
}

// A 3-vector per lane.
struct Vec3 {
  V x, y, z;
};

// The vectors of `lanes` columns, column i's three doubles at p + i·stride.
inline Vec3 loadVectors(const double* p, std::size_t stride, std::uint32_t lanes) {
  V rows[3];
  loadRows<3>(p, stride, lanes, rows);
  return Vec3{rows[0], rows[1], rows[2]};
}

inline void storeVectors(double* p, std::size_t stride, std::uint32_t lanes, const Vec3& v) {
  const V rows[3] = {v.x, v.y, v.z};
  storeRows<3>(p, stride, lanes, rows);
}

inline Vec3 spreadVector(const double* p) { return Vec3{V(p[0]), V(p[1]), V(p[2])}; }

// v turned by q: v + 2w·(u × v) + 2·(u × (u × v)), u the vector part of q.
// For a unit q this is q·v·q*; q is never normalised, and for a non-unit q
// the formula as written is neither a rotation nor |q|² times one (a vector
// along u is left as it is). The term order is part of the result: do not
// reorder or factor.
inline Vec3 rotateVector(const Quat& q, const Vec3& v) {
  const V cx = q.y * v.z - q.z * v.y;
  const V cy = q.z * v.x - q.x * v.z;
  const V cz = q.x * v.y - q.y * v.x;
  const V dx = q.y * cz - q.z * cy;
  const V dy = q.z * cx - q.x * cz;
  const V dz = q.x * cy - q.y * cx;
  const V t = q.w * 2.0;
  return Vec3{(cx * t + v.x) + dx * 2.0, (cy * t + v.y) + dy * 2.0, (cz * t + v.z) + dz * 2.0};
}

#endif
