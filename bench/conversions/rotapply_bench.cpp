// rotapply kernel benchmarks: every path of applyRotations against a loop
// that streams the same bytes (4 + 3 doubles read, 3 written per column),
// for N rotations of N vectors and for one rotation of N vectors.
#include "conversions/rotapply/apply_rotation.h"
#include "support/bench_support.h"
#include "support/streaming.h"

namespace {

void addGroup(const std::string& group, bool oneRotation) {
  for (std::uint64_t n : kernelSizes()) {
    const double bytes = ((oneRotation ? 0.0 : 4.0) + 3.0 + 3.0) * 8.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n, oneRotation](benchmark::State& state) {
      const double* q = pooledBuffer(0, 4 * n);
      const double* v = pooledBuffer(1, 3 * n);
      double* out = pooledBuffer(2, 3 * n);
      for (auto _ : state) {
        streamColumns(v, 3, oneRotation ? nullptr : q, oneRotation ? 0 : 4, out, 3, n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(applyRotationsPaths())) {
      const ApplyRotations apply = path.function;
      addCase(group, vectorPathName(path.path), n, bytes, [n, oneRotation, apply](benchmark::State& state) {
        const double* q = pooledBuffer(0, 4 * n);
        const double* v = pooledBuffer(1, 3 * n);
        double* out = pooledBuffer(2, 3 * n);
        const auto cols = static_cast<std::uint32_t>(n);
        for (auto _ : state) {
          apply(q, oneRotation ? 1 : cols, v, cols, out, cols);
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
}

} // namespace

int main(int argc, char** argv) {
  addGroup("applyRotations, 4 x N turning 3 x N", false);
  addGroup("applyRotations, 4 x 1 turning 3 x N", true);
  addNote(std::string("applyRotations dispatches to the ") + vectorPathName(widestVectorPath(false)) +
          " path on this processor.");
  addNote("stream: each output column the sum of its input columns, over the same arrays, compiled with the "
          "kernels' flags.");
  return runKernelBenchmarks(argc, argv, "rotapply kernel");
}
