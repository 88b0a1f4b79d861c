// rotreverse kernel benchmarks: every path of invertColumns against a loop
// that streams the same bytes (one array read, one written).
#include "rotations/rotreverse/invert_quaternion.h"
#include "support/bench_support.h"
#include "support/streaming.h"

namespace {

void addInvertCase(const std::string& group, const std::string& variant, std::uint64_t n,
                   InvertColumns invert) {
  addCase(group, variant, n, 2.0 * 32.0 * static_cast<double>(n), [n, invert](benchmark::State& state) {
    const double* q = pooledBuffer(0, 4 * n);
    double* out = pooledBuffer(2, 4 * n);
    for (auto _ : state) {
      invert(q, out, static_cast<std::uint32_t>(n));
      benchmark::ClobberMemory();
    }
  });
}

} // namespace

int main(int argc, char** argv) {
  const std::string group = "invertColumns, 4 x N";
  for (std::uint64_t n : kernelSizes()) {
    addCase(group, "stream", n, 2.0 * 32.0 * static_cast<double>(n), [n](benchmark::State& state) {
      const double* q = pooledBuffer(0, 4 * n);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamOneToOne(q, out, 4 * n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(invertColumnsPaths())) {
      addInvertCase(group, vectorPathName(path.path), n, path.function);
    }
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("invertColumns dispatches to the ") + vectorPathName(widestVectorPath(false)) +
          " path on this processor.");
  addNote("stream: out = -q over the same arrays, compiled with the kernels' flags.");
  return runKernelBenchmarks(argc, argv, "rotreverse kernel");
}
