// rot2mat kernel benchmarks: every path of quaternionsToMatrices against a
// loop that streams the same bytes (4 doubles read, 9 written per column).
#include "conversions/rot2mat/quaternion_to_matrix.h"
#include "support/bench_support.h"
#include "support/streaming.h"

int main(int argc, char** argv) {
  const std::string group = "quaternionsToMatrices, 4 x N to 3 x 3 x N";
  for (std::uint64_t n : kernelSizes()) {
    const double bytes = 13.0 * 8.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n](benchmark::State& state) {
      const double* q = pooledBuffer(0, 4 * n);
      double* out = pooledBuffer(2, 9 * n);
      for (auto _ : state) {
        streamColumns(q, 4, nullptr, 0, out, 9, n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(quaternionsToMatricesPaths())) {
      const QuaternionsToMatrices convert = path.function;
      addCase(group, vectorPathName(path.path), n, bytes, [n, convert](benchmark::State& state) {
        const double* q = pooledBuffer(0, 4 * n);
        double* out = pooledBuffer(2, 9 * n);
        for (auto _ : state) {
          convert(q, out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("quaternionsToMatrices dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor.");
  addNote("stream: each output column the sum of its input column, over the same arrays, compiled with the "
          "kernels' flags.");
  return runKernelBenchmarks(argc, argv, "rot2mat kernel");
}
