// posechain's kernel, and poseglobal's (offsets per frame), written once
// and compiled for every vector path (simd/each_target.h): one frame per lane, quaternions scalar first
// (w, x, y, z), Hamilton product. Frames are independent, so each lane runs
// one frame's joints in increasing order, reading back its parent's
// rotation and position from the columns being filled. Results are defined
// bit for bit: every product and sum is rounded on its own, in the order
// written (never a fused multiply-add); nothing is normalised.
#include "quaternion/lanes.h"

// parent ⊗ local, the Hamilton product with the parent on the left. Its sums
// run in their own order (y and z differ from hamiltonProduct's), which is
// part of the result: do not replace it with hamiltonProduct or reorder.
inline Quat chainRotation(const Quat& p, const Quat& l) {
  return Quat{((p.w * l.w - p.x * l.x) - p.y * l.y) - p.z * l.z,
              ((p.x * l.w + p.w * l.x) + p.y * l.z) - p.z * l.y,
              ((p.y * l.w + p.w * l.y) + p.z * l.x) - p.x * l.z,
              ((p.z * l.w + p.w * l.z) + p.x * l.y) - p.y * l.x};
}

// How many blocks of frames ahead the memory is prefetched: without it the
// loads wait on memory from some 1e4 frames on.
constexpr std::uint32_t kPrefetchBlocks = 2;

// Frames k .. k + lanes - 1, one per lane, on columns of the host's
// matrices (frame k's at rootData + 3k, localData + localRows·k, ...); a
// full block (kFull) has kLanes of them, known when it is compiled. With
// kFrameOffsets the offsets are a matrix too, frame k's at
// offsets + offsetRows·k (poseglobal); without, one set for every frame
// (posechain).
template <bool kFull, bool kFrameOffsets>
inline void evaluatePose(std::uint32_t jointCount, const double* parents, const double* offsets,
                         std::uint32_t offsetRows, const double* rootData, const double* localData,
                         std::uint32_t localRows, double* globalData, double* jointData, std::uint32_t jointRows,
                         std::uint32_t k, std::uint32_t partialLanes, bool prefetchAhead) {
  const std::uint32_t lanes = kFull ? kLanes : partialLanes;
  const std::size_t localStride = localRows;
  const std::size_t jointStride = jointRows;
  const std::size_t offsetStride = offsetRows;
  const double* local = localData + localStride * k;
  double* global = globalData + localStride * k;
  double* joints = jointData + jointStride * k;
  const double* frameOffsets = kFrameOffsets ? offsets + offsetStride * k : offsets;
  // The roots: position and rotation copied unchanged, no offset applied.
  for (std::uint32_t f = 0; f < lanes; ++f) {
    const double* root = rootData + 3 * (std::size_t{k} + f);
    double* rootJoint = joints + jointStride * f;
    rootJoint[0] = root[0];
    rootJoint[1] = root[1];
    rootJoint[2] = root[2];
    for (int c = 0; c < 4; ++c) global[localStride * f + c] = local[localStride * f + c];
  }
  // Several blocks' columns are contiguous in each matrix, so the columns of
  // a later block form one region; each joint's turn asks for its share of
  // that region (kLanes quaternions and positions' worth) before the block
  // comes (a prefetch never faults).
  const std::size_t ahead = std::size_t{kPrefetchBlocks} * kLanes;
  for (std::uint32_t j = 1; j < jointCount; ++j) {
    if (prefetchAhead) {
      const std::size_t rotations = 4 * kLanes * std::size_t{j - 1};
      const std::size_t positions = 3 * kLanes * std::size_t{j - 1};
      for (std::size_t line = 0; line < 4 * kLanes; line += 8) {
        prefetchFor(local + ahead * localStride + rotations + line);
        prefetchFor(global + ahead * localStride + rotations + line);
        prefetchFor(joints + ahead * jointStride + positions + line);
      }
    }
    // Truncation toward zero of a validated parent number, then 0-based.
    const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
    const Quat g = chainRotation(loadQuaternions(global + 4 * p, localStride, lanes),
                                 loadQuaternions(local + 4 * std::size_t{j}, localStride, lanes));
    storeQuaternions(global + 4 * std::size_t{j}, localStride, lanes, g);
    const Vec3 offset = kFrameOffsets ? loadVectors(frameOffsets + 3 * std::size_t{j}, offsetStride, lanes)
                                      : spreadVector(offsets + 3 * std::size_t{j});
    const Vec3 turned = rotateVector(g, offset);
    // The parent's position, and one double more, which the four-row
    // transpose reads: p < j < J, so it is joint p + 1's x in the same
    // column, read and discarded.
    V parent[4];
    loadRows<4>(joints + 3 * p, jointStride, lanes, parent);
    storeVectors(joints + 3 * std::size_t{j}, jointStride, lanes,
                 Vec3{turned.x + parent[0], turned.y + parent[1], turned.z + parent[2]});
  }
}

// Frames 0 .. frameCount - 1, a block of kLanes at a time.
template <bool kFrameOffsets>
inline void evaluateBlocks(std::uint32_t jointCount, const double* parents, const double* offsets,
                           std::uint32_t offsetRows, const double* rootData, const double* localData,
                           std::uint32_t localRows, double* globalData, double* jointData, std::uint32_t jointRows,
                           std::uint32_t frameCount) {
  if (jointCount == 0) return;
  std::uint32_t k = 0;
  for (; k + kLanes <= frameCount; k += kLanes) {
    // Only where the frames ahead exist: the addresses stay inside the matrices.
    const bool prefetchAhead = std::size_t{k} + (kPrefetchBlocks + 1) * kLanes <= frameCount;
    evaluatePose<true, kFrameOffsets>(jointCount, parents, offsets, offsetRows, rootData, localData, localRows,
                                      globalData, jointData, jointRows, k, kLanes, prefetchAhead);
  }
  if (k < frameCount) {
    evaluatePose<false, kFrameOffsets>(jointCount, parents, offsets, offsetRows, rootData, localData, localRows,
                                       globalData, jointData, jointRows, k, frameCount - k, false);
  }
}

// One set of offsets for every frame (posechain).
inline void evaluatePoses(std::uint32_t jointCount, const double* parents, const double* offsets,
                          const double* rootData, const double* localData, std::uint32_t localRows,
                          double* globalData, double* jointData, std::uint32_t jointRows, std::uint32_t frameCount) {
  evaluateBlocks<false>(jointCount, parents, offsets, 0, rootData, localData, localRows, globalData, jointData,
                        jointRows, frameCount);
}

// A set of offsets per frame, frame k's at offsets + offsetRows·k (poseglobal).
inline void evaluatePosesFrameOffsets(std::uint32_t jointCount, const double* parents, const double* offsets,
                                      std::uint32_t offsetRows, const double* rootData, const double* localData,
                                      std::uint32_t localRows, double* globalData, double* jointData,
                                      std::uint32_t jointRows, std::uint32_t frameCount) {
  evaluateBlocks<true>(jointCount, parents, offsets, offsetRows, rootData, localData, localRows, globalData,
                       jointData, jointRows, frameCount);
}
