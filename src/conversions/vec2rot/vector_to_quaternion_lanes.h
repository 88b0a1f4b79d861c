// vec2rot's kernel, written once and compiled for every vector path
// (simd/each_target.h): one rotation vector per lane, quaternions scalar
// first (w, x, y, z). The formula is vectorToQuaternion of
// quaternion/rotation_vector_lanes.h (cos(θ/2) and sin(θ/2)/θ, by their
// series below θ = 1/16), bit for bit on every path (never a fused
// multiply-add).
#include "quaternion/rotation_vector_lanes.h"

// The vectors at v[3k] go, as quaternions, to out[4k].
inline void vectorsToQuaternions(const double* v, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeQuaternions(out + 4 * std::size_t{k}, 4, lanes,
                     vectorToQuaternion(loadVectors(v + 3 * std::size_t{k}, 3, lanes)));
  }
}
