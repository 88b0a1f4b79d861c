// rotmean's kernel, written once and compiled for every vector path
// (simd/each_target.h). Results are defined bit for bit: every product, sum
// and quotient is rounded on its own in the order written below (never a
// fused multiply-add), and every sum runs in an order fixed by the frame
// count alone, never by the vector width or the thread count:
//
//   1. Each frame k of joint j adds the ten distinct elements of
//      T = (r·q)·qᵀ, r = w_k·s/|q|² (s the power of two that brings the
//      largest weight into [1, 2): exact, and no sum can overflow). q is
//      first scaled by a power of two where |q|² would leave [2^-960,
//      2^1000] (exact; T is the same rotation's). |q|² is
//      (w·w + x·x) + (y·y + z·z).
//   2. Frames go in blocks of 128 and, within a block, in groups of 8:
//      frame i of a group adds into accumulator i (a lane of a vector
//      path, or one of eight on the scalar path), and a block's sum is
//      ((a0 + a1) + (a2 + a3)) + ((a4 + a5) + (a6 + a7)).
//   3. Blocks go in chunks of 8192 frames; a chunk's block sums are added
//      in order with the rounding error of each addition kept (Knuth's
//      two-sum) and summed apart. Chunks are what threads share out.
//   4. The chunks' sums are added in order the same way; the total is sum
//      plus errors.
//   5. The eigenvector of the largest eigenvalue of the total
//      (measures/dominant_eigenvector_lanes.h), one joint per lane,
//      normalised and given w >= 0.
// So the sums lose at most some 16 roundings per element (the products and
// the accumulators of a block), far fewer in practice, against N for a
// plain running sum.
#include "lanemath/power_scale_lanes.h"
#include "measures/dominant_eigenvector_lanes.h"
#include "measures/weights_lanes.h"
#include "quaternion/lanes.h"

namespace mean_rotation {
constexpr std::uint32_t kChunkFrames = 8192;
constexpr std::uint32_t kBlockFrames = 128;
constexpr std::uint32_t kGroupFrames = 8;  // accumulators per element, kLanes at most
constexpr int kEntries = 10;               // (0,0) (0,1) (0,2) (0,3) (1,1) (1,2) (1,3) (2,2) (2,3) (3,3)
constexpr std::size_t kSlot = 2 * kEntries;  // per chunk and joint: the sums, then their rounding errors
constexpr double kNotUnique = 0x1p-44;     // of the total weight
constexpr double kSmallSquare = 0x1p-960;
constexpr double kLargeSquare = 0x1p1000;
}  // namespace mean_rotation

inline std::uint32_t meanChunks(std::uint32_t frameCount) {
  const std::uint32_t chunks = frameCount / mean_rotation::kChunkFrames +
                               (frameCount % mean_rotation::kChunkFrames != 0 ? 1 : 0);
  return chunks == 0 ? 1 : chunks;
}

// One frame per lane into accumulator column `slot`: step 1.
inline void addFrames(V (&acc)[mean_rotation::kEntries][mean_rotation::kGroupFrames / kLanes], std::uint32_t slot,
                      Quat q, V weight) {
  using namespace mean_rotation;
  const V probe = ((q.w - q.w) + (q.x - q.x)) + ((q.y - q.y) + (q.z - q.z));
  const M finite = probe == 0.0;
  V square = (q.w * q.w + q.x * q.x) + (q.y * q.y + q.z * q.z);
  const M inRange = (square >= kSmallSquare) & (square <= kLargeSquare);
  if (!allLanes(inRange | !finite)) {
    const V scale = powerOfTwoScale(largerOf(largerOf(abs(q.w), abs(q.x)), largerOf(abs(q.y), abs(q.z))));
    q = Quat{q.w * scale, q.x * scale, q.y * scale, q.z * scale};
    square = (q.w * q.w + q.x * q.x) + (q.y * q.y + q.z * q.z);
  }
  const M usable = finite & (square > 0.0) & (weight > 0.0);
  const V zero(0.0);
  const V r = select(usable, weight / square, zero);
  const V c[4] = {select(usable, q.w, zero), select(usable, q.x, zero), select(usable, q.y, zero),
                  select(usable, q.z, zero)};
  int e = 0;
  for (int i = 0; i < 4; ++i) {
    const V scaled = r * c[i];
    for (int j = i; j < 4; ++j, ++e) acc[e][slot] = acc[e][slot] + scaled * c[j];
  }
}

