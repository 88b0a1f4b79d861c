// rotintegrate's kernel on every vector path of the build, the choice of
// the widest at run time and the split over worker threads; the formulas
// are timeseries/rotintegrate/integrate_rates_lanes.h.
#include "timeseries/rotintegrate/integrate_rates.h"

#define ROTKIT_LANES_KERNEL "timeseries/rotintegrate/integrate_rates_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

const KernelPaths<BlockProducts>& blockProductsPaths() {
  static const KernelPaths<BlockProducts> paths = ROTKIT_KERNEL_PATHS(blockProducts);
  return paths;
}

const KernelPaths<AnchorBlocks>& anchorBlocksPaths() {
  static const KernelPaths<AnchorBlocks> paths = ROTKIT_KERNEL_PATHS(anchorBlocks);
  return paths;
}

void integrateRates(const double* w, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                    const double* q0, bool world, double* q) {
  if (count == 0) return;
  const std::size_t qStride = 4 * std::size_t{joints};
  for (std::size_t i = 0; i < qStride; ++i) q[i] = q0[i];
  const std::uint32_t blocks = (count - 1) / kIntegrationBlock + ((count - 1) % kIntegrationBlock != 0 ? 1 : 0);
  if (blocks == 0) return;
  // Blocks per thread: a block holds kIntegrationBlock exponentials.
  const std::uint32_t perThread = 16 / (joints < 16 ? joints : 16);
  // A lane per block: whole groups of full blocks on the widest path, the
  // rest (a partial group, the shorter last block) on the scalar path,
  // which gives the same bits without a partial group's stack buffers.
  const VectorPath widest = widestVectorPath();
  const BlockProducts products = blockProductsPaths().pathFor(widest);
  const BlockProducts scalar = blockProductsPaths().paths[0].function;
  const std::uint32_t lanes = vectorLanes(widest);
  const std::uint32_t fullBlocks = (count - 1) / kIntegrationBlock;
  parallel::forColumns(blocks, perThread, [&](std::uint32_t begin, std::uint32_t end) {
    const std::uint32_t fullEnd = end < fullBlocks ? end : fullBlocks;
    const std::uint32_t grouped = fullEnd > begin ? begin + (fullEnd - begin) / lanes * lanes : begin;
    for (std::uint32_t j = 0; j < joints; ++j) {
      if (grouped > begin) products(w, joints, count, time, world, j, begin, grouped, q);
      if (end > grouped) scalar(w, joints, count, time, world, j, grouped, end, q);
    }
  });
  // The anchors, in order, on the scalar path (a product per block).
  for (std::uint32_t j = 0; j < joints; ++j) {
    for (std::uint32_t b = 1; b < blocks; ++b) {
      double* anchor = q + std::size_t{b} * kIntegrationBlock * qStride + 4 * std::size_t{j};
      const double* before = anchor - kIntegrationBlock * qStride;
      const rotkit::scalar::Quat a{before[0], before[1], before[2], before[3]};
      const rotkit::scalar::Quat p{anchor[0], anchor[1], anchor[2], anchor[3]};
      const rotkit::scalar::Quat r = rotkit::scalar::composeTurn(a, p, world);
      anchor[0] = r.w;
      anchor[1] = r.x;
      anchor[2] = r.y;
      anchor[3] = r.z;
    }
  }
  const AnchorBlocks anchors = anchorBlocksPaths().widest();
  parallel::forColumns(blocks, perThread, [&](std::uint32_t begin, std::uint32_t end) {
    for (std::uint32_t j = 0; j < joints; ++j) anchors(joints, count, world, j, begin, end, q);
  });
}
