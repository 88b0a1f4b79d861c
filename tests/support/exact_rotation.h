// Rotations computed in long double (64-bit significand on x86-64, 113 on
// arm64), as references for the conversions' accuracy tests and for
// tools/accuracy. Quaternions scalar first (w, x, y, z), Hamilton product,
// active rotation v -> q·v·q*. Each reference comes from the definition,
// not from a kernel's formula: turns are two Hamilton products, a
// rotation's matrix is the turns of the unit vectors, and the quaternion of
// a matrix is the dominant eigenvector of its 4 x 4 symmetric form (the
// nearest rotation, found by Jacobi rotations).
//
// Errors are stated in units of 2^-52 (one ulp of 1): a quaternion's as
// the largest component error against the reference of the same sign, a
// matrix's as the largest element error, a vector's as the length of the
// error over the length of the reference.
#ifndef ROTKIT_TESTS_EXACT_ROTATION_H
#define ROTKIT_TESTS_EXACT_ROTATION_H

#include <algorithm>
#include <array>
#include <cmath>

namespace exact {

using Real = long double;

struct Quaternion {
  Real w, x, y, z;
};

// The reference needs long double arithmetic wider than double at run
// time; valgrind, for one, runs x87 arithmetic at double width.
inline bool longDoubleIsWider() {
  volatile Real tiny = std::ldexp(Real{1}, -60);
  volatile Real sum = Real{1} + tiny;
  return sum != Real{1};
}

inline Quaternion fromDoubles(const double* q) { return Quaternion{q[0], q[1], q[2], q[3]}; }

inline Quaternion product(const Quaternion& a, const Quaternion& b) {
  return Quaternion{a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
                    a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

inline Quaternion conjugate(const Quaternion& q) { return Quaternion{q.w, -q.x, -q.y, -q.z}; }

inline Real length(const Quaternion& q) { return std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z); }

inline Quaternion unit(const Quaternion& q) {
  const Real n = length(q);
  return Quaternion{q.w / n, q.x / n, q.y / n, q.z / n};
}

// q·(0, v)·q*: for a unit q the rotation of v, for any q |q|² times the
// rotation by q/|q|.
inline std::array<Real, 3> turn(const Quaternion& q, const std::array<Real, 3>& v) {
  const Quaternion r = product(product(q, Quaternion{0, v[0], v[1], v[2]}), conjugate(q));
  return {r.x, r.y, r.z};
}

// The matrix of v -> q·v·q*, column major: column j is the turn of e_j.
inline std::array<Real, 9> matrix(const Quaternion& q) {
  std::array<Real, 9> m{};
  for (int j = 0; j < 3; ++j) {
    std::array<Real, 3> e{0, 0, 0};
    e[j] = 1;
    const std::array<Real, 3> c = turn(q, e);
    for (int i = 0; i < 3; ++i) m[3 * j + i] = c[i];
  }
  return m;
}

// The unit quaternion of the rotation nearest to the 3 x 3 matrix r
// (column major) in the Frobenius norm: it maximises trace(rᵀ·M(q)) =
// qᵀ·K·q, so it is the eigenvector of K's largest eigenvalue. Cyclic Jacobi
// rotations diagonalise K; for a matrix near a rotation the eigenvalues
// are near 3, −1, −1, −1, well apart.
inline Quaternion nearestRotation(const double* r) {
  auto e = [r](int i, int j) { return static_cast<Real>(r[(i - 1) + 3 * (j - 1)]); };
  Real k[4][4];
  k[0][0] = e(1, 1) + e(2, 2) + e(3, 3);
  k[1][1] = e(1, 1) - e(2, 2) - e(3, 3);
  k[2][2] = -e(1, 1) + e(2, 2) - e(3, 3);
  k[3][3] = -e(1, 1) - e(2, 2) + e(3, 3);
  k[0][1] = k[1][0] = e(3, 2) - e(2, 3);
  k[0][2] = k[2][0] = e(1, 3) - e(3, 1);
  k[0][3] = k[3][0] = e(2, 1) - e(1, 2);
  k[1][2] = k[2][1] = e(1, 2) + e(2, 1);
  k[1][3] = k[3][1] = e(1, 3) + e(3, 1);
  k[2][3] = k[3][2] = e(2, 3) + e(3, 2);
  Real vectors[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  // An element too small to change its diagonal neighbours (below 2^-70 of
  // them, some 6 bits under a long double's last one) is set to zero, so
  // the sweeps end with every off-diagonal element exactly zero.
  for (int sweep = 0; sweep < 64; ++sweep) {
    bool rotated = false;
    for (int p = 0; p < 3; ++p) {
      for (int q = p + 1; q < 4; ++q) {
        if (std::fabs(k[p][q]) <= std::ldexp(std::fabs(k[p][p]) + std::fabs(k[q][q]), -70)) {
          k[p][q] = k[q][p] = 0;
          continue;
        }
        rotated = true;
        const Real theta = (k[q][q] - k[p][p]) / (2 * k[p][q]);
        const Real t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        const Real c = 1 / std::sqrt(t * t + 1);
        const Real s = t * c;
        for (int i = 0; i < 4; ++i) {
          const Real ip = k[i][p], iq = k[i][q];
          k[i][p] = c * ip - s * iq;
          k[i][q] = s * ip + c * iq;
        }
        for (int i = 0; i < 4; ++i) {
          const Real pi = k[p][i], qi = k[q][i];
          k[p][i] = c * pi - s * qi;
          k[q][i] = s * pi + c * qi;
        }
        for (int i = 0; i < 4; ++i) {
          const Real ip = vectors[i][p], iq = vectors[i][q];
          vectors[i][p] = c * ip - s * iq;
          vectors[i][q] = s * ip + c * iq;
        }
      }
    }
    if (!rotated) break;
  }
  int best = 0;
  for (int i = 1; i < 4; ++i) {
    if (k[i][i] > k[best][best]) best = i;
  }
  return unit(Quaternion{vectors[0][best], vectors[1][best], vectors[2][best], vectors[3][best]});
}

constexpr Real kUnit = 0x1p-52L;

// Largest component error of q against ±reference, the sign that fits best.
inline double quaternionError(const double* q, const Quaternion& reference) {
  const Real ref[4] = {reference.w, reference.x, reference.y, reference.z};
  Real same = 0;
  Real opposite = 0;
  for (int i = 0; i < 4; ++i) {
    same = std::max(same, std::fabs(q[i] - ref[i]));
    opposite = std::max(opposite, std::fabs(q[i] + ref[i]));
  }
  return static_cast<double>(std::min(same, opposite) / kUnit);
}

// Largest element error of a 3 x 3 matrix.
inline double matrixError(const double* m, const std::array<Real, 9>& reference) {
  Real worst = 0;
  for (int i = 0; i < 9; ++i) worst = std::max(worst, std::fabs(m[i] - reference[i]));
  return static_cast<double>(worst / kUnit);
}

// |v − reference| / |reference|.
inline double vectorError(const double* v, const std::array<Real, 3>& reference) {
  Real error = 0;
  Real size = 0;
  for (int i = 0; i < 3; ++i) {
    error += (v[i] - reference[i]) * (v[i] - reference[i]);
    size += reference[i] * reference[i];
  }
  return static_cast<double>(std::sqrt(error / size) / kUnit);
}

} // namespace exact

#endif
