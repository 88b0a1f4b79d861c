// rot2vec kernel benchmarks: every path over N quaternions with components
// in [-1, 1], against a loop that streams the same bytes (4N read, 3N
// written) and a plain loop of the same formula with <cmath>'s atan2.
#include "conversions/rot2vec/quaternion_to_vector.h"
#include "support/conversion_cases.h"

#include <cmath>

namespace {

void withCmath(const double* q, double* v, std::uint32_t n) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double* c = q + 4 * std::size_t{k};
    const double s = c[0] < 0 ? -1.0 : 1.0;
    const double length = std::sqrt(c[1] * c[1] + c[2] * c[2] + c[3] * c[3]);
    const double ratio = length == 0 ? 2 / std::fabs(c[0]) : 2 * std::atan2(length, std::fabs(c[0])) / length;
    double* out = v + 3 * std::size_t{k};
    out[0] = s * c[1] * ratio;
    out[1] = s * c[2] * ratio;
    out[2] = s * c[3] * ratio;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, ColumnRun>> paths;
  for (const auto& path : runnablePaths(quaternionsToVectorsPaths())) paths.push_back({vectorPathName(path.path), path.function});
  addConversionCases("quaternionsToVectors, 4 x N", 4, 3, -1, 1, withCmath, paths);
  addNote(std::string("quaternionsToVectors dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; every path uses the toolbox's own atan2 (lanemath/atan2_lanes.h).");
  addNote("stream: 4 x N read, 3 x N written; cmath: the same formula with <cmath>'s atan2, a scalar loop.");
  return runKernelBenchmarks(argc, argv, "rot2vec kernel");
}
