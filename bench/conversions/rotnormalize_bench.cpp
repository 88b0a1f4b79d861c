// rotnormalize kernel benchmarks: every path of normalizeColumns against a
// loop that streams the same bytes (one 4 x N array read, one written).
#include "conversions/rotnormalize/normalize_columns.h"
#include "support/bench_support.h"
#include "support/streaming.h"

int main(int argc, char** argv) {
  const std::string group = "normalizeColumns, 4 x N";
  for (std::uint64_t n : kernelSizes()) {
    const double bytes = 2.0 * 32.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n](benchmark::State& state) {
      const double* q = pooledBuffer(0, 4 * n);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamOneToOne(q, out, 4 * n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(normalizeColumnsPaths())) {
      const NormalizeColumns normalize = path.function;
      addCase(group, vectorPathName(path.path), n, bytes, [n, normalize](benchmark::State& state) {
        const double* q = pooledBuffer(0, 4 * n);
        double* out = pooledBuffer(2, 4 * n);
        for (auto _ : state) {
          normalize(q, out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("normalizeColumns dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor.");
  addNote("stream: out = -q over the same arrays, compiled with the kernels' flags.");
  return runKernelBenchmarks(argc, argv, "rotnormalize kernel");
}
