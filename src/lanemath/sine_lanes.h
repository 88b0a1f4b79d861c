// The toolbox's own sine and cosine, in lanes (compiled once per vector path
// by simd/each_target.h; on the scalar path V is a double). Within
// |x| <= kSineRange each is within 1 ulp of the exact value, as dense sweeps
// against long double measure (tests/rotations/rotblend/sine_test.cpp,
// tests/lanemath/, bench/lanemath/); elsewhere,
// and for NaN and infinities, it is <cmath>'s sin or cos, lane by lane.
// Their last bits are therefore not the math library's, and the same on
// every path: each lane performs the same IEEE operations in the same order
// (never a fused multiply-add).
//
// Method: x = k·π/2 + r with k the nearest integer to x·2/π and r a
// double-double y0 + y1 (π/2 in three parts, the first two short enough that
// k times them is exact; every double of the range lies at least 6e-17 from
// a multiple of π/2, so r keeps far more bits than a double holds); then sin
// or cos of r by odd and even minimax polynomials on [−π/4, π/4], chosen and
// signed by k mod 4. The constants are those of fdlibm (Sun Microsystems,
// freely distributable), checked against 300-bit arithmetic.
#if defined(ROTKIT_LANEMATH_SINE_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_LANEMATH_SINE_LANES_H
#undef ROTKIT_LANEMATH_SINE_LANES_H
#else
#define ROTKIT_LANEMATH_SINE_LANES_H
#endif

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
inline V sineKernel(V y0, V y1) {
  using namespace sine_constants;
  const V z = y0 * y0;
  const V w = z * z;
  const V r = (kS2 + z * (kS3 + z * kS4)) + z * w * (kS5 + z * kS6);
  const V v = z * y0;
  return y0 - (((z * (0.5 * y1 - v * r)) - y1) - v * kS1);
}

// cos(y0 + y1) for |y0 + y1| <= about π/4, y1 below half an ulp of y0.
inline V cosineKernel(V y0, V y1) {
  using namespace sine_constants;
  const V z = y0 * y0;
  const V w = z * z;
  const V r = z * (kC1 + z * (kC2 + z * kC3)) + w * w * (kC4 + z * (kC5 + z * kC6));
  const V hz = 0.5 * z;
  const V u = 1.0 - hz;
  return u + (((1.0 - u) - hz) + (z * r - y0 * y1));
}

inline double mathLibrarySine(double x) { return std::sin(x); }
inline double mathLibraryCosine(double x) { return std::cos(x); }

// x = k·π/2 + (y0 + y1), for |x| <= kSineRange: `shifted` holds k in the
// low bits of its representation (bit 0: an odd k, bit 1: k mod 4 >= 2).
struct QuarterTurns {
  V shifted;
  V y0;
  V y1;
};

// The reduction shared by the sine, the cosine and sineCosine: the same
// operations for all three, so that each gives the same bits whichever
// function computed it.
inline QuarterTurns reduceQuarterTurns(V x) {
  using namespace sine_constants;
  const V shifted = x * kTwoOverPi + kRoundingShift;
  const V k = shifted - kRoundingShift;
  // r = x − k·π/2: a exact, b exact, then the rounding error of a − b and
  // the third part of π/2 folded into the low half y1.
  const V a = x - k * kHalfPi1;
  const V b = k * kHalfPi2;
  const V s = a - b;
  const V lowPart = k * kHalfPi2Tail - ((a - s) - b);
  const V y0 = s - lowPart;
  const V y1 = (s - y0) - lowPart;
  return QuarterTurns{shifted, y0, y1};
}

// The polynomial of the first mask where it holds, of the second elsewhere;
// mostly every lane takes the same one, and then only that one runs.
inline V quadrantKernel(M useCosine, V y0, V y1) {
  if (!anyLane(useCosine)) return sineKernel(y0, y1);
  if (allLanes(useCosine)) return cosineKernel(y0, y1);
  return select(useCosine, cosineKernel(y0, y1), sineKernel(y0, y1));
}

// The sine; see the top of this file.
inline V sine(V x) {
  const V magnitude = abs(x);
  const QuarterTurns r = reduceQuarterTurns(x);
  // k mod 4: bit 0 picks the cosine polynomial, bit 1 negates.
  const V value = quadrantKernel(reprBitSet(r.shifted, 0), r.y0, r.y1);
  const V result = select(magnitude < kSineTiny, x, flipSign(value, reprBitSet(r.shifted, 1)));
  // NaN, infinities and large arguments: the math library's sine.
  const M outside = !(magnitude <= kSineRange);
  if (!anyLane(outside)) return result;
  return select(outside, mapLanes(x, outside, mathLibrarySine), result);
}

// The cosine, within 1 ulp over |x| <= kSineRange like the sine (measured
// by tests/lanemath/cosine_test.cpp and bench/lanemath/trig_sweep.cpp), <cmath>'s
// cos outside. cos(k·π/2 + r) is cos r, −sin r, −cos r, sin r for k mod 4
// = 0, 1, 2, 3: an odd k picks the sine polynomial, and the sign flips
// where bit 0 and bit 1 of k differ. No shortcut for tiny x: the cosine
// polynomial gives exactly 1 there.
inline V cosine(V x) {
  const V magnitude = abs(x);
  const QuarterTurns r = reduceQuarterTurns(x);
  const M odd = reprBitSet(r.shifted, 0);
  const M high = reprBitSet(r.shifted, 1);
  const V value = quadrantKernel(!odd, r.y0, r.y1);
  const V result = flipSign(value, (odd & !high) | (high & !odd));
  const M outside = !(magnitude <= kSineRange);
  if (!anyLane(outside)) return result;
  return select(outside, mapLanes(x, outside, mathLibraryCosine), result);
}

struct SineCosine {
  V sin;
  V cos;
};

// sine(x) and cosine(x), the same bits as the two calls, from one reduction
// and one evaluation of each polynomial.
inline SineCosine sineCosine(V x) {
  const V magnitude = abs(x);
  const QuarterTurns r = reduceQuarterTurns(x);
  const M odd = reprBitSet(r.shifted, 0);
  const M high = reprBitSet(r.shifted, 1);
  const V sinR = sineKernel(r.y0, r.y1);
  const V cosR = cosineKernel(r.y0, r.y1);
  const V sinValue = flipSign(select(odd, cosR, sinR), high);
  const V cosValue = flipSign(select(odd, sinR, cosR), (odd & !high) | (high & !odd));
  SineCosine result{select(magnitude < kSineTiny, x, sinValue), cosValue};
  const M outside = !(magnitude <= kSineRange);
  if (!anyLane(outside)) return result;
  result.sin = select(outside, mapLanes(x, outside, mathLibrarySine), result.sin);
  result.cos = select(outside, mapLanes(x, outside, mathLibraryCosine), result.cos);
  return result;
}

#endif
