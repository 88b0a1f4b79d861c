// poseglobal's kernel (pose_global.h): posechain's kernel on every vector
// path, its frames split over the worker threads.
#include "skeletons/poseglobal/pose_global.h"

#include "parallel/worker_pool.h"
#include "skeletons/posechain/evaluate_pose.h"

#include <cstddef>

// Joint-frames per thread below which a thread of its own costs more than
// it saves, as for the conversions (a column of theirs is about a joint's
// work here).
constexpr std::uint32_t kJointFramesPerThread = 131072;

void poseGlobal(std::uint32_t jointCount, const double* parents, const double* offsets, bool frameOffsets,
                const double* rootData, const double* localData, double* globalData, double* jointData,
                std::uint32_t frameCount) {
  if (jointCount == 0 || frameCount == 0) return;
  const std::uint32_t localRows = 4 * jointCount;
  const std::uint32_t jointRows = 3 * jointCount;
  const std::uint32_t framesPerThread = kJointFramesPerThread / jointCount + 1;
  if (frameOffsets) {
    const EvaluatePosesFrameOffsets path = evaluatePosesFrameOffsetsPaths().widestShortOfAvx512();
    parallel::forColumns(frameCount, framesPerThread, [&](std::uint32_t begin, std::uint32_t end) {
      path(jointCount, parents, offsets + std::size_t{jointRows} * begin, jointRows, rootData + 3 * std::size_t{begin},
           localData + std::size_t{localRows} * begin, localRows, globalData + std::size_t{localRows} * begin,
           jointData + std::size_t{jointRows} * begin, jointRows, end - begin);
    });
  } else {
    const EvaluatePoses path = evaluatePosesPaths().widestShortOfAvx512();
    parallel::forColumns(frameCount, framesPerThread, [&](std::uint32_t begin, std::uint32_t end) {
      path(jointCount, parents, offsets, rootData + 3 * std::size_t{begin}, localData + std::size_t{localRows} * begin,
           localRows, globalData + std::size_t{localRows} * begin, jointData + std::size_t{jointRows} * begin,
           jointRows, end - begin);
    });
  }
}
