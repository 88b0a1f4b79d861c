// rotcompose kernel benchmarks: every path of composeColumns against a loop
// that streams the same bytes (two arrays read, one written).
#include "rotations/rotcompose/compose_columns.h"
#include "support/bench_support.h"
#include "support/streaming.h"

namespace {

void addComposeCase(const std::string& group, const std::string& variant, std::uint64_t n, bool broadcastLeft,
                    ComposeColumns compose) {
  const double bytes = (broadcastLeft ? 2.0 : 3.0) * 32.0 * static_cast<double>(n);
  addCase(group, variant, n, bytes, [n, broadcastLeft, compose](benchmark::State& state) {
    const double* q1 = pooledBuffer(0, 4 * n);
    const double* q2 = pooledBuffer(1, 4 * n);
    double* out = pooledBuffer(2, 4 * n);
    const auto cols = static_cast<std::uint32_t>(n);
    for (auto _ : state) {
      compose(q1, broadcastLeft ? 1 : cols, q2, cols, out, cols);
      benchmark::ClobberMemory();
    }
  });
}

void addGroup(const std::string& group, bool broadcastLeft) {
  for (std::uint64_t n : kernelSizes()) {
    const double bytes = (broadcastLeft ? 2.0 : 3.0) * 32.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n, broadcastLeft](benchmark::State& state) {
      const double* a = pooledBuffer(0, 4 * n);
      const double* b = pooledBuffer(1, 4 * n);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        if (broadcastLeft) {
          streamOneToOne(b, out, 4 * n);
        } else {
          streamTwoToOne(a, b, out, 4 * n);
        }
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(composeColumnsPaths())) {
      addComposeCase(group, vectorPathName(path.path), n, broadcastLeft, path.function);
    }
  }
  setBaselines(group, {"stream", "scalar"});
}

} // namespace

int main(int argc, char** argv) {
  addGroup("composeColumns, 4 x N times 4 x N", false);
  addGroup("composeColumns, 4 x 1 times 4 x N", true);
  addNote(std::string("composeColumns dispatches to the ") + vectorPathName(widestVectorPath(false)) +
          " path on this processor.");
  addNote("stream: out = a + b over the same arrays (for 4 x 1 times 4 x N: out = -b), compiled with the "
          "kernels' flags.");
  return runKernelBenchmarks(argc, argv, "rotcompose kernel");
}
