// A quaternion divided by its length, in lanes: scalar first (w, x, y, z),
// bit for bit on every path (no fused multiply-add; every product, sum,
// square root and quotient rounded on its own in the order written).
// Compiled once per vector path (simd/each_target.h); rotnormalize and
// mat2rot share it.
//
// Three steps, each part of the result:
//   1. s = (w·w + x·x) + (y·y + z·z), summed in these pairs;
//   2. each component divided by sqrt(s), a division of its own;
//   3. one refinement of the length: e = |q|² − 1 of those quotients,
//      summed as in 1, and every nonzero component c becomes c − c·(e·0.5)
//      (a zero stays as it is, its sign included, unless e is NaN).
// Step 3 is one Newton step towards |q| = 1: most of the error that steps
// 1 and 2 leave is in the length, common to the four components, and it is
// measured and taken out. Against a long double reference over 2·10^6
// random quaternions the worst component error was 0.86 units of 2^-52,
// against 1.21 for steps 1 and 2 alone, 1.49 for ((w·w + x·x) + y·y) + z·z
// and 1.57 for that with one reciprocal and four products. One reciprocal
// with step 3 would do as well in the worst case (0.84), but it is off by
// one ulp where a division is exact (3/5 and 4/5 for [3; 0; 0; 4]) and was
// no faster: the divisions are not what limits the speed.
//
// Squares of huge or tiny components would overflow or underflow, so a
// quaternion whose largest component lies outside [2^-500, 2^500] is first
// scaled by a power of two (exact): by 2^600 when every component is below
// 2^-500, by 2^-600 when one is above 2^500. A tiny quaternion's components
// are scaled before the division, which is exact; a huge one's are divided
// unscaled by the scaled length and the quotient scaled back, so that no
// component loses bits by falling below the normal range on the way. In
// between nothing is scaled. rotnormalize([1e200; 0; 0; 0]) is therefore
// [1; 0; 0; 0].
//
// Not guarded: a zero quaternion gives 0/0 = NaN in every component, and a
// NaN or an infinite component gives NaN in every component (the
// refinement's e is NaN), as IEEE arithmetic has it.
#if defined(ROTKIT_QUATERNION_NORMALIZE_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_NORMALIZE_LANES_H
#undef ROTKIT_QUATERNION_NORMALIZE_LANES_H
#else
#define ROTKIT_QUATERNION_NORMALIZE_LANES_H
#endif

#include "quaternion/lanes.h"

// (w·w + x·x) + (y·y + z·z), the pairs in this order: part of the result.
inline V squaredLength(const Quat& q) { return (q.w * q.w + q.x * q.x) + (q.y * q.y + q.z * q.z); }

// q / |q| for quaternions whose squares neither overflow nor underflow:
// steps 1 and 2.
inline Quat divideByLength(const Quat& q) {
  const V length = sqrt(squaredLength(q));
  return Quat{q.w / length, q.x / length, q.y / length, q.z / length};
}

// Step 3: c − c·(e·0.5) with e = |q|² − 1, for a q of length 1 to rounding.
// A zero is kept as it is (its sign included) unless e is NaN: then it
// becomes NaN too, so that a non-finite q gives NaN throughout.
inline Quat refineLength(const Quat& q) {
  const V half = (squaredLength(q) - 1.0) * 0.5;
  const V zero(0.0);
  const M finite = half == half;
  return Quat{select((q.w == zero) & finite, q.w, q.w - q.w * half),
              select((q.x == zero) & finite, q.x, q.x - q.x * half),
              select((q.y == zero) & finite, q.y, q.y - q.y * half),
              select((q.z == zero) & finite, q.z, q.z - q.z * half)};
}

// q / |q|, scaled where the squares would leave the range of doubles.
inline Quat normalizeQuaternion(const Quat& q) {
  // A squared length in [2^-960, 2^1000] means no component above 2^500
  // and one at least 2^-481: no lane is scaled. Scaling by 1 changes no
  // bits, so a block of such lanes (nearly every block) takes the short way.
  const V s = squaredLength(q);
  if (allLanes((s >= V(0x1p-960)) & (s <= V(0x1p1000)))) {
    const V length = sqrt(s);
    return refineLength(Quat{q.w / length, q.x / length, q.y / length, q.z / length});
  }
  const V big(0x1p500);
  const V tiny(0x1p-500);
  const V aw = abs(q.w), ax = abs(q.x), ay = abs(q.y), az = abs(q.z);
  const M anyBig = (aw > big) | (ax > big) | (ay > big) | (az > big);
  const M allTiny = (aw < tiny) & (ax < tiny) & (ay < tiny) & (az < tiny);
  // scale: what the squares are taken of; before / after: what multiplies
  // a component before and after its division. NaN compares false and is
  // left unscaled; it ends as NaN either way.
  const V scale = select(anyBig, V(0x1p-600), select(allTiny, V(0x1p600), V(1.0)));
  const V before = select(allTiny, V(0x1p600), V(1.0));
  const V after = select(anyBig, V(0x1p-600), V(1.0));
  const Quat scaled{q.w * scale, q.x * scale, q.y * scale, q.z * scale};
  const V length = sqrt(squaredLength(scaled));
  return refineLength(Quat{((q.w * before) / length) * after, ((q.x * before) / length) * after,
                           ((q.y * before) / length) * after, ((q.z * before) / length) * after});
}

#endif
