// Rotation vectors for the tests of vec2rot and rot2vec: random axes times
// angles spread evenly over [0, π] and over the binades from 1e-300 to π,
// and around the series switch at θ = 1/16.
#ifndef ROTKIT_TESTS_ROTATION_VECTORS_H
#define ROTKIT_TESTS_ROTATION_VECTORS_H

#include <cmath>
#include <random>
#include <vector>

inline std::vector<double> rotationVectors(std::size_t count, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> v;
  for (std::size_t k = 0; k < count; ++k) {
    double axis[3] = {normal(random), normal(random), normal(random)};
    const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    double angle;
    switch (k % 4) {
      case 0: angle = 3.141592653589793 * unit(random); break;
      case 1: angle = std::pow(10.0, -300 + 300.5 * unit(random)); break;
      case 2: angle = 0.0625 * (1 + 1e-3 * (unit(random) - 0.5)); break;
      default: angle = 3.141592653589793 * (1 - std::pow(10.0, -16 * unit(random))); break;
    }
    if (angle > 3.141592653589793) angle = 3.141592653589793;
    for (double a : axis) v.push_back(a / length * angle);
  }
  return v;
}

#endif
