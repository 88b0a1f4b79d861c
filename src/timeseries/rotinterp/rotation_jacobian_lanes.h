// The derivatives of a rotation given by a rotation vector r (|r| = θ),
// R = exp(r), in lanes (compiled once per vector path by simd/each_target.h):
// the coefficients of
//   J(r) = I − j1·[r]× + j2·[r]×²       body rate ω = J(r)·ṙ,
//   A(r) = J(r)⁻¹ = I + ½[r]× + a1·[r]×²    ṙ = A(r)·ω,
//   ω̇ = J(r)·r̈ + (r·ṙ)·(n1·(r × ṙ) + n2·(r × (r × ṙ))) + j2·(ṙ × (r × ṙ)),
// with j1 = (1 − cos θ)/θ², j2 = (θ − sin θ)/θ³, a1 = (1 − (θ/2)·cot(θ/2))/θ²,
// n1 = (2(1 − cos θ) − θ sin θ)/θ⁴, n2 = (3 sin θ − θ cos θ − 2θ)/θ⁵
// (the construction of scipy's RotationSpline, whose names these follow).
// Below θ = 2 (θ² < 4) each comes from its series in θ², to 2^-58 of its
// first term (a1: Bernoulli numbers, radius 2π), so no cancellation
// arises and r = 0 gives the limits exactly; from θ = 2 on, from sin(θ/2)
// and cos(θ/2) (the toolbox's own): 1 − cos θ = 2 sin²(θ/2), where they lose
// at most 3 bits. Results are defined bit for bit: every operation rounded
// on its own in the order written (never a fused multiply-add).
#if defined(ROTKIT_ROTINTERP_ROTATION_JACOBIAN_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_ROTINTERP_ROTATION_JACOBIAN_LANES_H
#undef ROTKIT_ROTINTERP_ROTATION_JACOBIAN_LANES_H
#else
#define ROTKIT_ROTINTERP_ROTATION_JACOBIAN_LANES_H
#endif

#include "lanemath/sine_lanes.h"
#include "quaternion/lanes.h"

namespace rotation_jacobian_constants {
constexpr double kSeriesLimit = 4.0;  // θ² below it: the series
// Coefficients of x^0, x^1, ... in x = θ².
constexpr double kJ1[] = {0x1.0000000000000p-1,  -0x1.5555555555555p-5, 0x1.6c16c16c16c17p-10, -0x1.a01a01a01a01ap-16,
                          0x1.27e4fb7789f5cp-22, -0x1.1eed8eff8d898p-29, 0x1.93974a8c07c9dp-37, -0x1.ae7f3e733b81fp-45,
                          0x1.6827863b97d97p-53, -0x1.e542ba4020225p-62, 0x1.0ce396db7f853p-70, -0x1.f2cf01972f578p-80};
constexpr double kJ2[] = {0x1.5555555555555p-3,  -0x1.1111111111111p-7,  0x1.a01a01a01a01ap-13, -0x1.71de3a556c734p-19,
                          0x1.ae64567f544e4p-26, -0x1.6124613a86d09p-33, 0x1.ae7f3e733b81fp-41, -0x1.952c77030ad4ap-49,
                          0x1.2f49b46814157p-57, -0x1.71b8ef6dcf572p-66, 0x1.761b41316381ap-75};
constexpr double kN1[] = {0x1.5555555555555p-4,  -0x1.6c16c16c16c17p-8,  0x1.3813813813814p-13, -0x1.27e4fb7789f5cp-19,
                          0x1.66a8f2bf70ebep-26, -0x1.2eb177e905d76p-33, 0x1.78af56a4d411bp-41, -0x1.6827863b97d97p-49,
                          0x1.10f588c412135p-57, -0x1.501c7c925f667p-66, 0x1.56ee5117f08c2p-75};
constexpr double kN2[] = {-0x1.1111111111111p-6, 0x1.a01a01a01a01ap-11, -0x1.1566abc011567p-16, 0x1.ae64567f544e4p-23,
                          -0x1.b96d79892884cp-30, 0x1.42df6ed66ca17p-37, -0x1.6286e822a97a1p-45, 0x1.2f49b46814157p-53,
                          -0x1.9ff00d5b89420p-62, 0x1.d3a2117dbc620p-71, -0x1.b6f39affec388p-80};
constexpr double kA1[] = {0x1.5555555555555p-4,  0x1.6c16c16c16c17p-10, 0x1.1566abc011567p-15, 0x1.bbd779334ef0bp-21,
                          0x1.66a8f2bf70ebep-26, 0x1.22805d644267fp-31, 0x1.d6db2c4e09162p-37, 0x1.7da4e1f79955cp-42,
                          0x1.355871d652e9ep-47, 0x1.f57d968caacf1p-53, 0x1.967e1f09c376fp-58, 0x1.497d9033a2b5cp-63,
                          0x1.0b132d7c6ad06p-68, 0x1.b0f72d59f1c16p-74, 0x1.5ef2da4cca26dp-79, 0x1.1c77df96de38bp-84,
                          0x1.cd299de521b62p-90, 0x1.75cde656574a7p-95};
}  // namespace rotation_jacobian_constants

