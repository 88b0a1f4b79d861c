// rotreverse's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z).
// The inverse is the conjugate divided by the squared norm. Results are
// defined bit for bit: every product, sum and quotient is rounded on its own
// in the order written below (never a fused multiply-add), in every lane.
#include "quaternion/lanes.h"

// The inverse of q. The squared norm is summed x·x + w·w, then + y·y, then
// + z·z; each component has a division of its own (no reciprocal of s is
// formed). The vector part is subtracted from -0.0 rather than negated in
// some other way: the two agree on every value but NaN, and a quotient of
// +0 becomes -0, one of -0 becomes +0. A zero, tiny, huge or non-finite q
// gets whatever IEEE division yields. Do not reorder.
inline Quat invertQuaternion(const Quat& q) {
  V s = q.x * q.x + q.w * q.w;
  s = s + q.y * q.y;
  s = s + q.z * q.z;
  return Quat{q.w / s, V(-0.0) - q.x / s, V(-0.0) - q.y / s, V(-0.0) - q.z / s};
}

// The groups of four doubles at in[4k] go, inverted, to out[4k].
inline void invertColumns(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    const std::size_t offset = 4 * std::size_t{k};
    storeQuaternions(out + offset, 4, lanes, invertQuaternion(loadQuaternions(in + offset, 4, lanes)));
  }
}
