// Kernel of posechain: one frame, joints in increasing order, each reading
// back its parent's rotation and position from the columns being filled.
// Bit for bit: every product and sum is rounded on its own, in the order
// written (no fused multiply-add). The vector paths beside this file give the
// same bits, several frames at once; evaluatePoses picks the widest.
#include "evaluate_pose.h"

#include <cstddef>

#include "posechain/rotate_vector.h"
#include "quaternion/quaternion.h"

namespace {

// parent ⊗ local, the Hamilton product with the parent on the left. Its sums
// run in their own order (y and z differ from hamiltonProduct's), which is
// part of the result: do not replace it with hamiltonProduct or reorder.
Quaternion chainRotation(const Quaternion& p, const Quaternion& l) {
  Quaternion g;
  g.w = ((p.w * l.w - p.x * l.x) - p.y * l.y) - p.z * l.z;
  g.x = ((p.x * l.w + p.w * l.x) + p.y * l.z) - p.z * l.y;
  g.y = ((p.y * l.w + p.w * l.y) + p.z * l.x) - p.x * l.z;
  g.z = ((p.z * l.w + p.w * l.z) + p.x * l.y) - p.y * l.x;
  return g;
}

} // namespace

void evaluatePose(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootColumn,
                  const double* localColumn, double* globalColumn, double* jointColumn) {
  if (jointCount == 0) return;
  // The root: position and rotation copied unchanged, no offset applied.
  jointColumn[0] = rootColumn[0];
  jointColumn[1] = rootColumn[1];
  jointColumn[2] = rootColumn[2];
  storeQuaternion(globalColumn, loadQuaternion(localColumn));

  for (std::uint32_t j = 1; j < jointCount; ++j) {
    // Truncation toward zero of a validated parent number, then 0-based.
    const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
    const Quaternion parentGlobal = loadQuaternion(globalColumn + 4 * p);
    const Quaternion global = chainRotation(parentGlobal, loadQuaternion(localColumn + 4 * std::size_t{j}));
    storeQuaternion(globalColumn + 4 * std::size_t{j}, global);

    const double* offset = offsets + 3 * std::size_t{j};
    const Vector3 turned = rotateVector(global, Vector3{offset[0], offset[1], offset[2]});
    const double* parentPosition = jointColumn + 3 * p;
    double* position = jointColumn + 3 * std::size_t{j};
    position[0] = turned.x + parentPosition[0];
    position[1] = turned.y + parentPosition[1];
    position[2] = turned.z + parentPosition[2];
  }
}

void evaluatePoses(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                   const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                   std::uint32_t jointRows, std::uint32_t frameCount) {
  switch (widestVectorPath()) {
#if defined(ROTKIT_BUILD_AVX2)
    case VectorPath::avx2:
      evaluatePosesAvx2(jointCount, parents, offsets, rootData, localData, localRows, globalData, jointData, jointRows,
                        frameCount);
      return;
#endif
#if defined(ROTKIT_BUILD_SSE2)
    case VectorPath::sse2:
      evaluatePosesSse2(jointCount, parents, offsets, rootData, localData, localRows, globalData, jointData, jointRows,
                        frameCount);
      return;
#endif
    default:
      evaluatePosesScalar(jointCount, parents, offsets, rootData, localData, localRows, globalData, jointData,
                          jointRows, frameCount);
      return;
  }
}

void evaluatePosesScalar(std::uint32_t jointCount, const double* parents, const double* offsets,
                         const double* rootData, const double* localData, std::uint32_t localRows, double* globalData,
                         double* jointData, std::uint32_t jointRows, std::uint32_t frameCount) {
  for (std::uint32_t k = 0; k < frameCount; ++k) {
    const std::size_t frame = k;
    evaluatePose(jointCount, parents, offsets, rootData + 3 * frame, localData + localRows * frame,
                 globalData + localRows * frame, jointData + jointRows * frame);
  }
}
