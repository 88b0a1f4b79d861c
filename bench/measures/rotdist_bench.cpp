// rotdist kernel benchmarks: every path over N pairs of quaternions with
// components in [-1, 1], and the dispatching entry (threads), against a loop
// that streams the same bytes (8N read, N written), the arc cosine of the
// normalised dot product (what loses the digits near 0), and the product's
// 2·atan2(|v|, |s|) with <cmath>'s functions.
#include "measures/rotdist/rotation_distance.h"
#include "support/bench_support.h"
#include "support/streaming.h"

#include <cmath>

namespace {

using Run = void (*)(const double* q1, const double* q2, double* out, std::uint32_t n);

void byArcCosine(const double* q1, const double* q2, double* out, std::uint32_t n) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double* a = q1 + 4 * std::size_t{k};
    const double* b = q2 + 4 * std::size_t{k};
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    const double norms = std::sqrt((a[0] * a[0] + a[1] * a[1] + a[2] * a[2] + a[3] * a[3]) *
                                   (b[0] * b[0] + b[1] * b[1] + b[2] * b[2] + b[3] * b[3]));
    out[k] = 2 * std::acos(std::fmin(1.0, std::fabs(dot) / norms));
  }
}

void byProduct(const double* q1, const double* q2, double* out, std::uint32_t n) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double* a = q1 + 4 * std::size_t{k};
    const double* b = q2 + 4 * std::size_t{k};
    const double s = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    const double x = a[0] * b[1] - b[0] * a[1] - (a[2] * b[3] - a[3] * b[2]);
    const double y = a[0] * b[2] - b[0] * a[2] - (a[3] * b[1] - a[1] * b[3]);
    const double z = a[0] * b[3] - b[0] * a[3] - (a[1] * b[2] - a[2] * b[1]);
    out[k] = 2 * std::atan2(std::sqrt(x * x + y * y + z * z), std::fabs(s));
  }
}

void addRun(const std::string& group, const std::string& name, std::uint64_t n, Run run) {
  addCase(group, name, n, 72.0 * static_cast<double>(n), [n, run](benchmark::State& state) {
    const double* q1 = pooledBuffer(0, 4 * n);
    const double* q2 = pooledBuffer(1, 4 * n);
    double* out = pooledBuffer(2, n);
    for (auto _ : state) {
      run(q1, q2, out, static_cast<std::uint32_t>(n));
      benchmark::ClobberMemory();
    }
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::string group = "rotationDistances, 4 x N and 4 x N";
  for (std::uint64_t n : {1000, 10000, 100000, 1000000}) {
    addCase(group, "stream", n, 72.0 * static_cast<double>(n), [n](benchmark::State& state) {
      const double* q1 = pooledBuffer(0, 4 * n);
      const double* q2 = pooledBuffer(1, 4 * n);
      double* out = pooledBuffer(2, n);
      for (auto _ : state) {
        streamColumns(q1, 4, q2, 4, out, 1, n);
        benchmark::ClobberMemory();
      }
    });
    addRun(group, "acos", n, byArcCosine);
    addRun(group, "cmath", n, byProduct);
    for (const auto& path : runnablePaths(rotationDistancesPaths())) {
      const RotationDistances f = path.function;
      addCase(group, vectorPathName(path.path), n, 72.0 * static_cast<double>(n), [n, f](benchmark::State& state) {
        const double* q1 = pooledBuffer(0, 4 * n);
        const double* q2 = pooledBuffer(1, 4 * n);
        double* out = pooledBuffer(2, n);
        for (auto _ : state) {
          f(q1, static_cast<std::uint32_t>(n), q2, static_cast<std::uint32_t>(n), out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
    addCase(group, "dispatch", n, 72.0 * static_cast<double>(n), [n](benchmark::State& state) {
      const double* q1 = pooledBuffer(0, 4 * n);
      const double* q2 = pooledBuffer(1, 4 * n);
      double* out = pooledBuffer(2, n);
      for (auto _ : state) {
        rotationDistances(q1, static_cast<std::uint32_t>(n), q2, static_cast<std::uint32_t>(n), out,
                          static_cast<std::uint32_t>(n));
        benchmark::ClobberMemory();
      }
    });
  }
  setBaselines(group, {"stream", "acos", "scalar"});
  addNote(std::string("rotationDistances dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; dispatch is that path with worker threads for large calls.");
  addNote("stream: 8 x N read, N written; acos: 2*acos(|dot|/norms), which loses every digit near 0; cmath: "
          "2*atan2(|v|, |s|) of the product with <cmath>'s functions, scalar loops.");
  return runKernelBenchmarks(argc, argv, "rotdist kernel");
}
