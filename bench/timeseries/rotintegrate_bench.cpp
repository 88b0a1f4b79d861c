// rotintegrate kernel benchmarks: each path's passes (the block products,
// the anchors, the rest turned by them) over N rate samples, one thread;
// and the dispatching entry with its worker threads; against a loop that
// streams the same bytes (3N read, 4N written).
#include "timeseries/rotintegrate/integrate_rates.h"
#include "timeseries/timeseries_cases.h"

int main(int argc, char** argv) {
  static const double q0[4] = {1, 0, 0, 0};
  std::vector<std::pair<std::string, SeriesRun>> variants;
  const auto& products = blockProductsPaths();
  for (std::size_t p = 0; p < products.count; ++p) {
    if (!pathRuns(products.paths[p].path)) continue;
    const auto blocksOf = [](std::uint32_t n) { return (n - 1 + kIntegrationBlock - 1) / kIntegrationBlock; };
    variants.push_back({vectorPathName(products.paths[p].path), [p, blocksOf](const double* w, double* q, std::uint32_t n) {
                          const SampleTimes time{nullptr, 0.01};
                          std::copy(q0, q0 + 4, q);
                          blockProductsPaths().paths[p].function(w, 1, n, time, false, 0, 0, blocksOf(n), q);
                          // The anchors as integrateRates joins them (a product per block; left out here).
                          anchorBlocksPaths().paths[p].function(1, n, false, 0, 0, blocksOf(n), q);
                        }});
  }
  variants.push_back({"dispatch", [](const double* w, double* q, std::uint32_t n) {
                        integrateRates(w, 1, n, SampleTimes{nullptr, 0.01}, q0, false, q);
                      }});
  addSeriesCases("integrateRates, 3 x N", 3, 4, kernelSizes(), variants);
  addNote(std::string("dispatch: the ") + vectorPathName(widestVectorPath()) +
          " path, blocks of 1000 steps over the worker threads; a path's row leaves out the anchors' ordered products "
          "(one per block).");
  return runKernelBenchmarks(argc, argv, "rotintegrate kernel");
}
