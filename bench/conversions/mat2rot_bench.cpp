// mat2rot kernel benchmarks: every path of matricesToQuaternions against a
// loop that streams the same bytes (9 doubles read, 4 written per column).
// The matrices are rotations of random quaternions, so every pivot occurs.
#include "conversions/mat2rot/matrix_to_quaternion.h"
#include "support/bench_support.h"
#include "support/streaming.h"

#include <cmath>

namespace {

// n rotation matrices (column major) from the quaternions in a pooled buffer.
const double* rotationMatrices(std::uint64_t n) {
  static std::vector<double> matrices;
  if (matrices.size() < 9 * n) {
    const double* q = pooledBuffer(0, 4 * n);
    matrices.resize(9 * n);
    for (std::uint64_t k = 0; k < n; ++k) {
      const double* p = q + 4 * k;
      const double s = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2] + p[3] * p[3]);
      const double w = p[0] / s, x = p[1] / s, y = p[2] / s, z = p[3] / s;
      const double m[9] = {w * w + x * x - y * y - z * z, 2 * (x * y + w * z), 2 * (x * z - w * y),
                           2 * (x * y - w * z), w * w - x * x + y * y - z * z, 2 * (y * z + w * x),
                           2 * (x * z + w * y), 2 * (y * z - w * x), w * w - x * x - y * y + z * z};
      for (int i = 0; i < 9; ++i) matrices[9 * k + i] = m[i];
    }
  }
  return matrices.data();
}

} // namespace

int main(int argc, char** argv) {
  const std::string group = "matricesToQuaternions, 3 x 3 x N to 4 x N";
  for (std::uint64_t n : kernelSizes()) {
    const double bytes = 13.0 * 8.0 * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [n](benchmark::State& state) {
      const double* r = rotationMatrices(n);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamColumns(r, 9, nullptr, 0, out, 4, n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(matricesToQuaternionsPaths())) {
      const MatricesToQuaternions convert = path.function;
      addCase(group, vectorPathName(path.path), n, bytes, [n, convert](benchmark::State& state) {
        const double* r = rotationMatrices(n);
        double* out = pooledBuffer(2, 4 * n);
        for (auto _ : state) {
          convert(r, out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("matricesToQuaternions dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor.");
  addNote("stream: each output column the sum of its input column, over the same arrays, compiled with the "
          "kernels' flags.");
  return runKernelBenchmarks(argc, argv, "mat2rot kernel");
}
