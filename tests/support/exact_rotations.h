// Exact references for the conversion tests and tools/accuracy: rotations in
// __float128 (113-bit significands, libquadmath), built from the definitions
// (products of turns about the axes, the angle between two rotations),
// never from a kernel's formula. Quaternions scalar first, Hamilton product.
// Errors are stated in units of 2^-52.
#ifndef ROTKIT_TESTS_EXACT_ROTATIONS_H
#define ROTKIT_TESTS_EXACT_ROTATIONS_H

#include <array>
#include <cctype>
#include <cmath>
#include <string>

#if defined(__aarch64__)
// arm64's long double is already IEEE quadruple precision.
typedef long double Quad;
inline Quad sinQ(Quad x) { return sinl(x); }
inline Quad cosQ(Quad x) { return cosl(x); }
inline Quad sqrtQ(Quad x) { return sqrtl(x); }
inline Quad atan2Q(Quad y, Quad x) { return atan2l(y, x); }
#else
#include <quadmath.h>
__extension__ typedef __float128 Quad;
inline Quad sinQ(Quad x) { return sinq(x); }
inline Quad cosQ(Quad x) { return cosq(x); }
inline Quad sqrtQ(Quad x) { return sqrtq(x); }
inline Quad atan2Q(Quad y, Quad x) { return atan2q(y, x); }
#endif
inline Quad absQ(Quad x) { return x < 0 ? -x : x; }
inline Quad maxQ(Quad a, Quad b) { return a < b ? b : a; }
inline Quad minQ(Quad a, Quad b) { return a < b ? a : b; }

struct QuadQuaternion {
  Quad w, x, y, z;
};

inline Quad quadOf(double v) { return static_cast<Quad>(v); }

inline QuadQuaternion quadQuaternion(const double* q) { return {quadOf(q[0]), quadOf(q[1]), quadOf(q[2]), quadOf(q[3])}; }

inline QuadQuaternion multiply(const QuadQuaternion& a, const QuadQuaternion& b) {
  return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
          a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

inline Quad norm(const QuadQuaternion& q) { return sqrtQ(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z); }

// q times a power of two (exact) that brings its largest component near 1:
// the same rotation, with squares in the double range. (libquadmath's sqrtq
// starts from a long double estimate, and valgrind runs long double at
// double width and range.)
inline QuadQuaternion nearUnit(const QuadQuaternion& q) {
  const Quad largest = maxQ(maxQ(absQ(q.w), absQ(q.x)), maxQ(absQ(q.y), absQ(q.z)));
  if (!(largest > 0) || largest > static_cast<Quad>(1e300) * 1e300) return q;
  int exponent = 0;
  std::frexp(static_cast<double>(largest), &exponent);
  const Quad scale = static_cast<Quad>(std::ldexp(1.0, -exponent / 2)) * static_cast<Quad>(std::ldexp(1.0, -(exponent - exponent / 2)));
  return {q.w * scale, q.x * scale, q.y * scale, q.z * scale};
}

// |(x, y, z)|, the vector first brought near unit length by a power of two
// (exact), as nearUnit does, for any length a double vector can have.
inline Quad lengthQ(Quad x, Quad y, Quad z) {
  const QuadQuaternion scaled = nearUnit({0, x, y, z});
  const Quad largest = maxQ(maxQ(absQ(x), absQ(y)), absQ(z));
  if (largest == 0) return 0;
  const Quad scaledLargest = maxQ(maxQ(absQ(scaled.x), absQ(scaled.y)), absQ(scaled.z));
  return sqrtQ(scaled.x * scaled.x + scaled.y * scaled.y + scaled.z * scaled.z) * (largest / scaledLargest);
}

// The turn by `angle` about axis 0 (x), 1 (y) or 2 (z).
inline QuadQuaternion axisTurn(int axis, Quad angle) {
  QuadQuaternion q{cosQ(angle / 2), 0, 0, 0};
  const Quad s = sinQ(angle / 2);
  (axis == 0 ? q.x : axis == 1 ? q.y : q.z) = s;
  return q;
}

// The rotation of Euler angles a for the sequence `seq` ('ZXY' intrinsic:
// Rz(a1)·Rx(a2)·Ry(a3); 'zxy' extrinsic: Ry(a3)·Rx(a2)·Rz(a1)).
inline QuadQuaternion exactEuler(const std::array<Quad, 3>& a, const std::string& seq) {
  int axis[3];
  for (int n = 0; n < 3; ++n) axis[n] = std::tolower(static_cast<unsigned char>(seq[n])) - 'x';
  const QuadQuaternion t1 = axisTurn(axis[0], a[0]);
  const QuadQuaternion t2 = axisTurn(axis[1], a[1]);
  const QuadQuaternion t3 = axisTurn(axis[2], a[2]);
  return std::isupper(static_cast<unsigned char>(seq[0])) ? multiply(multiply(t1, t2), t3)
                                                          : multiply(multiply(t3, t2), t1);
}

inline QuadQuaternion exactEuler(const double* a, const std::string& seq) {
  return exactEuler(std::array<Quad, 3>{quadOf(a[0]), quadOf(a[1]), quadOf(a[2])}, seq);
}

// The exact Euler angles of the rotation of q for `seq`, found by Newton's
// method on the rotation itself from the estimate `start` (which must lie
// near them: off gimbal lock the angles are a smooth function of the
// rotation, so the solution near the estimate is the only one there).
// Only the definition of the angles enters, never a conversion formula.
inline std::array<Quad, 3> exactEulerNear(const double* q, const std::string& seq, const double* start) {
  const QuadQuaternion target = nearUnit(quadQuaternion(q));
  const Quad n = norm(target);
  const QuadQuaternion inverse{target.w / n, -target.x / n, -target.y / n, -target.z / n};
  // The rotation from q to the angles', as a vector: 0 at the solution.
  const auto residual = [&](const std::array<Quad, 3>& a) {
    QuadQuaternion d = multiply(inverse, exactEuler(a, seq));
    if (d.w < 0) d = {-d.w, -d.x, -d.y, -d.z};
    return std::array<Quad, 3>{d.x, d.y, d.z};
  };
  std::array<Quad, 3> a{quadOf(start[0]), quadOf(start[1]), quadOf(start[2])};
  for (int iteration = 0; iteration < 4; ++iteration) {
    const std::array<Quad, 3> r = residual(a);
    Quad j[3][3];  // j[row][angle], by central differences
    const Quad h = 1e-12;
    for (int c = 0; c < 3; ++c) {
      std::array<Quad, 3> up = a, down = a;
      up[c] += h;
      down[c] -= h;
      const std::array<Quad, 3> ru = residual(up), rd = residual(down);
      for (int row = 0; row < 3; ++row) j[row][c] = (ru[row] - rd[row]) / (2 * h);
    }
    // Cramer's rule for j·step = −r.
    const auto det3 = [](const Quad m[3][3]) {
      return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
             m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const Quad det = det3(j);
    for (int c = 0; c < 3; ++c) {
      Quad m[3][3];
      for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 3; ++k) m[row][k] = k == c ? -r[row] : j[row][k];
      }
      a[c] += det3(m) / det;
    }
  }
  return a;
}