// c[0] + x·(c[1] + x·(c[2] + ...)), Horner's order.
template <std::size_t N>
inline V seriesInSquare(const double (&c)[N], V x) {
  V sum(c[N - 1]);
  for (std::size_t i = N - 1; i-- > 0;) sum = c[i] + x * sum;
  return sum;
}

struct JacobianCoefficients {
  V j1, j2, a1, n1, n2;
};

inline JacobianCoefficients seriesCoefficients(V x) {
  using namespace rotation_jacobian_constants;
  return JacobianCoefficients{seriesInSquare(kJ1, x), seriesInSquare(kJ2, x), seriesInSquare(kA1, x),
                              seriesInSquare(kN1, x), seriesInSquare(kN2, x)};
}

inline JacobianCoefficients closedCoefficients(V x) {
  const V theta = sqrt(x);
  const SineCosine half = sineCosine(theta * 0.5);
  const V s = half.sin;
  const V c = half.cos;
  const V oneMinusCos = (s * s) * 2.0;
  const V sinTheta = (s * c) * 2.0;
  const V cosTheta = 1.0 - oneMinusCos;
  const V x2 = x * x;
  return JacobianCoefficients{oneMinusCos / x, (theta - sinTheta) / (x * theta),
                              (1.0 - (theta * 0.5) * (c / s)) / x, (oneMinusCos * 2.0 - theta * sinTheta) / x2,
                              ((sinTheta * 3.0 - theta * cosTheta) - theta * 2.0) / (x2 * theta)};
}

// The coefficients for the squared length x = |r|² (every lane its own);
// a branch no lane takes is not computed.
inline JacobianCoefficients jacobianCoefficients(V x) {
  const M series = x < rotation_jacobian_constants::kSeriesLimit;
  if (allLanes(series)) return seriesCoefficients(x);
  if (!anyLane(series)) return closedCoefficients(x);
  const JacobianCoefficients a = seriesCoefficients(x);
  const JacobianCoefficients b = closedCoefficients(x);
  return JacobianCoefficients{select(series, a.j1, b.j1), select(series, a.j2, b.j2), select(series, a.a1, b.a1),
                              select(series, a.n1, b.n1), select(series, a.n2, b.n2)};
}

inline V dot3(const Vec3& a, const Vec3& b) { return (a.x * b.x + a.y * b.y) + a.z * b.z; }

inline Vec3 cross3(const Vec3& a, const Vec3& b) {
  return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// v − j1·(r × v) + j2·(r × (r × v)): J(r)·v with (j1, j2), A(r)·v with
// (−½, a1).
inline Vec3 applyJacobian(const Vec3& r, V j1, V j2, const Vec3& v) {
  const Vec3 c = cross3(r, v);
  const Vec3 cc = cross3(r, c);
  return Vec3{(v.x - j1 * c.x) + j2 * cc.x, (v.y - j1 * c.y) + j2 * cc.y, (v.z - j1 * c.z) + j2 * cc.z};
}

// The term of ω̇ quadratic in ṙ (see the top of this file).
inline Vec3 accelerationTerm(const Vec3& r, const Vec3& rDot, const JacobianCoefficients& k) {
  const V dp = dot3(r, rDot);
  const Vec3 cp = cross3(r, rDot);
  const Vec3 ccp = cross3(r, cp);
  const Vec3 dccp = cross3(rDot, cp);
  return Vec3{dp * (k.n1 * cp.x + k.n2 * ccp.x) + k.j2 * dccp.x, dp * (k.n1 * cp.y + k.n2 * ccp.y) + k.j2 * dccp.y,
              dp * (k.n1 * cp.z + k.n2 * ccp.z) + k.j2 * dccp.z};
}

#endif
