// posechain's kernel on every vector path of the build, and the choice at run
// time of the widest short of AVX-512 (simd/kernel_paths.h says why);
// the formulas are skeletons/posechain/evaluate_pose_lanes.h.
#include "skeletons/posechain/evaluate_pose.h"

#define ROTKIT_LANES_KERNEL "skeletons/posechain/evaluate_pose_lanes.h"
#include "simd/each_target.h"

const KernelPaths<EvaluatePoses>& evaluatePosesPaths() {
  static const KernelPaths<EvaluatePoses> paths = ROTKIT_KERNEL_PATHS(evaluatePoses);
  return paths;
}

const KernelPaths<EvaluatePosesFrameOffsets>& evaluatePosesFrameOffsetsPaths() {
  static const KernelPaths<EvaluatePosesFrameOffsets> paths = ROTKIT_KERNEL_PATHS(evaluatePosesFrameOffsets);
  return paths;
}

void evaluatePoses(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                   const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                   std::uint32_t jointRows, std::uint32_t frameCount) {
  evaluatePosesPaths().widestShortOfAvx512()(jointCount, parents, offsets, rootData, localData, localRows,
                                              globalData, jointData, jointRows, frameCount);
}

void evaluatePose(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootColumn,
                  const double* localColumn, double* globalColumn, double* jointColumn) {
  rotkit::scalar::evaluatePoses(jointCount, parents, offsets, rootColumn, localColumn, 4 * jointCount, globalColumn,
                                jointColumn, 3 * jointCount, 1);
}
