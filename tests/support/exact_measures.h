// Exact references for rotfit and rotmean, in __float128 (113-bit
// significands; arm64's long double): each solves the problem from its
// definition, never by a kernel's formula or term order. A fit is the
// rotation maximising Σ w·(R·a')·b' (a', b' the points less their weighted
// centroids), found as the dominant eigenvector of Horn's 4 x 4 matrix by
// Jacobi rotations carried to 113 bits; a mean is the dominant eigenvector
// of Σ w·q·qᵀ/|q|². Products of doubles are exact in 113 bits, so the
// sums lose only the last bits of 113. Errors are in units of 2^-52.
#ifndef ROTKIT_TESTS_EXACT_MEASURES_H
#define ROTKIT_TESTS_EXACT_MEASURES_H

#include "support/exact_rotations.h"

#include <array>
#include <vector>

namespace exact_measures {

struct Eigen4 {
  QuadQuaternion vector;  // unit
  Quad largest, second;
};

// The dominant eigenvector of the symmetric k, by cyclic Jacobi rotations
// until every off-diagonal element is below 2^-120 of the matrix's size.
inline Eigen4 dominantEigenvector(Quad k[4][4]) {
  Quad size = 0;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) size += absQ(k[i][j]);
  }
  Quad v[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  const Quad negligible = size * static_cast<Quad>(0x1p-120);
  for (int sweep = 0; sweep < 100; ++sweep) {
    bool rotated = false;
    for (int p = 0; p < 3; ++p) {
      for (int q = p + 1; q < 4; ++q) {
        if (absQ(k[p][q]) <= negligible) continue;
        rotated = true;
        const Quad theta = (k[q][q] - k[p][p]) / (2 * k[p][q]);
        const Quad t = (theta >= 0 ? 1 : -1) / (absQ(theta) + sqrtQ(theta * theta + 1));
        const Quad c = 1 / sqrtQ(t * t + 1);
        const Quad s = t * c;
        for (int i = 0; i < 4; ++i) {
          const Quad ip = k[i][p], iq = k[i][q];
          k[i][p] = c * ip - s * iq;
          k[i][q] = s * ip + c * iq;
        }
        for (int i = 0; i < 4; ++i) {
          const Quad pi = k[p][i], qi = k[q][i];
          k[p][i] = c * pi - s * qi;
          k[q][i] = s * pi + c * qi;
        }
        for (int i = 0; i < 4; ++i) {
          const Quad ip = v[i][p], iq = v[i][q];
          v[i][p] = c * ip - s * iq;
          v[i][q] = s * ip + c * iq;
        }
      }
    }
    if (!rotated) break;
  }
  int best = 0;
  for (int i = 1; i < 4; ++i) {
    if (k[i][i] > k[best][best]) best = i;
  }
  Quad second = -1e300;
  for (int i = 0; i < 4; ++i) {
    if (i != best) second = maxQ(second, k[i][i]);
  }
  QuadQuaternion q{v[0][best], v[1][best], v[2][best], v[3][best]};
  const Quad n = norm(q);
  return Eigen4{{q.w / n, q.x / n, q.y / n, q.z / n}, k[best][best], second};
}

struct Fit {
  QuadQuaternion rotation;  // unit, w >= 0
  std::array<Quad, 3> translation;
  Quad rms;
  Quad gap;  // the two largest eigenvalues' difference over their size
  bool usable;  // at least 3 points (2 without translation)
};

