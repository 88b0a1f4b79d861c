// rotmean kernel benchmarks: the mean of N quaternions (one joint), and of
// 31 joints over N/31 frames, every path of meanRotations and the
// dispatching entry (threads), against a loop that reads the same bytes
// and a plain running sum of the ten products of q·qᵀ (no normalisation,
// no weights, one accumulator each: the sum alone, not the mean).
#include "measures/rotmean/mean_rotation.h"
#include "support/bench_support.h"

namespace {

double sumAll(const double* q, std::size_t count) {
  double a = 0, b = 0, c = 0, d = 0;
  for (std::size_t i = 0; i + 4 <= count; i += 4) {
    a += q[i];
    b += q[i + 1];
    c += q[i + 2];
    d += q[i + 3];
  }
  return (a + b) + (c + d);
}

void runningSum(const double* q, std::size_t count, double* out) {
  double s[10] = {};
  for (std::size_t k = 0; k < count; ++k) {
    const double* c = q + 4 * k;
    int e = 0;
    for (int i = 0; i < 4; ++i) {
      for (int j = i; j < 4; ++j) s[e++] += c[i] * c[j];
    }
  }
  for (int e = 0; e < 10; ++e) out[e] = s[e];
}

void addGroup(const std::string& group, std::uint32_t joints) {
  for (std::uint64_t n : {1000, 10000, 100000, 1000000}) {
    const std::uint32_t frames = static_cast<std::uint32_t>(n / joints);
    const double bytes = 32.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n](benchmark::State& state) {
      const double* q = pooledBuffer(0, 4 * n);
      for (auto _ : state) benchmark::DoNotOptimize(sumAll(q, 4 * n));
    });
    if (joints == 1) {
      addCase(group, "sum", n, bytes, [n](benchmark::State& state) {
        const double* q = pooledBuffer(0, 4 * n);
        double out[10];
        for (auto _ : state) {
          runningSum(q, n, out);
          benchmark::DoNotOptimize(out);
        }
      });
    }
    std::vector<std::pair<std::string, MeanRotations>> runs;
    for (const auto& path : runnablePaths(meanRotationsPaths())) runs.push_back({vectorPathName(path.path), path.function});
    runs.push_back({"dispatch", meanRotations});
    for (const auto& [name, run] : runs) {
      addCase(group, name, n, bytes, [joints, frames, run = run](benchmark::State& state) {
        const double* q = pooledBuffer(0, 4 * std::size_t{joints} * frames);
        const double* w = pooledBuffer(1, frames, 0, 1);
        double* out = pooledBuffer(2, 4 * std::size_t{joints});
        double* scratch = pooledBuffer(3, meanRotationsScratch(joints, frames));
        for (auto _ : state) {
          run(q, joints, frames, w, out, scratch);
          benchmark::ClobberMemory();
        }
      });
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  addGroup("meanRotations, 4 x N, weighted", 1);
  addGroup("meanRotations, 31 joints, N/31 frames, weighted", 31);
  setBaselines("meanRotations, 4 x N, weighted", {"stream", "sum", "scalar"});
  setBaselines("meanRotations, 31 joints, N/31 frames, weighted", {"stream", "scalar"});
  addNote(std::string("meanRotations sums on the ") + vectorPathName(widestVectorPath(false)) +
          " path on this processor; dispatch is that path with worker threads for large calls.");
  addNote("N counts quaternions; stream: reads them; sum: a plain running sum of q*q' (no normalisation, weights "
          "or fixed order), scalar.");
  return runKernelBenchmarks(argc, argv, "rotmean kernel");
}
