// The toolbox's own two-argument arc tangent, in lanes (compiled once per
// vector path by simd/each_target.h; on the scalar path V is a double).
// arcTangent2(y, x) is the angle of the point (x, y), in [−π, π], within
// 1 ulp of the exact value for every pair of doubles, as a dense sweep
// against long double measures (tests/lanemath/atan2_test.cpp,
// bench/lanemath/trig_sweep.cpp); zeros, infinities and NaN give what C's atan2
// gives (signed zeros included). Its last bits are not the math library's,
// and the same on every path: each lane performs the same IEEE operations
// in the same order (never a fused multiply-add).
//
// Method: with n = min(|x|, |y|) and d = max(|x|, |y|), t = n/d lies in
// [0, 1], and the angle is K ± atan(s), where K = base ± c is 0, π/2 or π
// (the quadrant and which of |x|, |y| is larger) plus c = 0, atan(1/2) or
// π/4 chosen by t, and s is t, (2t − 1)/(2 + t) or (t − 1)/(t + 1), at most
// 7/16 in magnitude. s is formed from n and d directly (the numerators
// 2n − d and n − d are exact) and carried as a double-double, its quotient
// error recovered exactly by Dekker's product, so that neither the quotient
// nor K adds a rounding of its own to the final sum: the one rounding that
// counts is the last addition. atan(s) is fdlibm's odd minimax polynomial
// on [−7/16, 7/16] (Sun Microsystems, freely distributable); π/2 and
// atan(1/2) are given in two parts, checked against 113-bit arithmetic.
#if defined(ROTKIT_LANEMATH_ATAN2_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_LANEMATH_ATAN2_LANES_H
#undef ROTKIT_LANEMATH_ATAN2_LANES_H
#else
#define ROTKIT_LANEMATH_ATAN2_LANES_H
#endif

namespace atan2_constants {
constexpr double kHalfPiHigh = 0x1.921fb54442d18p+0;
constexpr double kHalfPiLow = 0x1.1a62633145c07p-54;
constexpr double kAtanHalfHigh = 0x1.dac670561bb4fp-2;
constexpr double kAtanHalfLow = 0x1.a2b7f222f65e2p-56;
// Multiplying by 2^27 + 1 splits a double into two halves of 26 bits
// whose products are exact (Veltkamp).
constexpr double kSplitter = 134217729.0;
// Denominators beyond these are scaled by a power of two first, so that the
// exact product below neither overflows nor underflows.
constexpr double kLarge = 0x1p500;
constexpr double kSmall = 0x1p-500;
constexpr double kScaleDown = 0x1p-600;
constexpr double kScaleUp = 0x1p600;
// Below this quotient atan(t) rounds to t whatever t's rounding error, so
// the low part is not needed (and is not formed from a scaled numerator
// that may have underflowed).
constexpr double kTinyQuotient = 0x1p-30;
constexpr double kAT0 = 3.33333333333329318027e-01;
constexpr double kAT1 = -1.99999999998764832476e-01;
constexpr double kAT2 = 1.42857142725034663711e-01;
constexpr double kAT3 = -1.11111104054623557880e-01;
constexpr double kAT4 = 9.09088713343650656196e-02;
constexpr double kAT5 = -7.69187620504482999495e-02;
constexpr double kAT6 = 6.66107313738753120669e-02;
constexpr double kAT7 = -5.83357013379057348645e-02;
constexpr double kAT8 = 4.97687799461593236017e-02;
constexpr double kAT9 = -3.65315727442169155270e-02;
constexpr double kAT10 = 1.62858201153657823623e-02;
}  // namespace atan2_constants

// The rounding error of p = a·b: a·b − p exactly (Dekker), when neither
// a·2^27 overflows nor the error underflows.
inline V productError(V a, V b, V p) {
  using namespace atan2_constants;
  const V ca = a * kSplitter;
  const V aHigh = ca - (ca - a);
  const V aLow = a - aHigh;
  const V cb = b * kSplitter;
  const V bHigh = cb - (cb - b);
  const V bLow = b - bHigh;
  return (((aHigh * bHigh - p) + aHigh * bLow) + aLow * bHigh) + aLow * bLow;
}

