// rotintegrate's kernel, written once and compiled for every vector path
// (simd/each_target.h). Results are defined bit for bit: every operation
// rounded on its own in the order written (never a fused multiply-add);
// the exponential is quaternion/rotation_vector_lanes.h's.
//
// The turn of step m (from sample m − 1 to m, m >= 1) is the exponential
// of the trapezoid rule's rotation vector, d(m) = exp((ω(m−1) + ω(m))·(h/2)),
// h = t(m) − t(m−1): exact for a constant rate, second order otherwise.
// The orientation is q(m) = q(m−1) ⊗ d(m) (body's frame) or d(m) ⊗ q(m−1)
// (fixed frame). Steps are grouped in blocks of kIntegrationBlock: block b
// holds the steps b·B + 1 .. (b+1)·B, and its running products
// P(m) = d(b·B+1) ⊗ ... ⊗ d(m) (body; the reverse order for the fixed
// frame) are formed within it, one block per lane. Then, in order, each
// anchor q(b·B) = q((b−1)·B) ⊗ P(b·B), and every other column
// q(m) = q(b·B) ⊗ P(m) from its block's anchor (P(m) ⊗ q(b·B) for the
// fixed frame). So the association of the products is fixed by B alone,
// and the rounding that the length of q gathers grows with B and N/B
// rather than N.
#include "quaternion/rotation_vector_lanes.h"

// The turn d(m) for the lanes' steps m; `rates` points at ω(m − 1) of the
// first lane, lanes `laneStride` doubles apart.
inline Quat stepTurn(const double* rates, std::size_t rateStride, std::size_t laneStride, std::uint32_t lanes,
                     V step) {
  const Vec3 before = loadVectors(rates, laneStride, lanes);
  const Vec3 after = loadVectors(rates + rateStride, laneStride, lanes);
  const V half = step * 0.5;
  return vectorToQuaternion(Vec3{(before.x + after.x) * half, (before.y + after.y) * half, (before.z + after.z) * half});
}

inline Quat composeTurn(const Quat& product, const Quat& turn, bool world) {
  return world ? hamiltonProduct(turn, product) : hamiltonProduct(product, turn);
}

// The running products of `lanes` blocks from block b on, `length` steps
// each, one block per lane.
inline void productsOfBlocks(const double* w, std::uint32_t joints, const SampleTimes& time, bool world,
                             std::uint32_t joint, std::uint32_t b, std::uint32_t lanes, std::uint32_t length,
                             double* q) {
  const std::size_t rateStride = 3 * std::size_t{joints};
  const std::size_t qStride = 4 * std::size_t{joints};
  const std::size_t firstColumn = std::size_t{b} * kIntegrationBlock;  // sample m − 1 of the first step
  const double* rates = w + firstColumn * rateStride + 3 * std::size_t{joint};
  double* out = q + (firstColumn + 1) * qStride + 4 * std::size_t{joint};
  const std::size_t rateLanes = rateStride * kIntegrationBlock;
  const std::size_t qLanes = qStride * kIntegrationBlock;
  Quat product{V(1.0), V(0.0), V(0.0), V(0.0)};
  for (std::uint32_t i = 0; i < length; ++i) {
    V step(time.interval);
    if (time.times != nullptr) {
      V before[1], after[1];
      loadRows<1>(time.times + firstColumn + i, kIntegrationBlock, lanes, before);
      loadRows<1>(time.times + firstColumn + i + 1, kIntegrationBlock, lanes, after);
      step = after[0] - before[0];
    }
    const Quat turn = stepTurn(rates + i * rateStride, rateStride, rateLanes, lanes, step);
    product = i == 0 ? turn : composeTurn(product, turn, world);
    storeQuaternions(out + i * qStride, qLanes, lanes, product);
  }
}

// Blocks [begin, end) of one joint: the full blocks side by side, the last,
// shorter block alone.
inline void blockProducts(const double* w, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                          bool world, std::uint32_t joint, std::uint32_t begin, std::uint32_t end, double* q) {
  if (count < 2) return;
  const std::uint32_t steps = count - 1;
  const std::uint32_t fullBlocks = steps / kIntegrationBlock;
  const std::uint32_t fullEnd = end < fullBlocks ? end : fullBlocks;
  for (std::uint32_t b = begin; b < fullEnd; b += kLanes) {
    productsOfBlocks(w, joints, time, world, joint, b, lanesFrom(b - begin, fullEnd - begin), kIntegrationBlock, q);
  }
  const std::uint32_t rest = steps - fullBlocks * kIntegrationBlock;
  if (rest != 0 && fullBlocks >= begin && fullBlocks < end) {
    productsOfBlocks(w, joints, time, world, joint, fullBlocks, 1, rest, q);
  }
}

// Blocks [begin, end) of one joint: q(m) = q(b·B) ⊗ P(m) (P(m) ⊗ q(b·B) for
// the fixed frame) for the columns after each block's anchor, up to the
// next anchor (final already) or the end.
inline void anchorBlocks(std::uint32_t joints, std::uint32_t count, bool world, std::uint32_t joint,
                         std::uint32_t begin, std::uint32_t end, double* q) {
  const std::size_t qStride = 4 * std::size_t{joints};
  for (std::uint32_t b = begin; b < end; ++b) {
    const std::size_t anchorColumn = std::size_t{b} * kIntegrationBlock;
    // The block's last column is the next block's anchor, if that block exists.
    const std::size_t stop = anchorColumn + kIntegrationBlock + 1 < count ? anchorColumn + kIntegrationBlock : count;
    double* column = q + 4 * std::size_t{joint};
    const Quat anchor = spreadQuaternion(column + anchorColumn * qStride);
    for (std::size_t m = anchorColumn + 1; m < stop; m += kLanes) {
      const std::uint32_t lanes = lanesFrom(static_cast<std::uint32_t>(m - anchorColumn - 1),
                                            static_cast<std::uint32_t>(stop - anchorColumn - 1));
      const Quat partial = loadQuaternions(column + m * qStride, qStride, lanes);
      storeQuaternions(column + m * qStride, qStride, lanes, composeTurn(anchor, partial, world));
    }
  }
}
