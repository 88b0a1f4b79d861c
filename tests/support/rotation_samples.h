// Sets of unit quaternions (4 x N, scalar first) for the conversions'
// accuracy tests and for tools/accuracy: random ones, and the places where
// conversions lose digits when done carelessly: near and at half turns,
// near the identity, turns about the axes. Each is computed in long double
// from an angle and an axis, then rounded to doubles, so it is a unit
// quaternion to rounding.
#ifndef ROTKIT_TESTS_ROTATION_SAMPLES_H
#define ROTKIT_TESTS_ROTATION_SAMPLES_H

#include "support/exact_rotation.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace samples {

using exact::Real;

inline void appendTurn(std::vector<double>& out, Real cosHalf, Real sinHalf, const Real axis[3]) {
  out.push_back(static_cast<double>(cosHalf));
  for (int i = 0; i < 3; ++i) out.push_back(static_cast<double>(sinHalf * axis[i]));
}

inline void randomAxis(std::mt19937_64& random, Real axis[3]) {
  std::normal_distribution<double> normal;
  Real size = 0;
  do {
    size = 0;
    for (int i = 0; i < 3; ++i) {
      axis[i] = normal(random);
      size += axis[i] * axis[i];
    }
  } while (size < 1e-6L);
  size = std::sqrt(size);
  for (int i = 0; i < 3; ++i) axis[i] /= size;
}

// Normal 4-vectors divided by their length: uniform over rotations.
inline std::vector<double> randomUnit(std::size_t n, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::vector<double> out;
  while (out.size() < 4 * n) {
    Real q[4];
    Real size = 0;
    for (Real& c : q) {
      c = normal(random);
      size += c * c;
    }
    if (size < 1e-6L) continue;
    size = std::sqrt(size);
    for (Real c : q) out.push_back(static_cast<double>(c / size));
  }
  return out;
}

// Turns by π − ε about random axes, ε = 2^-u with u uniform in [0, 45],
// one in eight exactly a half turn (w = 0). cos((π − ε)/2) = sin(ε/2) is
// taken as such, so w keeps its digits.
inline std::vector<double> nearHalfTurns(std::size_t n, std::mt19937_64& random) {
  std::uniform_real_distribution<double> exponent(0, 45);
  std::vector<double> out;
  for (std::size_t k = 0; k < n; ++k) {
    Real axis[3];
    randomAxis(random, axis);
    const Real epsilon = k % 8 == 0 ? 0 : std::exp2(-static_cast<Real>(exponent(random)));
    appendTurn(out, std::sin(epsilon / 2), std::cos(epsilon / 2), axis);
  }
  return out;
}

// Turns by θ = 2^-u about random axes, u uniform in [1, 45].
inline std::vector<double> nearIdentity(std::size_t n, std::mt19937_64& random) {
  std::uniform_real_distribution<double> exponent(1, 45);
  std::vector<double> out;
  for (std::size_t k = 0; k < n; ++k) {
    Real axis[3];
    randomAxis(random, axis);
    const Real theta = std::exp2(-static_cast<Real>(exponent(random)));
    appendTurn(out, std::cos(theta / 2), std::sin(theta / 2), axis);
  }
  return out;
}

// Quarter, half and three-quarter turns about x, y and z, the identity, and
// the turns by 120 degrees about the cube's diagonals: the 24 rotations
// that map the axes onto axes, both signs of each.
inline std::vector<double> axisAligned() {
  const double h = std::sqrt(0.5);
  std::vector<double> out = {1, 0, 0, 0};
  for (int axis = 1; axis <= 3; ++axis) {
    for (int quarter = 1; quarter <= 3; ++quarter) {
      double q[4] = {0, 0, 0, 0};
      q[0] = quarter == 1 ? h : quarter == 2 ? 0 : -h;
      q[axis] = quarter == 2 ? 1 : h;
      out.insert(out.end(), q, q + 4);
    }
  }
  for (int signs = 0; signs < 8; ++signs) {
    out.push_back(0.5);
    for (int i = 0; i < 3; ++i) out.push_back((signs >> i) & 1 ? -0.5 : 0.5);
  }
  for (int a = 1; a <= 3; ++a) {
    for (int b = a + 1; b <= 3; ++b) {
      for (int sign : {1, -1}) {
        double q[4] = {0, 0, 0, 0};
        q[a] = h;
        q[b] = sign * h;
        out.insert(out.end(), q, q + 4);
      }
    }
  }
  const std::size_t count = out.size();
  for (std::size_t i = 0; i < count; ++i) out.push_back(-out[i]);
  return out;
}

// The exact rotation matrix of each unit quaternion, rounded to doubles:
// matrices that are rotations to rounding, made without any kernel.
inline std::vector<double> roundedMatrices(const std::vector<double>& quaternions) {
  std::vector<double> out;
  for (std::size_t k = 0; 4 * k < quaternions.size(); ++k) {
    const std::array<Real, 9> m = exact::matrix(exact::unit(exact::fromDoubles(&quaternions[4 * k])));
    for (Real e : m) out.push_back(static_cast<double>(e));
  }
  return out;
}

} // namespace samples

#endif
