// poselocal's kernel, written once and compiled for every vector path
// (simd/each_target.h): one frame per lane, quaternions scalar first
// (w, x, y, z), Hamilton product. Frames are independent; in each, every
// joint but the root takes the inverse of its parent's global rotation
// (quaternion/inverse_lanes.h, rotreverse's formula) times its own
// (hamiltonProduct, rotcompose's term order), so that each of its columns
// is rotcompose(rotreverse(parent), joint) to the bit. Results are defined
// bit for bit (never a fused multiply-add); nothing is normalised.
#include "quaternion/inverse_lanes.h"
#include "quaternion/lanes.h"

// Frames k .. k + lanes - 1, one per lane: every joint's local rotation.
inline void localRotationsOfBlock(std::uint32_t jointCount, const double* parents, const double* global,
                                  double* local, std::size_t stride, std::uint32_t lanes) {
  storeQuaternions(local, stride, lanes, loadQuaternions(global, stride, lanes));
  for (std::uint32_t j = 1; j < jointCount; ++j) {
    // Truncation toward zero of a validated parent number, then 0-based.
    const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
    const Quat parentInverse = invertQuaternion(loadQuaternions(global + 4 * p, stride, lanes));
    const Quat own = loadQuaternions(global + 4 * std::size_t{j}, stride, lanes);
    storeQuaternions(local + 4 * std::size_t{j}, stride, lanes, hamiltonProduct(parentInverse, own));
  }
}

// Frames 0 .. frameCount - 1, a block of kLanes at a time.
inline void localRotations(std::uint32_t jointCount, const double* parents, const double* globalData,
                           double* localData, std::uint32_t frameCount) {
  if (jointCount == 0) return;
  const std::size_t stride = 4 * std::size_t{jointCount};
  for (std::uint32_t k = 0; k < frameCount; k += kLanes) {
    const std::size_t offset = stride * k;
    localRotationsOfBlock(jointCount, parents, globalData + offset, localData + offset, stride,
                          lanesFrom(k, frameCount));
  }
}