// The fit of the points a (3 x M) onto b (3 x M) with weights w (M values,
// or empty for all 1), leaving out points with a non-finite coordinate or
// zero weight.
inline Fit exactFit(const double* a, const double* b, std::size_t points, const std::vector<double>& w,
                    bool translation) {
  std::vector<std::size_t> used;
  Quad total = 0;
  std::array<Quad, 3> ca{0, 0, 0}, cb{0, 0, 0};
  for (std::size_t m = 0; m < points; ++m) {
    const double weight = w.empty() ? 1.0 : w[m];
    bool finite = weight > 0;
    for (int i = 0; i < 3; ++i) finite = finite && std::isfinite(a[3 * m + i]) && std::isfinite(b[3 * m + i]);
    if (!finite) continue;
    used.push_back(m);
    total += weight;
    for (int i = 0; i < 3; ++i) {
      ca[i] += quadOf(weight) * quadOf(a[3 * m + i]);
      cb[i] += quadOf(weight) * quadOf(b[3 * m + i]);
    }
  }
  for (int i = 0; i < 3; ++i) {
    ca[i] = translation ? ca[i] / total : 0;
    cb[i] = translation ? cb[i] / total : 0;
  }
  Quad s[3][3] = {};
  for (std::size_t m : used) {
    const Quad weight = w.empty() ? 1 : quadOf(w[m]);
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) s[i][j] += weight * (quadOf(a[3 * m + i]) - ca[i]) * (quadOf(b[3 * m + j]) - cb[j]);
    }
  }
  Quad k[4][4] = {
      {s[0][0] + s[1][1] + s[2][2], s[1][2] - s[2][1], s[2][0] - s[0][2], s[0][1] - s[1][0]},
      {s[1][2] - s[2][1], s[0][0] - s[1][1] - s[2][2], s[0][1] + s[1][0], s[2][0] + s[0][2]},
      {s[2][0] - s[0][2], s[0][1] + s[1][0], -s[0][0] + s[1][1] - s[2][2], s[1][2] + s[2][1]},
      {s[0][1] - s[1][0], s[2][0] + s[0][2], s[1][2] + s[2][1], -s[0][0] - s[1][1] + s[2][2]}};
  const Eigen4 e = dominantEigenvector(k);
  Fit fit;
  fit.rotation = e.vector.w < 0 ? QuadQuaternion{-e.vector.w, -e.vector.x, -e.vector.y, -e.vector.z} : e.vector;
  fit.gap = (e.largest - e.second) / maxQ(absQ(e.largest), static_cast<Quad>(1e-300));
  fit.usable = used.size() >= (translation ? 3u : 2u);
  const QuadQuaternion r = fit.rotation;
  const QuadQuaternion inverse{r.w, -r.x, -r.y, -r.z};
  auto turn = [&](const std::array<Quad, 3>& v) {
    const QuadQuaternion t = multiply(multiply(r, {0, v[0], v[1], v[2]}), inverse);
    return std::array<Quad, 3>{t.x, t.y, t.z};
  };
  const std::array<Quad, 3> turned = turn(ca);
  for (int i = 0; i < 3; ++i) fit.translation[i] = cb[i] - turned[i];
  Quad squares = 0;
  for (std::size_t m : used) {
    const std::array<Quad, 3> p = turn({quadOf(a[3 * m]), quadOf(a[3 * m + 1]), quadOf(a[3 * m + 2])});
    Quad d2 = 0;
    for (int i = 0; i < 3; ++i) {
      const Quad d = p[i] + fit.translation[i] - quadOf(b[3 * m + i]);
      d2 += d * d;
    }
    squares += (w.empty() ? 1 : quadOf(w[m])) * d2;
  }
  fit.rms = sqrtQ(squares / total);
  return fit;
}

// The weighted chordal L2 mean of the quaternions q (4 x N), each taken as
// the rotation by q/|q|; non-finite and zero quaternions and zero weights
// left out. `gap` as in Fit.
struct Mean {
  QuadQuaternion rotation;
  Quad gap;
};

inline Mean exactMean(const double* q, std::size_t stride, std::size_t count, const std::vector<double>& w) {
  Quad k[4][4] = {};
  for (std::size_t n = 0; n < count; ++n) {
    const double* c = q + stride * n;
    const double weight = w.empty() ? 1.0 : w[n];
    if (!(weight > 0) || !std::isfinite(c[0]) || !std::isfinite(c[1]) || !std::isfinite(c[2]) || !std::isfinite(c[3])) {
      continue;
    }
    const QuadQuaternion u = nearUnit(quadQuaternion(c));
    const Quad n2 = u.w * u.w + u.x * u.x + u.y * u.y + u.z * u.z;
    if (n2 == 0) continue;
    const Quad v[4] = {u.w, u.x, u.y, u.z};
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) k[i][j] += quadOf(weight) * v[i] * v[j] / n2;
    }
  }
  const Eigen4 e = dominantEigenvector(k);
  const QuadQuaternion r = e.vector.w < 0 ? QuadQuaternion{-e.vector.w, -e.vector.x, -e.vector.y, -e.vector.z}
                                          : e.vector;
  return Mean{r, (e.largest - e.second) / maxQ(absQ(e.largest), static_cast<Quad>(1e-300))};
}

} // namespace exact_measures

#endif
