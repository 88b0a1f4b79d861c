// rot2vec's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z).
// The formula is quaternionToVector of quaternion/rotation_vector_lanes.h
// (the angle 2·atan2(|u|, w) in [0, π], q and −q alike), bit for bit on
// every path (never a fused multiply-add).
#include "quaternion/rotation_vector_lanes.h"

// The quaternions at q[4k] go, as rotation vectors, to out[3k].
inline void quaternionsToVectors(const double* q, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeVectors(out + 3 * std::size_t{k}, 3, lanes, quaternionToVector(loadQuaternions(q + 4 * std::size_t{k}, 4, lanes)));
  }
}
