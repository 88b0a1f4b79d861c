// The sine of rotblend's spherical branch. Within |x| <= kSineRange, which
// holds every argument (1 − t)·θ and θ·t for t from −9 to 10 (θ is at most
// π/2 after the shorter-arc flip), it is the toolbox's own: within 1 ulp of
// the exact sine, as a dense sweep against the long double sinl measures
// (tests/rotblend/sine_test.cpp, bench/sine_sweep.cpp); elsewhere, and for
// NaN and infinities, it is <cmath>'s sin. Its last bits are therefore not
// the math library's, which the results do not require.
//
// Bit for bit across paths: the scalar sine below and the vector sines of
// sine_sse2.h and sine_avx2.h perform the same IEEE operations in the same
// order in every lane (no FMA), so every path of rotblend gives the same bits.
//
// Method: x = k·π/2 + r with k the nearest integer to x·2/π and r a
// double-double y0 + y1 (π/2 in three parts, the first two short enough that
// k times them is exact; every double of the range lies at least 6e-17 from
// a multiple of π/2, so r keeps far more bits than a double holds); then sin
// or cos of r by odd and even minimax polynomials on [−π/4, π/4], chosen and
// signed by k mod 4. The constants are those of fdlibm (Sun Microsystems,
// freely distributable), checked against 300-bit arithmetic.
#ifndef ROTKIT_ROTBLEND_SINE_H
#define ROTKIT_ROTBLEND_SINE_H

#include <cmath>
#include <cstdint>
#include <cstring>

// The range in which the toolbox's own sine is used and measured.
constexpr double kSineRange = 16.0;
// Below this magnitude sin(x) rounds to x itself.
constexpr double kSineTiny = 0x1p-27;

namespace sine_constants {
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
// Adding and subtracting 1.5·2^52 rounds to the nearest integer, and leaves
// that integer in the low bits of the sum's representation.
constexpr double kRoundingShift = 0x1.8p52;
constexpr double kHalfPi1 = 1.57079632673412561417e+00;   // 31 significant bits
constexpr double kHalfPi2 = 6.07710050630396597660e-11;   // next 32 bits
constexpr double kHalfPi2Tail = 2.02226624879595063154e-21;
constexpr double kS1 = -1.66666666666666324348e-01;
constexpr double kS2 = 8.33333333332248946124e-03;
constexpr double kS3 = -1.98412698298579493134e-04;
constexpr double kS4 = 2.75573137070700676789e-06;
constexpr double kS5 = -2.50507602534068634195e-08;
constexpr double kS6 = 1.58969099521155010221e-10;
constexpr double kC1 = 4.16666666666666019037e-02;
constexpr double kC2 = -1.38888888888741095749e-03;
constexpr double kC3 = 2.48015872894767294178e-05;
constexpr double kC4 = -2.75573143513906633035e-07;
constexpr double kC5 = 2.08757232129817482790e-09;
constexpr double kC6 = -1.13596475577881948265e-11;
}  // namespace sine_constants

// sin(y0 + y1) for |y0 + y1| <= about π/4, y1 below half an ulp of y0.
inline double sineKernel(double y0, double y1) {
  using namespace sine_constants;
  const double z = y0 * y0;
  const double w = z * z;
  const double r = (kS2 + z * (kS3 + z * kS4)) + z * w * (kS5 + z * kS6);
  const double v = z * y0;
  return y0 - (((z * (0.5 * y1 - v * r)) - y1) - v * kS1);
}

// cos(y0 + y1) for |y0 + y1| <= about π/4, y1 below half an ulp of y0.
inline double cosineKernel(double y0, double y1) {
  using namespace sine_constants;
  const double z = y0 * y0;
  const double w = z * z;
  const double r = z * (kC1 + z * (kC2 + z * kC3)) + w * w * (kC4 + z * (kC5 + z * kC6));
  const double hz = 0.5 * z;
  const double u = 1.0 - hz;
  return u + (((1.0 - u) - hz) + (z * r - y0 * y1));
}

// The sine rotblend uses; see the top of this file.
inline double sine(double x) {
  using namespace sine_constants;
  const double magnitude = std::fabs(x);
  if (!(magnitude <= kSineRange)) return std::sin(x);  // NaN, infinities, large arguments
  if (magnitude < kSineTiny) return x;
  const double shifted = x * kTwoOverPi + kRoundingShift;
  const double k = shifted - kRoundingShift;
  // r = x − k·π/2: a exact, b exact, then the rounding error of a − b and
  // the third part of π/2 folded into the low half y1.
  const double a = x - k * kHalfPi1;
  const double b = k * kHalfPi2;
  const double s = a - b;
  const double lowPart = k * kHalfPi2Tail - ((a - s) - b);
  const double y0 = s - lowPart;
  const double y1 = (s - y0) - lowPart;
  std::uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  const double value = (bits & 1) ? cosineKernel(y0, y1) : sineKernel(y0, y1);
  return (bits & 2) ? -value : value;
}

#endif
