// vec2rot kernel benchmarks: every path over N rotation vectors with
// components in [-2, 2], against a loop that streams the same bytes (3N
// read, 4N written) and a plain loop of the same formula with <cmath>.
#include "support/conversion_cases.h"
#include "conversions/vec2rot/vector_to_quaternion.h"

#include <cmath>

namespace {

void withCmath(const double* v, double* q, std::uint32_t n) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double* x = v + 3 * std::size_t{k};
    const double angle = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    const double f = angle == 0 ? 0.5 : std::sin(angle / 2) / angle;
    double* out = q + 4 * std::size_t{k};
    out[0] = std::cos(angle / 2);
    out[1] = f * x[0];
    out[2] = f * x[1];
    out[3] = f * x[2];
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, ColumnRun>> paths;
  for (const auto& path : runnablePaths(vectorsToQuaternionsPaths())) paths.push_back({vectorPathName(path.path), path.function});
  addConversionCases("vectorsToQuaternions, 3 x N", 3, 4, -2, 2, withCmath, paths);
  addNote(std::string("vectorsToQuaternions dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; every path uses the toolbox's own sincos (lanemath/sine_lanes.h).");
  addNote("stream: 3 x N read, 4 x N written; cmath: the same formula with <cmath>'s sin and cos, a scalar loop.");
  return runKernelBenchmarks(argc, argv, "vec2rot kernel");
}
