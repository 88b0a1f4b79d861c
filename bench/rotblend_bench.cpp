// rotblend kernel benchmarks: every path over N parameters in [0, 1], for
// each branch, against a loop that streams the same bytes (N read, 4N
// written) and, for the spherical branch, a loop of the two sin calls per
// parameter that the branch needs.
#include "rotblend/interpolate_rotation.h"
#include "support/bench_support.h"
#include "support/streaming.h"

#include <cmath>

namespace {

using BlendFn = void (*)(const RotationBlend&, const double*, std::uint32_t, double*);

double bytesFor(std::uint64_t n) { return 5.0 * 8.0 * static_cast<double>(n); }

void addBlendCase(const std::string& group, const std::string& variant, std::uint64_t n, const Quaternion& q1,
                  const Quaternion& q2, BlendFn blendColumns) {
  addCase(group, variant, n, bytesFor(n), [n, q1, q2, blendColumns](benchmark::State& state) {
    const double* t = pooledBuffer(3, n, 0.0, 1.0);
    double* out = pooledBuffer(2, 4 * n);
    for (auto _ : state) {
      // Prepared once per call, as interpolateRotations does.
      blendColumns(prepareBlend(q1, q2), t, static_cast<std::uint32_t>(n), out);
      benchmark::ClobberMemory();
    }
  });
}

void addGroup(const std::string& group, const Quaternion& q1, const Quaternion& q2) {
  const RotationBlend blend = prepareBlend(q1, q2);
  for (std::uint64_t n : kernelSizes()) {
    addCase(group, "stream", n, bytesFor(n), [n](benchmark::State& state) {
      const double* t = pooledBuffer(3, n, 0.0, 1.0);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamOneToFour(t, out, n);
        benchmark::ClobberMemory();
      }
    });
    if (blend.spherical) {
      const double theta = blend.theta;
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
    addBlendCase(group, "scalar", n, q1, q2, blendColumnsScalar);
#if defined(ROTKIT_BUILD_SSE2)
    addBlendCase(group, "sse2", n, q1, q2, blendColumnsSse2);
#endif
#if defined(ROTKIT_BUILD_AVX2)
    if (widestVectorPath() == VectorPath::avx2) addBlendCase(group, "avx2", n, q1, q2, blendColumnsAvx2);
#endif
  }
  if (blend.spherical) {
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
          " path on this processor. Every path uses rotblend's own sine (rotblend/sine.h); two-sin "
          "calls <cmath>'s.");
  addNote("stream: out(:, i) = t(i) in four rows; two-sin: sin((1 - t)*theta) and sin(theta*t) per "
          "parameter, written out; per-parameter: interpolateRotation from scratch for each t.");
  return runKernelBenchmarks(argc, argv, "rotblend kernel");
}
