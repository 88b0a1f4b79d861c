// Rotation vectors and quaternions, in lanes (compiled once per vector path
// by simd/each_target.h; on the scalar path V is a double): the exponential
// vectorToQuaternion (vec2rot's formula) and the logarithm
// quaternionToVector (rot2vec's), quaternions scalar first (w, x, y, z).
// vec2rot, rot2vec and the time-series functions share them, so a rotation
// vector means the same bits everywhere. Results are defined bit for bit:
// every operation is rounded on its own in the order written below (never a
// fused multiply-add), in every lane; the sine, cosine and arc tangent are
// the toolbox's own (lanemath/).
#if defined(ROTKIT_QUATERNION_ROTATION_VECTOR_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_QUATERNION_ROTATION_VECTOR_LANES_H
#undef ROTKIT_QUATERNION_ROTATION_VECTOR_LANES_H
#else
#define ROTKIT_QUATERNION_ROTATION_VECTOR_LANES_H
#endif

#include "lanemath/atan2_lanes.h"
#include "lanemath/power_scale_lanes.h"
#include "lanemath/sine_lanes.h"
#include "quaternion/lanes.h"

// The exponential.
// The vector v = θ·axis turns by θ = |v| about its axis:
//   q = (cos(θ/2), f(θ)·v),  f(θ) = sin(θ/2)/θ.
// θ² is summed x² + y², then + z²; a vector beyond 2^500 is first scaled
// down by 2^-600 (exact) so that the squares do not overflow. Below
// θ = 1/16 (θ² < 2^-8) both f and cos(θ/2) come from their series in θ²,
// five terms each, which leave out less than 2^-71 of them: they are exact
// limits (f(0) = 1/2, so v = 0 gives exactly [1; 0; 0; 0]), need no θ (its
// square may underflow harmlessly: v = 1e-300·axis gives w = 1 and
// v/2), and round only their last sums (about half an ulp). Above it,
// sin(θ/2)/θ and cos(θ/2). Do not reorder.
namespace vector_to_quaternion_constants {
constexpr double kSeriesLimit = 0x1p-8;  // θ² below it: the series
// sin(θ/2)/θ = Σ (−1)^n (θ²/4)^n / (2·(2n + 1)!), n = 0 .. 4.
constexpr double kF1 = -1.0 / 48.0;
constexpr double kF2 = 1.0 / 3840.0;
constexpr double kF3 = -1.0 / 645120.0;
constexpr double kF4 = 1.0 / 185794560.0;
// cos(θ/2) = Σ (−1)^n (θ²/4)^n / (2n)!, n = 0 .. 4.
constexpr double kC1 = -1.0 / 8.0;
constexpr double kC2 = 1.0 / 384.0;
constexpr double kC3 = -1.0 / 46080.0;
constexpr double kC4 = 1.0 / 10321920.0;
}  // namespace vector_to_quaternion_constants

inline Quat vectorToQuaternion(const Vec3& v) {
  using namespace vector_to_quaternion_constants;
  const M large = largerOf(largerOf(abs(v.x), abs(v.y)), abs(v.z)) > 0x1p500;
  const V scale = select(large, V(0x1p-600), V(1.0));
  const V xs = v.x * scale;
  const V ys = v.y * scale;
  const V zs = v.z * scale;
  const V squared = (xs * xs + ys * ys) + zs * zs;
  // A scaled-down square is small only because it was scaled.
  const M series = (squared < kSeriesLimit) & !large;
  V f;
  V w;
  if (allLanes(series)) {
    f = 0.5 + squared * (kF1 + squared * (kF2 + squared * (kF3 + squared * kF4)));
    w = 1.0 + squared * (kC1 + squared * (kC2 + squared * (kC3 + squared * kC4)));
  } else {
    const V angle = sqrt(squared) * select(large, V(0x1p600), V(1.0));
    const SineCosine half = sineCosine(angle * 0.5);
    f = half.sin / angle;
    w = half.cos;
    if (anyLane(series)) {
      f = select(series, 0.5 + squared * (kF1 + squared * (kF2 + squared * (kF3 + squared * kF4))), f);
      w = select(series, 1.0 + squared * (kC1 + squared * (kC2 + squared * (kC3 + squared * kC4))), w);
    }
  }
  return Quat{w, f * v.x, f * v.y, f * v.z};
}

// The logarithm.
// q and −q are the same rotation: q is first turned to w >= 0, and at w = 0
// (a half turn, where both signs give an angle of π) to the sign that makes
// the first nonzero of x, y, z positive, so that the result depends on the
// rotation alone. With u the vector part,
//   θ = 2·atan2(|u|, w)  in [0, π],   v = u·(θ/|u|).
// atan2 keeps every digit near θ = 0 and near π, where acos(w) loses them,
// and a common factor of q drops out of it, so q need not be unit (q is
// first scaled by a power of two so that |u|² neither overflows nor
// underflows: lanemath/power_scale_lanes.h). Where |u| < w/32 (θ < 0.0625)
// the ratio comes from its series instead, θ/|u| = (2/w)·atan(r)/r with
// r² = |u|²/w² < 2^-10: six terms leave out less than 2^-63 of it, no
// quotient 0/0 arises (the identity gives exactly 0), and |u|² may
// underflow harmlessly (q = [1; 1e-300·axis] gives 2e-300·axis). A zero
// quaternion, which is no rotation, gives NaN. Do not reorder.
namespace quaternion_to_vector_constants {
constexpr double kSeriesRatio = 0x1p-10;  // |u|²/w² below it: the series
// atan(r)/r = Σ (−1)^n r^(2n) / (2n + 1), n = 0 .. 5.
constexpr double kA1 = -1.0 / 3.0;
constexpr double kA2 = 1.0 / 5.0;
constexpr double kA3 = -1.0 / 7.0;
constexpr double kA4 = 1.0 / 9.0;
constexpr double kA5 = -1.0 / 11.0;
}  // namespace quaternion_to_vector_constants

inline Vec3 quaternionToVector(const Quat& q) {
  using namespace quaternion_to_vector_constants;
  const M flip = (q.w < 0.0) |
                 ((q.w == 0.0) & ((q.x < 0.0) | ((q.x == 0.0) & ((q.y < 0.0) | ((q.y == 0.0) & (q.z < 0.0))))));
  const V scale =
      powerOfTwoScale(largerOf(largerOf(abs(q.w), abs(q.x)), largerOf(abs(q.y), abs(q.z))));
  const V w = abs(q.w) * scale;
  const V x = flipSign(q.x * scale, flip);
  const V y = flipSign(q.y * scale, flip);
  const V z = flipSign(q.z * scale, flip);
  const V squared = (x * x + y * y) + z * z;
  const V wSquared = w * w;
  const M series = squared < wSquared * kSeriesRatio;
  V ratio;
  if (allLanes(series)) {
    const V r2 = squared / wSquared;
    ratio = (2.0 / w) * (1.0 + r2 * (kA1 + r2 * (kA2 + r2 * (kA3 + r2 * (kA4 + r2 * kA5)))));
  } else {
    const V length = sqrt(squared);
    ratio = (arcTangent2(length, w) * 2.0) / length;
    if (anyLane(series)) {
      const V r2 = squared / wSquared;
      ratio = select(series, (2.0 / w) * (1.0 + r2 * (kA1 + r2 * (kA2 + r2 * (kA3 + r2 * (kA4 + r2 * kA5))))),
                     ratio);
    }
  }
  return Vec3{x * ratio, y * ratio, z * ratio};
}

#endif
