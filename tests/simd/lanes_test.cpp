// The vector layer itself: every primitive (selects, masks, sign and bit
// tests, lane maps, the column transposes of every row count, partial last
// blocks, strided columns) on every path this processor runs, against the
// scalar path bit for bit; nothing is written outside the columns.
#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <cmath>
#include <random>

#define ROTKIT_LANES_KERNEL "simd/lanes_probe_lanes.h"
#include "simd/each_target.h"

namespace {

using Probe = void (*)(const double*, double*, std::uint32_t);
using StridedProbe = void (*)(const double*, std::size_t, double*, std::uint32_t);

const KernelPaths<Probe>& probePaths() {
  static const KernelPaths<Probe> paths = ROTKIT_KERNEL_PATHS(probeLanes);
  return paths;
}

const KernelPaths<StridedProbe>& stridedPaths() {
  static const KernelPaths<StridedProbe> paths = ROTKIT_KERNEL_PATHS(probeStrided);
  return paths;
}

const std::vector<double> kSpecials = {0.0, -0.0, 1.0, -1.0, kInf, -kInf, kNaN, DBL_TRUE_MIN, -DBL_MIN,
                                       DBL_MAX, 0.5, 2.5, -3.0, 1e300, -1e-300};

std::vector<double> values(std::size_t count, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-4, 4);
  std::uniform_int_distribution<std::size_t> pick(0, 2 * kSpecials.size());
  std::vector<double> data(count);
  for (double& v : data) {
    const std::size_t i = pick(random);
    v = i < kSpecials.size() ? kSpecials[i] : value(random);
  }
  return data;
}

TEST(VectorLayer, EveryPrimitiveGivesTheScalarBitsOnEveryPath) {
  std::mt19937_64 random(13);
  for (std::uint32_t count = 0; count <= 19; ++count) {
    const std::vector<double> in = values(9 * std::size_t{count}, random);
    std::vector<double> expected(20 * std::size_t{count});
    scalarPath(probePaths())(in.data(), expected.data(), count);
    for (const auto& path : runnablePaths(probePaths(), scalarPath(probePaths()))) {
      // Exactly sized, and a guard column after it that must stay as it is.
      std::vector<double> out(20 * std::size_t{count} + 20, 777.0);
      path.function(in.data(), out.data(), count);
      for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t row = i % 20;
        if (row == 10 || row == 11) continue;  // anyLane and allLanes answer for a whole block
        ASSERT_TRUE(sameBits(out[i], expected[i])) << path.name << ", " << count << " columns, element " << i
                                                   << ": " << describe(out[i]) << " vs " << describe(expected[i]);
      }
      for (std::size_t i = expected.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 777.0) << path.name;
    }
  }
}

TEST(VectorLayer, StridedColumnsKeepTheirNeighbours) {
  std::mt19937_64 random(14);
  for (std::size_t stride : {8, 9, 13}) {
    for (std::uint32_t count = 0; count <= 19; ++count) {
      const std::vector<double> in = values(stride * count, random);
      std::vector<double> expected(stride * count + count, -5.0);
      scalarPath(stridedPaths())(in.data(), stride, expected.data(), count);
      for (const auto& path : runnablePaths(stridedPaths(), scalarPath(stridedPaths()))) {
        std::vector<double> out(stride * count + count, -5.0);
        path.function(in.data(), stride, out.data(), count);
        EXPECT_TRUE(SameBits(out, expected)) << path.name << ", stride " << stride << ", " << count << " columns";
      }
    }
  }
}

TEST(VectorLayer, DispatchTakesTheWidestPathThisProcessorRuns) {
  const VectorPath widest = widestVectorPath();
  EXPECT_TRUE(pathRuns(widest));
  const VectorPath shortOfAvx512 = widestVectorPath(false);
  EXPECT_TRUE(pathRuns(shortOfAvx512));
  EXPECT_NE(shortOfAvx512, VectorPath::avx512);
  if (widest != VectorPath::avx512) {
    EXPECT_EQ(shortOfAvx512, widest);
  }
#if defined(ROTKIT_EMULATE_AVX512)
  EXPECT_EQ(widest, VectorPath::avx512);
#endif
#if defined(ROTKIT_BUILD_SSE2)
  EXPECT_TRUE(pathRuns(VectorPath::sse2));
  EXPECT_NE(widest, VectorPath::scalar);
#endif
#if defined(ROTKIT_BUILD_NEON)
  EXPECT_EQ(widest, VectorPath::neon);
#endif
  std::size_t runnable = 0;
  for (const auto& path : runnablePaths(probePaths(), scalarPath(probePaths()))) {
    (void)path;
    ++runnable;
  }
  EXPECT_GE(runnable, 1u + (probePaths().count > 1 ? 1u : 0u));
}

} // namespace
