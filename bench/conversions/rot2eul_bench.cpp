// rot2eul kernel benchmarks: every path over N random quaternions, for one
// Tait-Bryan and one proper Euler sequence, with the lock flags, against a
// loop that streams the same bytes (4N read, 3N written) and a plain loop
// of the same method with <cmath>'s atan2.
#include "conversions/rot2eul/quaternion_to_euler.h"
#include "support/conversion_cases.h"

#include <cmath>
#include <vector>

namespace {

// The method of rot2eul for 'ZXY' (i = z, j = x, other = y, ε = +1) and
// 'ZXZ', <cmath>'s atan2 and hypot, no lock handling.
void withCmath(const double* q, double* a, std::uint32_t n, bool proper) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double* c = q + 4 * std::size_t{k};
    const double w = c[0], qi = c[3], qj = c[1], qo = c[2];
    const double aa = proper ? w : w - qj, b = proper ? qi : qi - qo;
    const double cc = proper ? qj : qj + w, d = proper ? qo : qi + qo;
    const double lab = std::hypot(aa, b), lcd = std::hypot(cc, d);
    double* out = a + 3 * std::size_t{k};
    out[1] = proper ? 2 * std::atan2(lcd, lab) : 2 * std::atan2(lcd - lab, lcd + lab);
    out[0] = std::atan2(aa * d + b * cc, aa * cc - b * d);
    const double third = std::atan2(b * cc - aa * d, aa * cc + b * d);
    out[2] = proper ? third : -third;
  }
}

void addGroup(const char* text, bool proper) {
  EulerAxes axes;
  parseAxisSequence({text[0], text[1], text[2]}, axes);
  std::vector<std::pair<std::string, ColumnRun>> paths;
  for (const auto& path : runnablePaths(quaternionsToEulerPaths())) {
    const QuaternionsToEuler f = path.function;
    paths.push_back({vectorPathName(path.path), [f, axes](const double* in, double* out, std::uint32_t n) {
                       static std::vector<std::uint8_t> locked;
                       if (locked.size() < n) locked.resize(n);
                       f(in, out, locked.data(), n, axes);
                     }});
  }
  addConversionCases(std::string("quaternionsToEuler '") + text + "', 4 x N", 4, 3, -1, 1,
                     [proper](const double* in, double* out, std::uint32_t n) { withCmath(in, out, n, proper); }, paths);
}

}  // namespace

int main(int argc, char** argv) {
  addGroup("ZXY", false);
  addGroup("ZXZ", true);
  addNote(std::string("quaternionsToEuler dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; every path uses the toolbox's own atan2 (lanemath/atan2_lanes.h) and "
          "writes the lock flags.");
  addNote("stream: 4 x N read, 3 x N written; cmath: the same method with <cmath>'s atan2 and hypot, a scalar "
          "loop without lock handling.");
  return runKernelBenchmarks(argc, argv, "rot2eul kernel");
}
