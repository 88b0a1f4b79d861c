// rotvel kernel benchmarks: every path over a motion of N samples (one
// logarithm per sample), and the dispatching entry with its worker threads,
// against a loop that streams the same bytes (4N read, 3N written).
#include "timeseries/rotvel/angular_velocity.h"
#include "timeseries/timeseries_cases.h"

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, SeriesRun>> variants;
  for (const auto& path : runnablePaths(angularVelocityRangePaths())) {
    variants.push_back({vectorPathName(path.path), [f = path.function](const double* q, double* w, std::uint32_t n) {
                          f(q, 1, n, SampleTimes{nullptr, 0.01}, false, 0, n, w);
                        }});
  }
  variants.push_back({"dispatch", [](const double* q, double* w, std::uint32_t n) {
                        angularVelocities(q, 1, n, SampleTimes{nullptr, 0.01}, false, w);
                      }});
  addSeriesCases("angularVelocities, 4 x N", 4, 3, kernelSizes(), variants);
  addNote(std::string("dispatch: the ") + vectorPathName(widestVectorPath()) +
          " path, split over the worker threads from 32768 samples on.");
  return runKernelBenchmarks(argc, argv, "rotvel kernel");
}
