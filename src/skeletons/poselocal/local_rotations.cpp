// poselocal's kernel on every vector path of the build, the widest chosen
// at run time, large calls split over worker threads by frames; the
// formulas are skeletons/poselocal/local_rotations_lanes.h.
#include "skeletons/poselocal/local_rotations.h"

#define ROTKIT_LANES_KERNEL "skeletons/poselocal/local_rotations_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

// Joint rotations (frames × joints) per thread below which a thread of its
// own costs more than it saves (bench/skeletons/poselocal_bench.cpp).
constexpr std::uint32_t kRotationsPerThread = 32768;

const KernelPaths<LocalRotations>& localRotationsPaths() {
  static const KernelPaths<LocalRotations> paths = ROTKIT_KERNEL_PATHS(localRotations);
  return paths;
}

void localRotations(std::uint32_t jointCount, const double* parents, const double* globalData, double* localData,
                    std::uint32_t frameCount) {
  if (jointCount == 0) return;
  const LocalRotations path = localRotationsPaths().widest();
  const std::uint32_t framesPerThread =
      jointCount >= kRotationsPerThread ? 1 : kRotationsPerThread / jointCount;
  const std::size_t stride = 4 * std::size_t{jointCount};
  parallel::forColumns(frameCount, framesPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    path(jointCount, parents, globalData + stride * begin, localData + stride * begin, end - begin);
  });
}
