// rot2eul's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z),
// Hamilton product. Results are defined bit for bit: every operation is
// rounded on its own in the order written below (never a fused
// multiply-add), in every lane; the arc tangent is the toolbox's own
// (lanemath/atan2_lanes.h).
//
// The direct method of Bernardes and Viollet (PLOS ONE, 2022), on the
// intrinsic form Ri(b1)·Rj(b2)·Rk(b3) (conversions/axis_sequence.h). A proper
// Euler sequence (k = i) has, with e_i·e_j = ε·e_other,
//   q ∝ (cos(b2/2)·cos σ, cos(b2/2)·sin σ, sin(b2/2)·cos δ, ε·sin(b2/2)·sin δ)
// in the places (w, i, j, other), σ = (b1 + b3)/2 and δ = (b1 − b3)/2; so,
// with a = w, b = q_i, c = q_j, d = ε·q_other:
//   b2 = 2·atan2(|(c, d)|, |(a, b)|),  σ = atan2(b, a),  δ = atan2(d, c),
//   b1 = σ + δ = atan2(ad + bc, ac − bd),  b3 = σ − δ = atan2(bc − ad, ac + bd)
// (the arguments of (a + ib)(c ± id): one rounded atan2 per angle).
// A Tait-Bryan sequence is the proper 'iji' after a quarter turn about j:
// Ri(b1)·Rj(b2)·Rk(b3)·Rj(π/2) = Ri(b1)·Rj(b2 + π/2)·Ri(−ε·b3), whose
// quaternion q ⊗ (1 + e_j)/√2 gives a = w − q_j, b = q_i − ε·q_other,
// c = q_j + w, d = q_i + ε·q_other (the √2 drops out of every atan2); then
// b2 = 2·atan2(|(c, d)| − |(a, b)|, |(c, d)| + |(a, b)|) (that is, the
// proper angle minus π/2, without the rounding of a subtraction) and
// b3 = −ε·(σ − δ). Every angle is an atan2 of sums and differences of
// components, so none loses digits near a pole the way asin and acos do,
// and q need not be unit: a common factor drops out of each atan2 (q is
// first scaled by a power of two so that the sums of squares neither
// overflow nor underflow: lanemath/power_scale_lanes.h).
//
// Gimbal lock: where |(c, d)| <= 2^-51·|(a, b)| (b2 within 2^-50 rad of 0,
// or of −π/2 for Tait-Bryan) only σ is defined to double precision, and
// where |(a, b)| <= 2^-51·|(c, d)| only δ: a change of δ (or σ) there moves
// the quaternion by less than 2^-50 of its length, a few of its rounding
// errors. Those columns are locked: the third angle is 0 and the first
// carries the whole turn, 2σ or 2δ (for an extrinsic sequence, whose rows
// are the intrinsic ones reversed, the intrinsic b1 is the one set to 0, so
// that the third row is 0 there too). The rotation this gives differs from
// the quaternion's by at most 2^-49 rad; the tolerance is chosen to catch
// the quaternions that eul2rot makes from a middle angle of exactly pi/2 or
// 0 (whose rounding leaves the other pair a few ulps from zero).
#include "lanemath/atan2_lanes.h"
#include "lanemath/power_scale_lanes.h"

namespace euler_constants {
constexpr double kLockRatio = 0x1p-51;
constexpr double kPiHigh = 2.0 * atan2_constants::kHalfPiHigh;
constexpr double kTwoPiHigh = 4.0 * atan2_constants::kHalfPiHigh;
constexpr double kTwoPiLow = 4.0 * atan2_constants::kHalfPiLow;
}  // namespace euler_constants

// An angle of [−2π, 2π] into [−π, π]: 2π is taken off in two parts, the
// first subtraction exact (Sterbenz).
inline V wrapAngle(V angle) {
  using namespace euler_constants;
  const M above = angle > kPiHigh;
  const M below = angle < -kPiHigh;
  const M outside = above | below;
  if (!anyLane(outside)) return angle;
  const V shifted = (angle + select(above, V(-kTwoPiHigh), V(kTwoPiHigh))) + select(above, V(-kTwoPiLow), V(kTwoPiLow));
  return select(outside, shifted, angle);
}

