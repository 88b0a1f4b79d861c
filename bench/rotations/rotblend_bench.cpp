// rotblend kernel benchmarks: every path over N parameters in [0, 1], for
// each branch, against a loop that streams the same bytes (N read, 4N
// written) and, for the spherical branch, a loop of the two sin calls per
// parameter that the branch needs.
#include "rotations/rotblend/interpolate_rotation.h"
#include "support/bench_support.h"
#include "support/streaming.h"

#include <cmath>

namespace {

double bytesFor(std::uint64_t n) { return 5.0 * 8.0 * static_cast<double>(n); }

void addBlendCase(const std::string& group, const std::string& variant, std::uint64_t n, const Quaternion& q1,
                  const Quaternion& q2, InterpolateRotations interpolate) {
  addCase(group, variant, n, bytesFor(n), [n, q1, q2, interpolate](benchmark::State& state) {
    const double* t = pooledBuffer(3, n, 0.0, 1.0);
    double* out = pooledBuffer(2, 4 * n);
    const double ends[8] = {q1.w, q1.x, q1.y, q1.z, q2.w, q2.x, q2.y, q2.z};
    for (auto _ : state) {
      interpolate(ends, ends + 4, t, static_cast<std::uint32_t>(n), out);
      benchmark::ClobberMemory();
    }
  });
}

// The arc angle of the spherical branch, or 0 for the linear one.
double arcAngle(const Quaternion& q1, const Quaternion& q2) {
  const double d = std::fabs(((q1.w * q2.w + q1.x * q2.x) + q1.y * q2.y) + q1.z * q2.z);
  return d < 0.999 ? std::atan2(std::sqrt(1 - d * d), d) : 0;
}

void addGroup(const std::string& group, const Quaternion& q1, const Quaternion& q2) {
  const double theta = arcAngle(q1, q2);
  const bool spherical = theta != 0;
  for (std::uint64_t n : kernelSizes()) {
    addCase(group, "stream", n, bytesFor(n), [n](benchmark::State& state) {
      const double* t = pooledBuffer(3, n, 0.0, 1.0);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamOneToFour(t, out, n);
        benchmark::ClobberMemory();
      }
    });
    if (spherical) {
      addCase(group, "two-sin", n, 3.0 * 8.0 * static_cast<double>(n), [n, theta](benchmark::State& state) {
        const double* t = pooledBuffer(3, n, 0.0, 1.0);
        double* out = pooledBuffer(2, 4 * n);
        for (auto _ : state) {
          twoSines(t, theta, out, n);
          benchmark::ClobberMemory();
        }
      });
      // Everything from scratch for every parameter: the flip, the branch,
      // sqrt and atan2 each time.
      addCase(group, "per-parameter", n, bytesFor(n), [n, q1, q2](benchmark::State& state) {
        const double* t = pooledBuffer(3, n, 0.0, 1.0);
        double* out = pooledBuffer(2, 4 * n);
        for (auto _ : state) {
          for (std::uint64_t i = 0; i < n; ++i) storeQuaternion(out + 4 * i, interpolateRotation(q1, q2, t[i]));
          benchmark::ClobberMemory();
        }
      });
    }
    for (const auto& path : runnablePaths(interpolateRotationsPaths())) {
      addBlendCase(group, vectorPathName(path.path), n, q1, q2, path.function);
    }
  }
  if (spherical) {
    setBaselines(group, {"stream", "two-sin", "scalar"});
  } else {
    setBaselines(group, {"stream", "scalar"});
  }
}

} // namespace

int main(int argc, char** argv) {
  const Quaternion q1{1, 0, 0, 0};
  const double half = std::acos(-1.0) / 6;  // end rotations 60 degrees apart
  addGroup("rotblend, spherical branch", q1, Quaternion{std::cos(half), 0, std::sin(half), 0});
  addGroup("rotblend, linear branch", q1, Quaternion{0.9999, 0, std::sqrt(1 - 0.9999 * 0.9999), 0});
  addNote(std::string("interpolateRotations dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor. Every path uses rotblend's own sine (lanemath/sine_lanes.h); two-sin "
          "calls <cmath>'s.");
  addNote("stream: out(:, i) = t(i) in four rows; two-sin: sin((1 - t)*theta) and sin(theta*t) per "
          "parameter, written out; per-parameter: interpolateRotation from scratch for each t.");
  return runKernelBenchmarks(argc, argv, "rotblend kernel");
}
