// rotfit kernel benchmarks: N frames of 4, 6 and 8 markers (one reference
// cluster, every frame turned and moved, noise), every path of
// fitRigidMotions and the dispatching entry (threads), against a loop that
// reads the same bytes.
#include "measures/rotfit/fit_rigid_motion.h"
#include "support/bench_support.h"

#include <cmath>
#include <random>

namespace {

double sumAll(const double* b, std::size_t count) {
  double a = 0, c = 0, d = 0;
  for (std::size_t i = 0; i + 3 <= count; i += 3) {
    a += b[i];
    c += b[i + 1];
    d += b[i + 2];
  }
  return (a + c) + d;
}

// Frames of `points` markers: the reference cluster turned about a random
// axis by a random angle, moved, with noise of 1% of its size.
const std::vector<double>& markers(std::uint32_t points, std::uint64_t frames, std::vector<double>& reference) {
  static std::vector<double> data;
  static std::uint64_t made = 0;
  static std::uint32_t madeFor = 0;
  std::mt19937_64 random(points);
  std::normal_distribution<double> normal;
  reference.clear();
  for (std::uint32_t i = 0; i < 3 * points; ++i) reference.push_back(100 * normal(random));
  if (made == frames && madeFor == points) return data;
  data.assign(3 * std::size_t{points} * frames, 0);
  for (std::uint64_t k = 0; k < frames; ++k) {
    double q[4] = {normal(random), normal(random), normal(random), normal(random)};
    const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (double& c : q) c /= n;
    for (std::uint32_t m = 0; m < points; ++m) {
      const double* v = &reference[3 * m];
      // v + 2w(u × v) + 2u × (u × v)
      const double cx = q[2] * v[2] - q[3] * v[1], cy = q[3] * v[0] - q[1] * v[2], cz = q[1] * v[1] - q[2] * v[0];
      const double r[3] = {v[0] + 2 * (q[0] * cx + (q[2] * cz - q[3] * cy)),
                           v[1] + 2 * (q[0] * cy + (q[3] * cx - q[1] * cz)),
                           v[2] + 2 * (q[0] * cz + (q[1] * cy - q[2] * cx))};
      for (int i = 0; i < 3; ++i) data[3 * (points * k + m) + i] = r[i] + 500 + normal(random);
    }
  }
  made = frames;
  madeFor = points;
  return data;
}

void addGroup(std::uint32_t points) {
  const std::string group = "fitRigidMotions, " + std::to_string(points) + " markers, N frames";
  for (std::uint64_t n : {1000, 10000, 100000}) {
    const double bytes = 8.0 * (3.0 * points + 8.0) * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [points, n](benchmark::State& state) {
      std::vector<double> reference;
      const std::vector<double>& b = markers(points, n, reference);
      for (auto _ : state) benchmark::DoNotOptimize(sumAll(b.data(), b.size()));
    });
    std::vector<std::pair<std::string, FitRigidMotions>> runs;
    for (const auto& path : runnablePaths(fitRigidMotionsPaths())) runs.push_back({vectorPathName(path.path), path.function});
    runs.push_back({"dispatch", fitRigidMotions});
    for (const auto& [name, run] : runs) {
      addCase(group, name, n, bytes, [points, n, run = run](benchmark::State& state) {
        std::vector<double> reference;
        const std::vector<double>& b = markers(points, n, reference);
        double* q = pooledBuffer(2, 4 * n);
        double* t = pooledBuffer(3, 3 * n);
        double* rms = pooledBuffer(4, n);
        for (auto _ : state) {
          run(reference.data(), 1, b.data(), points, static_cast<std::uint32_t>(n), nullptr, true, q, t, rms);
          benchmark::ClobberMemory();
        }
      });
    }
    setBaselines(group, {"stream", "scalar"});
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (std::uint32_t points : {4u, 6u, 8u}) addGroup(points);
  addNote(std::string("fitRigidMotions dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; dispatch is that path with worker threads for large calls.");
  addNote("stream: reads the markers; every other case writes Q, T and rms; ns/element is per frame.");
  return runKernelBenchmarks(argc, argv, "rotfit kernel");
}
