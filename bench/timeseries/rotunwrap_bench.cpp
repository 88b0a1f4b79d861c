// rotunwrap kernel benchmarks: every path over a motion of N samples, and
// the dispatching entry with its worker threads (chunks of 32768), against
// a loop that streams the same bytes (4N read, 4N written).
#include "timeseries/rotunwrap/unwrap_signs.h"
#include "timeseries/timeseries_cases.h"

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, SeriesRun>> variants;
  for (const auto& path : runnablePaths(unwrapColumnsPaths())) {
    variants.push_back({vectorPathName(path.path),
                        [f = path.function](const double* q, double* out, std::uint32_t n) { f(q, 1, 0, n, out); }});
  }
  variants.push_back({"dispatch", [](const double* q, double* out, std::uint32_t n) { unwrapSigns(q, 1, n, out); }});
  addSeriesCases("unwrapSigns, 4 x N", 4, 4, kernelSizes(), variants);
  addNote(std::string("dispatch: the ") + vectorPathName(widestVectorPath()) +
          " path, chunks of 32768 columns over the worker threads.");
  return runKernelBenchmarks(argc, argv, "rotunwrap kernel");
}
