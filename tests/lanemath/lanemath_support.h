// What the lanemath tests share: the lane functions on every path, the ulp
// error against a long double reference, and whether that reference is
// wider than a double here (valgrind runs x87 arithmetic at double width).
#ifndef ROTKIT_TESTS_LANEMATH_SUPPORT_H
#define ROTKIT_TESTS_LANEMATH_SUPPORT_H

#include "simd/kernel_paths.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using LaneColumns = void (*)(const double*, double*, std::uint32_t);

const KernelPaths<LaneColumns>& cosinePaths();
const KernelPaths<LaneColumns>& sineCosinePaths();
const KernelPaths<LaneColumns>& arcTangent2Paths();

namespace lanemath_test {
double cosine(double x);
double sine(double x);
double arcTangent2(double y, double x);
void sineCosine(double x, double& s, double& c);
}  // namespace lanemath_test

// |value − exact| in units of the last place of the exact result (of the
// smallest subnormal below the normal range).
inline double ulpError(double value, long double exact) {
  if (std::isnan(exact)) return std::isnan(value) ? 0 : INFINITY;
  if (exact == 0) return value == 0 ? 0 : INFINITY;
  const int exponent = std::max(ilogbl(exact), -1022);
  const long double ulp = std::ldexp(1.0L, exponent - 52);
  return static_cast<double>(fabsl(static_cast<long double>(value) - exact) / ulp);
}

inline bool longDoubleIsWider() {
  volatile long double tiny = std::ldexp(1.0L, -60);
  volatile long double sum = 1.0L + tiny;
  return sum != 1.0L;
}

#endif