// atan(s + sLow) for |s| <= 7/16, sLow below an ulp of s: s minus a
// correction of at most 6.4% of it, so the correction's own roundings count
// for little; the low part enters through the derivative 1 − s² (enough:
// what is left is below 0.02 ulp).
inline V arcTangentSmall(V s, V sLow) {
  using namespace atan2_constants;
  const V z = s * s;
  const V w = z * z;
  const V odd = z * (kAT0 + w * (kAT2 + w * (kAT4 + w * (kAT6 + w * (kAT8 + w * kAT10)))));
  const V even = w * (kAT1 + w * (kAT3 + w * (kAT5 + w * (kAT7 + w * kAT9))));
  const V lowPart = sLow - sLow * z;
  return s - (s * (odd + even) - lowPart);
}

// The angle of (x, y); see the top of this file.
inline V arcTangent2(V y, V x) {
  using namespace atan2_constants;
  const V ax = abs(x);
  const V ay = abs(y);
  const M swap = ay > ax;
  // Two zeros or two infinities: n/d would be NaN; 0/1 and 1/1 give C's
  // angles (0 or π; π/4 or 3π/4) through the same formula.
  const M bothZero = (ax == 0.0) & (ay == 0.0);
  const M bothInfinite = (ax == std::numeric_limits<double>::infinity()) & (ay == ax);
  const V n = select(bothInfinite, V(1.0), select(bothZero, V(0.0), select(swap, ax, ay)));
  const V d = select(bothZero | bothInfinite, V(1.0), select(swap, ay, ax));
  const V t = n / d;
  // Which reduction: t in [0, 7/16), [7/16, 11/16), or [11/16, 1] (and NaN).
  const M first = t < 0.4375;
  const M second = (t >= 0.4375) & (t < 0.6875);

  // s = numerator / (denominator + denominatorLow), on n and d scaled by a
  // power of two (exact); the numerators are exact by Sterbenz's lemma,
  // the denominator's rounding error is kept (Fast2Sum: its first term is
  // the larger).
  const V scale = select(d > kLarge, V(kScaleDown), select(d < kSmall, V(kScaleUp), V(1.0)));
  const V ns = n * scale;
  const V ds = d * scale;
  const V numerator = select(first, ns, select(second, ns * 2.0 - ds, ns - ds));
  const V larger = select(second, ds * 2.0, ds);
  const V smaller = select(first, V(0.0), ns);
  const V denominator = larger + smaller;
  const V denominatorLow = smaller - (denominator - larger);
  const V s = select(first, t, numerator / denominator);
  const V p = s * denominator;
  // numerator − p is exact (p is within an ulp of it); what the quotient
  // missed, divided back.
  const V residual = (numerator - p) - productError(s, denominator, p);
  const V sLow = select(first & (t < kTinyQuotient), V(0.0), (residual - s * denominatorLow) / denominator);

  // K = base ± c as an exact double-double (Knuth's TwoSum), the sign of
  // atan(s) the same as c's.
  const M xNegative = signBitSet(x);
  const M negate = (swap & !xNegative) | (xNegative & !swap);
  const V baseHigh = select(swap, V(kHalfPiHigh), select(xNegative, V(2.0 * kHalfPiHigh), V(0.0)));
  const V baseLow = select(swap, V(kHalfPiLow), select(xNegative, V(2.0 * kHalfPiLow), V(0.0)));
  const V cHigh = flipSign(select(first, V(0.0), select(second, V(kAtanHalfHigh), V(0.5 * kHalfPiHigh))), negate);
  const V cLow = flipSign(select(first, V(0.0), select(second, V(kAtanHalfLow), V(0.5 * kHalfPiLow))), negate);
  const V kHigh = baseHigh + cHigh;
  const V kBack = kHigh - baseHigh;
  const V kError = (baseHigh - (kHigh - kBack)) + (cHigh - kBack);
  const V atanS = flipSign(arcTangentSmall(s, sLow), negate);
  const V magnitude = kHigh + ((kError + (baseLow + cLow)) + atanS);
  return flipSign(magnitude, signBitSet(y));
}

#endif
