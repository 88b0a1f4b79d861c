// Quaternions, scalar part first: (w, x, y, z) = w + x·i + y·j + z·k.
//
// The product is Hamilton's, with i² = j² = k² = ijk = −1, so i·j = k and
// j·i = −k; the left factor comes first. Results are defined bit for bit:
// every product of two components is rounded on its own and each sum runs
// in the bracketed order below (build with -ffp-contract=off, never with
// fast-math). Nothing here normalises.
#ifndef ROTKIT_QUATERNION_H
#define ROTKIT_QUATERNION_H

struct Quaternion {
  double w;
  double x;
  double y;
  double z;
};

// Reads four consecutive doubles w, x, y, z.
inline Quaternion loadQuaternion(const double* data) {
  return Quaternion{data[0], data[1], data[2], data[3]};
}

// Writes w, x, y, z to four consecutive doubles.
inline void storeQuaternion(double* data, const Quaternion& q) {
  data[0] = q.w;
  data[1] = q.x;
  data[2] = q.y;
  data[3] = q.z;
}

// a ⊗ b, `a` the left factor. The term order of each component is part of
// the result: do not reorder.
inline Quaternion hamiltonProduct(const Quaternion& a, const Quaternion& b) {
  Quaternion r;
  r.w = ((a.w * b.w - a.x * b.x) - a.y * b.y) - a.z * b.z;
  r.x = ((a.w * b.x + a.x * b.w) + a.y * b.z) - a.z * b.y;
  r.y = ((a.w * b.y - a.x * b.z) + a.y * b.w) + a.z * b.x;
  r.z = ((a.w * b.z + a.x * b.y) - a.y * b.x) + a.z * b.w;
  return r;
}

#endif
