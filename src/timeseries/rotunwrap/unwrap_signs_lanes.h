// rotunwrap's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column per lane, quaternions scalar first
// (w, x, y, z). Column k is negated when the flips so far leave it on the
// other side of column k − 1: flip(k) = flip(k − 1) xor (d(k) < 0), with
// d(k) = ((w·w' + x·x') + y·y') + z·z' of the input columns k − 1 and k (a
// negated column negates d exactly, so this is the sign against the output
// column before it). A d of zero, −0 or NaN does not flip. Signs only: no
// rounding anywhere, and every path gives the same bits.
#include "quaternion/lanes.h"
#include "quaternion/slerp_lanes.h"

// Columns [begin, end) of each joint, column begin as it is.
inline void unwrapColumns(const double* q, std::uint32_t joints, std::uint32_t begin, std::uint32_t end,
                          double* out) {
  if (begin >= end) return;
  const std::size_t stride = 4 * std::size_t{joints};
  for (std::uint32_t j = 0; j < joints; ++j) {
    const double* in = q + 4 * std::size_t{j};
    double* to = out + 4 * std::size_t{j};
    for (int c = 0; c < 4; ++c) to[begin * stride + c] = in[begin * stride + c];
    bool flipped = false;  // the flip of the column before the block
    for (std::uint32_t k = begin + 1; k < end; k += kLanes) {
      const std::uint32_t lanes = lanesFrom(k - begin - 1, end - begin - 1);
      const Quat before = loadQuaternions(in + (k - 1) * stride, stride, lanes);
      const Quat column = loadQuaternions(in + k * stride, stride, lanes);
      // Each lane's own sign change, then the running xor over the lanes.
      double flips[kLanes];
      store(flips, select(dotProduct(before, column) < 0.0, V(1.0), V(0.0)));
      for (std::uint32_t i = 0; i < lanes; ++i) {
        flipped = flipped != (flips[i] != 0.0);
        flips[i] = flipped ? 1.0 : 0.0;
      }
      const M negate = load(flips) != 0.0;
      storeQuaternions(to + k * stride, stride, lanes,
                       Quat{flipSign(column.w, negate), flipSign(column.x, negate), flipSign(column.y, negate),
                            flipSign(column.z, negate)});
    }
  }
}
