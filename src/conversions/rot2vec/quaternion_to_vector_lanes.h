// rot2vec's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z).
// Results are defined bit for bit: every operation is rounded on its own in
// the order written below (never a fused multiply-add), in every lane; the
// arc tangent is the toolbox's own (lanemath/atan2_lanes.h).
//
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
#include "lanemath/atan2_lanes.h"
#include "lanemath/power_scale_lanes.h"
#include "quaternion/lanes.h"

namespace rotation_vector_constants {
constexpr double kSeriesRatio = 0x1p-10;  // |u|²/w² below it: the series
// atan(r)/r = Σ (−1)^n r^(2n) / (2n + 1), n = 0 .. 5.
constexpr double kA1 = -1.0 / 3.0;
constexpr double kA2 = 1.0 / 5.0;
constexpr double kA3 = -1.0 / 7.0;
constexpr double kA4 = 1.0 / 9.0;
constexpr double kA5 = -1.0 / 11.0;
}  // namespace rotation_vector_constants

inline Vec3 quaternionToVector(const Quat& q) {
  using namespace rotation_vector_constants;
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

// The quaternions at q[4k] go, as rotation vectors, to out[3k].
inline void quaternionsToVectors(const double* q, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeVectors(out + 3 * std::size_t{k}, 3, lanes, quaternionToVector(loadQuaternions(q + 4 * std::size_t{k}, 4, lanes)));
  }
}
