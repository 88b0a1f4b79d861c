// Exact references for the conversion tests and tools/accuracy: rotations in
// __float128 (113-bit significands, libquadmath), built from the definitions
// (products of turns about the axes, the angle between two rotations),
// never from a kernel's formula. Quaternions scalar first, Hamilton product.
// Errors are stated in units of 2^-52.
#ifndef ROTKIT_TESTS_EXACT_ROTATIONS_H
#define ROTKIT_TESTS_EXACT_ROTATIONS_H

#include <quadmath.h>

#include <array>
#include <cctype>
#include <string>

__extension__ typedef __float128 Quad;

struct QuadQuaternion {
  Quad w, x, y, z;
};

inline Quad quadOf(double v) { return static_cast<Quad>(v); }

inline QuadQuaternion quadQuaternion(const double* q) { return {quadOf(q[0]), quadOf(q[1]), quadOf(q[2]), quadOf(q[3])}; }

inline QuadQuaternion multiply(const QuadQuaternion& a, const QuadQuaternion& b) {
  return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
          a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

inline Quad norm(const QuadQuaternion& q) { return sqrtq(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z); }

// The turn by `angle` about axis 0 (x), 1 (y) or 2 (z).
inline QuadQuaternion axisTurn(int axis, Quad angle) {
  QuadQuaternion q{cosq(angle / 2), 0, 0, 0};
  const Quad s = sinq(angle / 2);
  (axis == 0 ? q.x : axis == 1 ? q.y : q.z) = s;
  return q;
}

// The rotation of Euler angles a for the sequence `seq` ('ZXY' intrinsic:
// Rz(a1)·Rx(a2)·Ry(a3); 'zxy' extrinsic: Ry(a3)·Rx(a2)·Rz(a1)).
inline QuadQuaternion exactEuler(const double* a, const std::string& seq) {
  int axis[3];
  for (int n = 0; n < 3; ++n) axis[n] = std::tolower(static_cast<unsigned char>(seq[n])) - 'x';
  const QuadQuaternion t1 = axisTurn(axis[0], quadOf(a[0]));
  const QuadQuaternion t2 = axisTurn(axis[1], quadOf(a[1]));
  const QuadQuaternion t3 = axisTurn(axis[2], quadOf(a[2]));
  return std::isupper(static_cast<unsigned char>(seq[0])) ? multiply(multiply(t1, t2), t3)
                                                          : multiply(multiply(t3, t2), t1);
}

// The rotation of the rotation vector v: |v| about v's direction.
inline QuadQuaternion exactRotationVector(const double* v) {
  const Quad x = quadOf(v[0]), y = quadOf(v[1]), z = quadOf(v[2]);
  const Quad angle = sqrtq(x * x + y * y + z * z);
  if (angle == 0) return {1, 0, 0, 0};
  const Quad f = sinq(angle / 2) / angle;
  return {cosq(angle / 2), f * x, f * y, f * z};
}

// The angle (radians) of the rotation that takes the rotation of a to that
// of b; neither needs to be unit, and q and −q are the same rotation.
inline Quad rotationAngleBetween(const QuadQuaternion& a, const QuadQuaternion& b) {
  const QuadQuaternion d = multiply({a.w, -a.x, -a.y, -a.z}, b);
  return 2 * atan2q(sqrtq(d.x * d.x + d.y * d.y + d.z * d.z), fabsq(d.w));
}

// max |q_n − e_n| over the components, with e scaled to unit length and
// given the sign that fits q best, in units of 2^-52.
inline double componentError(const double* q, const QuadQuaternion& exact) {
  const Quad n = norm(exact);
  const Quad e[4] = {exact.w / n, exact.x / n, exact.y / n, exact.z / n};
  Quad plus = 0, minus = 0;
  for (int i = 0; i < 4; ++i) {
    plus = fmaxq(plus, fabsq(quadOf(q[i]) - e[i]));
    minus = fmaxq(minus, fabsq(quadOf(q[i]) + e[i]));
  }
  return static_cast<double>(fminq(plus, minus) * 0x1p52);
}

// The exact rotation of `q` rounded to doubles, and that of Euler angles
// or of a rotation vector: inputs for the inverse conversions.
inline std::array<double, 4> roundedQuaternion(const QuadQuaternion& q) {
  return {static_cast<double>(q.w), static_cast<double>(q.x), static_cast<double>(q.y), static_cast<double>(q.z)};
}

// The exact rotation vector (angle in [0, π]) of a nonzero quaternion.
inline std::array<Quad, 3> exactVectorOf(const double* q) {
  QuadQuaternion e = quadQuaternion(q);
  if (e.w < 0) e = {-e.w, -e.x, -e.y, -e.z};
  const Quad length = sqrtq(e.x * e.x + e.y * e.y + e.z * e.z);
  if (length == 0) return {0, 0, 0};
  const Quad ratio = 2 * atan2q(length, e.w) / length;
  return {e.x * ratio, e.y * ratio, e.z * ratio};
}

// |v − v*| / |v*| in units of 2^-52 (0 when both are 0).
inline double relativeVectorError(const double* v, const std::array<Quad, 3>& exact) {
  Quad d = 0, n = 0;
  for (int i = 0; i < 3; ++i) {
    d += (quadOf(v[i]) - exact[i]) * (quadOf(v[i]) - exact[i]);
    n += exact[i] * exact[i];
  }
  if (n == 0) return d == 0 ? 0.0 : 1e300;
  return static_cast<double>(sqrtq(d / n) * 0x1p52);
}

#endif
