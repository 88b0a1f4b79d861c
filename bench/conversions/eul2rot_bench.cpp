// eul2rot kernel benchmarks: every path over N columns of angles in
// [-π, π], for one Tait-Bryan and one proper Euler sequence, against a loop
// that streams the same bytes (3N read, 4N written) and a plain loop of the
// same closed form with <cmath>'s sin and cos.
#include "conversions/eul2rot/euler_to_quaternion.h"
#include "support/conversion_cases.h"

#include <cmath>

namespace {

// The closed form of eul2rot for 'ZXY' (intrinsic; z, x, y is the cyclic
// order, ε = +1) and 'ZXZ', with <cmath>'s sine and cosine.
void withCmath(const double* a, double* q, std::uint32_t n, bool proper) {
  for (std::uint32_t k = 0; k < n; ++k) {
    const double c1 = std::cos(a[3 * k] / 2), s1 = std::sin(a[3 * k] / 2);
    const double c2 = std::cos(a[3 * k + 1] / 2), s2 = std::sin(a[3 * k + 1] / 2);
    const double c3 = std::cos(a[3 * k + 2] / 2), s3 = std::sin(a[3 * k + 2] / 2);
    const double cc = c1 * c2, ss = s1 * s2, sc = s1 * c2, cs = c1 * s2;
    double* out = q + 4 * std::size_t{k};
    if (proper) {
      out[0] = cc * c3 - sc * s3;
      out[3] = cc * s3 + sc * c3;
      out[1] = cs * c3 + ss * s3;
      out[2] = ss * c3 - cs * s3;
    } else {
      out[0] = cc * c3 - ss * s3;
      out[3] = sc * c3 + cs * s3;
      out[1] = cs * c3 - sc * s3;
      out[2] = cc * s3 + ss * c3;
    }
  }
}

void addGroup(const char* text, bool proper) {
  EulerAxes axes;
  parseAxisSequence({text[0], text[1], text[2]}, axes);
  std::vector<std::pair<std::string, ColumnRun>> paths;
  for (const auto& path : runnablePaths(eulerToQuaternionsPaths())) {
    const EulerToQuaternions f = path.function;
    paths.push_back({vectorPathName(path.path), [f, axes](const double* in, double* out, std::uint32_t n) { f(in, out, n, axes); }});
  }
  addConversionCases(std::string("eulerToQuaternions '") + text + "', 3 x N", 3, 4, -3.14159, 3.14159,
                     [proper](const double* in, double* out, std::uint32_t n) { withCmath(in, out, n, proper); }, paths);
}

}  // namespace

int main(int argc, char** argv) {
  addGroup("ZXY", false);
  addGroup("ZXZ", true);
  addNote(std::string("eulerToQuaternions dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; every path uses the toolbox's own sincos (lanemath/sine_lanes.h).");
  addNote("stream: 3 x N read, 4 x N written; cmath: the same closed form, <cmath>'s sin and cos, a scalar loop.");
  return runKernelBenchmarks(argc, argv, "eul2rot kernel");
}
