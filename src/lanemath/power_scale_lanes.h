// A power of two that brings a magnitude into [2^-500, 2^500] (or leaves it
// alone there), in lanes: multiplying the components of a quaternion or a
// vector by it is exact, keeps every ratio and angle they define, and lets
// their squares be summed without overflow or underflow. Components far
// smaller than the largest may underflow on the way down; they are below
// 2^-922 of it and count for nothing in a double result.
#if defined(ROTKIT_LANEMATH_POWER_SCALE_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_LANEMATH_POWER_SCALE_LANES_H
#undef ROTKIT_LANEMATH_POWER_SCALE_LANES_H
#else
#define ROTKIT_LANEMATH_POWER_SCALE_LANES_H
#endif

// `largest` is the largest magnitude of the components; NaN gives 1.
inline V powerOfTwoScale(V largest) {
  return select(largest > 0x1p500, V(0x1p-600), select(largest < 0x1p-500, V(0x1p600), V(1.0)));
}

// The larger of two magnitudes (either, for NaN: the scale only needs to be
// deterministic).
inline V largerOf(V a, V b) { return select(a > b, a, b); }

#endif
