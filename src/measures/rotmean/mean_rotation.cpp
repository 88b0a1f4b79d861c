// rotmean's kernel on every vector path of the build, chosen at run time:
// the sums of chunks of frames (on the widest path short of AVX-512, which
// was slower on the processor measured: docs/performance.md), then the
// eigenvectors of joints (the widest path), split over worker threads. The formulas and the order of every sum are
// measures/rotmean/mean_rotation_lanes.h; a chunk's sums are the same bits
// whichever thread computes them, and chunks are combined in order.
#include "measures/rotmean/mean_rotation.h"

#define ROTKIT_LANES_KERNEL "measures/rotmean/mean_rotation_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

namespace {

// Quaternions (frames × joints) per thread, and joints per thread for the
// eigenvectors, below which a thread of its own costs more than it saves
// (bench/measures/rotmean_bench.cpp).
constexpr std::uint32_t kQuaternionsPerThread = 32768;
constexpr std::uint32_t kJointsPerThread = 512;

using ChunkSums = void (*)(const double* q, std::uint32_t jointCount, std::uint32_t frameCount,
                           const double* weights, double scale, double* scratch, std::uint32_t chunkBegin,
                           std::uint32_t chunkEnd);
using MeanOfTotals = void (*)(const double* scratch, double* out, std::uint32_t jointBegin, std::uint32_t jointEnd);

const KernelPaths<ChunkSums>& chunkSumsPaths() {
  static const KernelPaths<ChunkSums> paths = ROTKIT_KERNEL_PATHS(meanChunkSums);
  return paths;
}

const KernelPaths<MeanOfTotals>& meanOfTotalsPaths() {
  static const KernelPaths<MeanOfTotals> paths = ROTKIT_KERNEL_PATHS(meanOfTotals);
  return paths;
}

} // namespace

const KernelPaths<MeanRotations>& meanRotationsPaths() {
  static const KernelPaths<MeanRotations> paths = ROTKIT_KERNEL_PATHS(meanRotations);
  return paths;
}

std::size_t meanRotationsScratch(std::uint32_t jointCount, std::uint32_t frameCount) {
  return std::size_t{rotkit::scalar::meanChunks(frameCount)} * jointCount * rotkit::scalar::mean_rotation::kSlot;
}

void meanRotations(const double* q, std::uint32_t jointCount, std::uint32_t frameCount, const double* weights,
                   double* out, double* scratch) {
  if (jointCount == 0) return;
  const std::uint32_t chunks = rotkit::scalar::meanChunks(frameCount);
  const double scale = rotkit::scalar::weightScale(weights, frameCount);
  const ChunkSums sums = chunkSumsPaths().widestShortOfAvx512();
  const std::uint64_t perChunk = std::uint64_t{rotkit::scalar::mean_rotation::kChunkFrames} * jointCount;
  const std::uint32_t chunksPerThread =
      perChunk >= kQuaternionsPerThread ? 1 : static_cast<std::uint32_t>(kQuaternionsPerThread / perChunk);
  parallel::forColumns(chunks, chunksPerThread, [&](std::uint32_t begin, std::uint32_t end) {
    sums(q, jointCount, frameCount, weights, scale, scratch, begin, end);
  });
  rotkit::scalar::meanChunkTotals(jointCount, chunks, scratch);
  const MeanOfTotals solve = meanOfTotalsPaths().widest();
  parallel::forColumns(jointCount, kJointsPerThread,
                       [&](std::uint32_t begin, std::uint32_t end) { solve(scratch, out, begin, end); });
}
