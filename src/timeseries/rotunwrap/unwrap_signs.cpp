// rotunwrap's kernel on every vector path of the build, the choice of the
// widest at run time, and the split of a large call over worker threads;
// the rule is timeseries/rotunwrap/unwrap_signs_lanes.h.
#include "timeseries/rotunwrap/unwrap_signs.h"

#define ROTKIT_LANES_KERNEL "timeseries/rotunwrap/unwrap_signs_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

#include <algorithm>
#include <cmath>

namespace {

// Columns per chunk: each chunk is unwrapped on its own (on any thread),
// then the chunks' signs are joined in order. Signs only, so the split
// changes nothing in the result.
constexpr std::uint32_t kChunk = 32768;

double dot(const double* a, const double* b) { return ((a[0] * b[0] + a[1] * b[1]) + a[2] * b[2]) + a[3] * b[3]; }

}  // namespace

const KernelPaths<UnwrapColumns>& unwrapColumnsPaths() {
  static const KernelPaths<UnwrapColumns> paths = ROTKIT_KERNEL_PATHS(unwrapColumns);
  return paths;
}

void unwrapSigns(const double* q, std::uint32_t joints, std::uint32_t count, double* out) {
  // The scalar path: signs only and a running xor, which vector lanes do
  // not speed up (bench/timeseries/rotunwrap_bench.cpp); the same bits.
  const UnwrapColumns path = unwrapColumnsPaths().paths[0].function;
  const std::uint32_t chunks = count / kChunk + (count % kChunk != 0 ? 1 : 0);
  if (chunks <= 1) {
    path(q, joints, 0, count, out);
    return;
  }
  auto chunkEnd = [&](std::uint32_t c) { return c + 1 == chunks ? count : (c + 1) * kChunk; };
  // 1. Every chunk on its own, its first column kept.
  parallel::forColumns(chunks, 1, [&](std::uint32_t first, std::uint32_t last) {
    for (std::uint32_t c = first; c < last; ++c) path(q, joints, c * kChunk, chunkEnd(c), out);
  });
  // 2. In order: the first column of each chunk takes its final sign: the
  // final flip of the column before it (the chunk before's own flip, xor
  // its local one) xor the sign of their dot product.
  const std::size_t stride = 4 * std::size_t{joints};
  for (std::uint32_t j = 0; j < joints; ++j) {
    bool chunkFlipped = false;  // of the chunk before
    for (std::uint32_t c = 1; c < chunks; ++c) {
      const std::size_t before = (std::size_t{c} * kChunk - 1) * stride + 4 * std::size_t{j};
      const std::size_t head = std::size_t{c} * kChunk * stride + 4 * std::size_t{j};
      const bool beforeFlipped = chunkFlipped != (std::signbit(out[before]) != std::signbit(q[before]));
      chunkFlipped = beforeFlipped != (dot(q + before, q + head) < 0.0);
      if (chunkFlipped) {
        for (int i = 0; i < 4; ++i) out[head + i] = -out[head + i];
      }
    }
  }
  // 3. The rest of each chunk whose first column was negated, likewise.
  parallel::forColumns(chunks, 1, [&](std::uint32_t firstChunk, std::uint32_t lastChunk) {
    for (std::uint32_t c = std::max(firstChunk, 1u); c < lastChunk; ++c) {
      for (std::uint32_t j = 0; j < joints; ++j) {
        const std::size_t head = std::size_t{c} * kChunk * stride + 4 * std::size_t{j};
        if (std::signbit(out[head]) == std::signbit(q[head])) continue;
        for (std::size_t k = std::size_t{c} * kChunk + 1; k < chunkEnd(c); ++k) {
          double* column = out + k * stride + 4 * std::size_t{j};
          for (int i = 0; i < 4; ++i) column[i] = -column[i];
        }
      }
    }
  });
}
