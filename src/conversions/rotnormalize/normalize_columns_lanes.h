// rotnormalize's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z),
// each divided by its length as quaternion/normalize_lanes.h does it, bit
// for bit (never a fused multiply-add).
#include "quaternion/normalize_lanes.h"

// The groups of four doubles at in[4k] go, each divided by its length, to
// out[4k].
inline void normalizeColumns(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    const std::size_t offset = 4 * std::size_t{k};
    storeQuaternions(out + offset, 4, lanes, normalizeQuaternion(loadQuaternions(in + offset, 4, lanes)));
  }
}
