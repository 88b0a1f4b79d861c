// rotreverse's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z).
// The inverse is the conjugate divided by the squared norm
// (quaternion/inverse_lanes.h, which poselocal shares). Results are defined
// bit for bit: every product, sum and quotient is rounded on its own in a
// fixed order (never a fused multiply-add), in every lane.
#include "quaternion/inverse_lanes.h"  // invertQuaternion: the formula and its term order

// The groups of four doubles at in[4k] go, inverted, to out[4k].
inline void invertColumns(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    const std::size_t offset = 4 * std::size_t{k};
    storeQuaternions(out + offset, 4, lanes, invertQuaternion(loadQuaternions(in + offset, 4, lanes)));
  }
}
