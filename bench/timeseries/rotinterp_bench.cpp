// rotinterp kernel benchmarks: N keys of a smooth motion every 0.01 queried at N times between
// them (in order), 'slerp' on every path and through the dispatching entry,
// and 'spline' (its steps, the solution of its rates, the queries) through
// the dispatching entry; against a loop that streams the same bytes (4N
// read, 4N written).
#include "timeseries/rotinterp/interpolate_times.h"
#include "timeseries/timeseries_cases.h"

#include <cmath>

namespace {

const double* queriesFor(std::uint32_t n) {
  // Query k at (k + 0.37)·0.01, inside the step from key k (the last one
  // on the last key).
  double* t = pooledBuffer(5, n, 0.0, 1.0);
  for (std::uint32_t k = 0; k < n; ++k) t[k] = k + 1 < n ? (k + 0.37) * 0.01 : (n - 1) * 0.01;
  return t;
}

// N keys of a smooth motion (a random walk of rotation vectors, steps of
// about 0.05 rad), the same for every case: random quaternions would be
// turns of up to half a turn between keys, not a motion.
const double* smoothKeys(std::uint32_t n) {
  static std::vector<double> keys;
  if (keys.size() < 4 * std::size_t{n}) {
    const double* steps = pooledBuffer(7, 3 * std::size_t{n}, -0.05, 0.05);
    keys.resize(4 * std::size_t{n});
    double v[3] = {0, 0, 0};
    for (std::uint32_t k = 0; k < n; ++k) {
      for (int c = 0; c < 3; ++c) v[c] += steps[3 * k + c];
      const double angle = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
      const double f = angle == 0 ? 0.5 : std::sin(angle / 2) / angle;
      keys[4 * k] = std::cos(angle / 2);
      for (int c = 0; c < 3; ++c) keys[4 * k + 1 + c] = f * v[c];
    }
  }
  return keys.data();
}

InterpolationCall callFor(const double*, double* out, std::uint32_t n, double* scratch) {
  return InterpolationCall{smoothKeys(n), 1, n, SampleTimes{nullptr, 0.01}, queriesFor(n), n, out, nullptr, nullptr, scratch};
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, SeriesRun>> slerp;
  for (const auto& path : runnablePaths(evaluateQueriesPaths())) {
    slerp.push_back({vectorPathName(path.path), [f = path.function](const double* keys, double* out, std::uint32_t n) {
                       f(callFor(keys, out, n, nullptr), 0, n);
                     }});
  }
  slerp.push_back({"dispatch", [](const double* keys, double* out, std::uint32_t n) {
                     interpolateTimes(callFor(keys, out, n, nullptr));
                   }});
  addSeriesCases("'slerp', 4 x N keys, N queries", 4, 4, kernelSizes(), slerp);
  const std::vector<std::uint64_t> splineSizes = {1000, 10000, 100000, 1000000};
  addSeriesCases("'spline', 4 x N keys, N queries", 4, 4, splineSizes,
                 {{"dispatch", [](const double* keys, double* out, std::uint32_t n) {
                     interpolateTimes(callFor(keys, out, n, pooledBuffer(6, kSplineRecord * n)));
                   }}});
  addNote(std::string("dispatch: the ") + vectorPathName(widestVectorPath()) +
          " path, the queries over the worker threads; the spline's rates are solved on one thread per joint.");
  return runKernelBenchmarks(argc, argv, "rotinterp kernel");
}
