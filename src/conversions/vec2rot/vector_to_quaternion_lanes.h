// vec2rot's kernel, written once and compiled for every vector path
// (simd/each_target.h): one rotation vector per lane, quaternions scalar
// first (w, x, y, z). Results are defined bit for bit: every operation is
// rounded on its own in the order written below (never a fused
// multiply-add), in every lane; the sine and cosine are the toolbox's own
// (lanemath/sine_lanes.h).
//
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
#include "lanemath/power_scale_lanes.h"
#include "lanemath/sine_lanes.h"
#include "quaternion/lanes.h"

namespace rotation_vector_constants {
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
}  // namespace rotation_vector_constants

inline Quat vectorToQuaternion(const Vec3& v) {
  using namespace rotation_vector_constants;
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

// The vectors at v[3k] go, as quaternions, to out[4k].
inline void vectorsToQuaternions(const double* v, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeQuaternions(out + 4 * std::size_t{k}, 4, lanes,
                     vectorToQuaternion(loadVectors(v + 3 * std::size_t{k}, 3, lanes)));
  }
}
