// A quaternion divided by its length, in lanes: scalar first (w, x, y, z),
// bit for bit on every path (no fused multiply-add; every product, sum,
// square root and quotient rounded on its own in the order written).
// Compiled once per vector path (simd/each_target.h); rotnormalize and
// mat2rot share it.
//
// The length is summed in pairs, (w·w + x·x) + (y·y + z·z), and each
// component gets a division of its own. Against a long double reference
// over random quaternions this pairing and the four divisions were the
// most accurate of the forms tried: worst component error 1.22 units of
// 2^-52, against 1.49 for ((w·w + x·x) + y·y) + z·z and 1.57 for that sum
// with one reciprocal and four products.
//
// Squares of huge or tiny components would overflow or underflow, so a
// quaternion whose largest component lies outside [2^-500, 2^500] is first
// scaled by a power of two (exact): by 2^600 when every component is below
// 2^-500, by 2^-600 when one is above 2^500. A tiny quaternion's components
// are scaled before the division, which is exact; a huge one's are divided
// unscaled by the scaled length and the quotient scaled back, so that no
// component loses bits by falling below the normal range on the way. In
// between nothing is scaled and the result is c / sqrt(s) itself.
// rotnormalize([1e200; 0; 0; 0]) is therefore [1; 0; 0; 0].
//
// Not guarded: a zero quaternion gives 0/0 = NaN in every component, NaN
// anywhere gives NaN throughout, and an infinite component gives NaN there
// (Inf/Inf) and zeros or NaN elsewhere, as IEEE arithmetic has it.
#if defined(ROTKIT_QUATERNION_NORMALIZE_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_NORMALIZE_LANES_H
#undef ROTKIT_QUATERNION_NORMALIZE_LANES_H
#else
#define ROTKIT_QUATERNION_NORMALIZE_LANES_H
#endif

#include "quaternion/lanes.h"

// (w·w + x·x) + (y·y + z·z), the pairs in this order: part of the result.
inline V squaredLength(const Quat& q) { return (q.w * q.w + q.x * q.x) + (q.y * q.y + q.z * q.z); }

// q / |q| for quaternions whose squares neither overflow nor underflow.
inline Quat divideByLength(const Quat& q) {
  const V length = sqrt(squaredLength(q));
  return Quat{q.w / length, q.x / length, q.y / length, q.z / length};
}

// q / |q|, scaled where the squares would leave the range of doubles.
inline Quat normalizeQuaternion(const Quat& q) {
  const V big(0x1p500);
  const V tiny(0x1p-500);
  const M anyBig = (abs(q.w) > big) | (abs(q.x) > big) | (abs(q.y) > big) | (abs(q.z) > big);
  const M allTiny = (abs(q.w) < tiny) & (abs(q.x) < tiny) & (abs(q.y) < tiny) & (abs(q.z) < tiny);
  // Scaling by 1 changes no bits, so blocks without a lane out of range
  // skip it.
  if (!anyLane(anyBig | allTiny)) return divideByLength(q);
  // scale: what the squares are taken of; before / after: what multiplies
  // a component before and after its division. NaN compares false and is
  // left unscaled; it ends as NaN either way.
  const V scale = select(anyBig, V(0x1p-600), select(allTiny, V(0x1p600), V(1.0)));
  const V before = select(allTiny, V(0x1p600), V(1.0));
  const V after = select(anyBig, V(0x1p-600), V(1.0));
  const Quat scaled{q.w * scale, q.x * scale, q.y * scale, q.z * scale};
  const V length = sqrt(squaredLength(scaled));
  return Quat{((q.w * before) / length) * after, ((q.x * before) / length) * after,
              ((q.y * before) / length) * after, ((q.z * before) / length) * after};
}

#endif