// The ten sums of frames [begin, end) (at most one block) of the joint whose
// frame-k quaternion is at q + stride·k: steps 1 and 2.
inline void blockSums(const double* q, std::size_t stride, const double* weights, double scale, std::uint32_t begin,
                      std::uint32_t end, double (&sums)[mean_rotation::kEntries]) {
  using namespace mean_rotation;
  constexpr std::uint32_t kPerGroup = kGroupFrames / kLanes;
  V acc[kEntries][kPerGroup];
  for (auto& row : acc) {
    for (V& a : row) a = V(0.0);
  }
  for (std::uint32_t group = begin; group < end; group += kGroupFrames) {
    for (std::uint32_t slot = 0; slot < kPerGroup; ++slot) {
      const std::uint32_t first = group + slot * kLanes;
      if (first >= end) break;
      const std::uint32_t lanes = lanesFrom(first, end);
      const V weight = weights != nullptr ? loadRow(weights + first, lanes) * scale : V(1.0);
      addFrames(acc, slot, loadQuaternions(q + stride * first, stride, lanes), weight);
    }
  }
  for (int e = 0; e < kEntries; ++e) {
    double a[kGroupFrames];
    for (std::uint32_t slot = 0; slot < kPerGroup; ++slot) store(a + slot * kLanes, acc[e][slot]);
    sums[e] = ((a[0] + a[1]) + (a[2] + a[3])) + ((a[4] + a[5]) + (a[6] + a[7]));
  }
}

// Chunks [chunkBegin, chunkEnd): each joint's sums and their errors into its
// slot of the chunk, scratch + (chunk·J + joint)·kSlot: step 3.
inline void meanChunkSums(const double* q, std::uint32_t jointCount, std::uint32_t frameCount, const double* weights,
                          double scale, double* scratch, std::uint32_t chunkBegin, std::uint32_t chunkEnd) {
  using namespace mean_rotation;
  const std::size_t stride = 4 * std::size_t{jointCount};
  for (std::uint32_t chunk = chunkBegin; chunk < chunkEnd; ++chunk) {
    double* slots = scratch + std::size_t{chunk} * jointCount * kSlot;
    for (std::size_t i = 0; i < jointCount * kSlot; ++i) slots[i] = 0.0;
    const std::uint32_t first = chunk * kChunkFrames;
    const std::uint32_t last = frameCount - first < kChunkFrames ? frameCount : first + kChunkFrames;
    for (std::uint32_t block = first; block < last; block += kBlockFrames) {
      const std::uint32_t blockEnd = last - block < kBlockFrames ? last : block + kBlockFrames;
      for (std::uint32_t j = 0; j < jointCount; ++j) {
        double sums[kEntries];
        blockSums(q + 4 * std::size_t{j}, stride, weights, scale, block, blockEnd, sums);
        double* slot = slots + std::size_t{j} * kSlot;
        for (int e = 0; e < kEntries; ++e) addWithError(slot[e], slot[kEntries + e], sums[e]);
      }
    }
  }
}

// Step 4: each joint's total into the first kEntries doubles of its slot
// of chunk 0.
inline void meanChunkTotals(std::uint32_t jointCount, std::uint32_t chunks, double* scratch) {
  using namespace mean_rotation;
  for (std::uint32_t j = 0; j < jointCount; ++j) {
    double* first = scratch + std::size_t{j} * kSlot;
    for (int e = 0; e < kEntries; ++e) {
      double sum = first[e];
      double error = first[kEntries + e];
      for (std::uint32_t chunk = 1; chunk < chunks; ++chunk) {
        const double* slot = scratch + (std::size_t{chunk} * jointCount + j) * kSlot;
        addWithError(sum, error, slot[e]);
        error = error + slot[kEntries + e];
      }
      first[e] = sum + error;
    }
  }
}

// Step 5 for joints [jointBegin, jointEnd), one per lane.
inline void meanOfTotals(const double* scratch, double* out, std::uint32_t jointBegin, std::uint32_t jointEnd) {
  using namespace mean_rotation;
  for (std::uint32_t j = jointBegin; j < jointEnd; j += kLanes) {
    const std::uint32_t lanes = lanesFrom(j, jointEnd);
    V t[kEntries];
    loadRows<kEntries>(scratch + std::size_t{j} * kSlot, kSlot, lanes, t);
    Symmetric4 m{{{t[0], t[1], t[2], t[3]}, {t[1], t[4], t[5], t[6]}, {t[2], t[5], t[7], t[8]},
                  {t[3], t[6], t[8], t[9]}}};
    const V total = (t[0] + t[4]) + (t[7] + t[9]);
    const DominantEigen eigen = dominantEigenvector(m);
    const Quat mean = unitWithPositiveScalar(eigen.vector);
    const M unique = (eigen.largest - eigen.second) > total * kNotUnique;
    const V nan(std::numeric_limits<double>::quiet_NaN());
    storeQuaternions(out + 4 * std::size_t{j}, 4, lanes,
                     Quat{select(unique, mean.w, nan), select(unique, mean.x, nan), select(unique, mean.y, nan),
                          select(unique, mean.z, nan)});
  }
}

// The whole computation on the calling thread.
inline void meanRotations(const double* q, std::uint32_t jointCount, std::uint32_t frameCount, const double* weights,
                          double* out, double* scratch) {
  if (jointCount == 0) return;
  const std::uint32_t chunks = meanChunks(frameCount);
  meanChunkSums(q, jointCount, frameCount, weights, weightScale(weights, frameCount), scratch, 0, chunks);
  meanChunkTotals(jointCount, chunks, scratch);
  meanOfTotals(scratch, out, 0, jointCount);
}