// The rotation of the rotation vector v: |v| about v's direction.
inline QuadQuaternion exactRotationVector(const double* v) {
  const Quad x = quadOf(v[0]), y = quadOf(v[1]), z = quadOf(v[2]);
  const Quad angle = lengthQ(x, y, z);
  if (angle == 0) return {1, 0, 0, 0};
  const Quad f = sinQ(angle / 2) / angle;
  return {cosQ(angle / 2), f * x, f * y, f * z};
}

// The angle (radians) of the rotation that takes the rotation of a to that
// of b; neither needs to be unit, and q and −q are the same rotation.
inline Quad rotationAngleBetween(const QuadQuaternion& a0, const QuadQuaternion& b0) {
  const QuadQuaternion a = nearUnit(a0);
  const QuadQuaternion b = nearUnit(b0);
  const QuadQuaternion d = multiply({a.w, -a.x, -a.y, -a.z}, b);
  return 2 * atan2Q(lengthQ(d.x, d.y, d.z), absQ(d.w));
}

// max |q_n − e_n| over the components, with e scaled to unit length and
// given the sign that fits q best, in units of 2^-52.
inline double componentError(const double* q, const QuadQuaternion& exact) {
  const Quad n = norm(exact);
  const Quad e[4] = {exact.w / n, exact.x / n, exact.y / n, exact.z / n};
  Quad plus = 0, minus = 0;
  for (int i = 0; i < 4; ++i) {
    plus = maxQ(plus, absQ(quadOf(q[i]) - e[i]));
    minus = maxQ(minus, absQ(quadOf(q[i]) + e[i]));
  }
  return static_cast<double>(minQ(plus, minus) * 0x1p52);
}

// The exact rotation of `q` rounded to doubles, and that of Euler angles
// or of a rotation vector: inputs for the inverse conversions.
inline std::array<double, 4> roundedQuaternion(const QuadQuaternion& q) {
  return {static_cast<double>(q.w), static_cast<double>(q.x), static_cast<double>(q.y), static_cast<double>(q.z)};
}

// The exact rotation vector (angle in [0, π]) of a nonzero quaternion.
inline std::array<Quad, 3> exactVectorOf(const double* q) {
  QuadQuaternion e = nearUnit(quadQuaternion(q));
  if (e.w < 0) e = {-e.w, -e.x, -e.y, -e.z};
  const Quad length = lengthQ(e.x, e.y, e.z);
  if (length == 0) return {0, 0, 0};
  // The vector of the rotation: the same for any length of q.
  const Quad ratio = 2 * atan2Q(length, e.w) / length;
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
  return static_cast<double>(sqrtQ(d / n) * 0x1p52);
}

#endif