template <bool Proper, bool Even, bool Reversed>
inline void eulerAngleColumns(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                              const EulerAxes& axes) {
  using namespace euler_constants;
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V c[4];
    loadRows<4>(q + 4 * std::size_t{k}, 4, lanes, c);
    const V scale = powerOfTwoScale(largerOf(largerOf(abs(c[0]), abs(c[1])), largerOf(abs(c[2]), abs(c[3]))));
    const V w = c[0] * scale;
    const V qi = c[1 + axes.i] * scale;
    const V qj = c[1 + axes.j] * scale;
    const V qOther = Even ? c[1 + axes.other] * scale : -(c[1 + axes.other] * scale);
    const V a = Proper ? w : w - qj;
    const V b = Proper ? qi : qi - qOther;
    const V cc = Proper ? qj : qj + w;
    const V d = Proper ? qOther : qi + qOther;
    const V lengthAB = sqrt(a * a + b * b);
    const V lengthCD = sqrt(cc * cc + d * d);
    const V middle = Proper ? arcTangent2(lengthCD, lengthAB) * 2.0
                            : arcTangent2(lengthCD - lengthAB, lengthCD + lengthAB) * 2.0;
    const M low = lengthCD <= lengthAB * kLockRatio;
    const M lock = low | (lengthAB <= lengthCD * kLockRatio);
    V first = V(0.0);
    V third = V(0.0);
    if (!allLanes(lock)) {
      // σ + δ and σ − δ as the arguments of (a + ib)(c + id) and
      // (a + ib)(c − id): one atan2 each, not a sum of two rounded angles.
      // Each pair is first scaled on its own (its argument does not
      // change), so that the products neither underflow nor overflow
      // where one pair is far shorter than the other.
      const V abScale = powerOfTwoScale(largerOf(abs(a), abs(b)));
      const V cdScale = powerOfTwoScale(largerOf(abs(cc), abs(d)));
      const V as = a * abScale;
      const V bs = b * abScale;
      const V cs = cc * cdScale;
      const V ds = d * cdScale;
      first = arcTangent2(as * ds + bs * cs, as * cs - bs * ds);
      const V difference = arcTangent2(bs * cs - as * ds, as * cs + bs * ds);
      third = Proper || !Even ? difference : -difference;
    }
    if (anyLane(lock)) {
      // b1 + b3 = 2σ at the low pole, b1 − b3 = 2δ at the high one.
      const V sigma = arcTangent2(b, a);
      const V delta = arcTangent2(d, cc);
      if (Reversed) {
        const V turn3 = select(low, sigma * 2.0, delta * -2.0);
        first = select(lock, V(0.0), first);
        third = select(lock, Proper || !Even ? turn3 : -turn3, third);
      } else {
        first = select(lock, select(low, sigma * 2.0, delta * 2.0), first);
        third = select(lock, V(0.0), third);
      }
    }
    const V rows[3] = {wrapAngle(Reversed ? third : first), middle, wrapAngle(Reversed ? first : third)};
    storeRows<3>(angles + 3 * std::size_t{k}, 3, lanes, rows);
    if (locked != nullptr) {
      double flags[kLanes];
      storeRow(flags, lanes, select(lock, V(1.0), V(0.0)));
      for (std::uint32_t n = 0; n < lanes; ++n) locked[k + n] = flags[n] != 0.0 ? 1 : 0;
    }
  }
}

// The quaternions at q[4k] go, as angles, to angles[3k], their lock flags
// to locked[k].
inline void quaternionsToEuler(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                               const EulerAxes& axes) {
  if (axes.proper) {
    if (axes.even) {
      if (axes.reversed) return eulerAngleColumns<true, true, true>(q, angles, locked, count, axes);
      return eulerAngleColumns<true, true, false>(q, angles, locked, count, axes);
    }
    if (axes.reversed) return eulerAngleColumns<true, false, true>(q, angles, locked, count, axes);
    return eulerAngleColumns<true, false, false>(q, angles, locked, count, axes);
  }
  if (axes.even) {
    if (axes.reversed) return eulerAngleColumns<false, true, true>(q, angles, locked, count, axes);
    return eulerAngleColumns<false, true, false>(q, angles, locked, count, axes);
  }
  if (axes.reversed) return eulerAngleColumns<false, false, true>(q, angles, locked, count, axes);
  return eulerAngleColumns<false, false, false>(q, angles, locked, count, axes);
}
