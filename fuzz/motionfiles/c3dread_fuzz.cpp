// Fuzz target for c3dread: any bytes as a C3D file. Besides the readers'
// oracle (file_fuzz.h): points has 3 rows per label and a column per
// frame, residuals and cameras a row per label, analog a row per analog
// label; a missing sample is NaN in all three of its coordinates, its
// residual and its camera mask, and a camera mask is a whole number from
// 0 to 127 otherwise.
#include "file_fuzz.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = filefuzz::writeFile("c3d", data, size);
  const embedded::CallResult result = filefuzz::callReader(mexFunction, "c3dread", 1, {file}, "frameCount");
  if (result.raised) return 0;
  const mxArray* d = result.output.get();
  const std::size_t M = filefuzz::cellCount(d, "labels");
  const mxArray* points = filefuzz::matrixField(d, "points", 3 * M);
  const std::size_t N = mxGetN(points);
  const double* p = mxGetPr(points);
  const double* residuals = mxGetPr(filefuzz::matrixField(d, "residuals", M, N));
  const double* cameras = mxGetPr(filefuzz::matrixField(d, "cameras", M, N));
  filefuzz::matrixField(d, "analog", filefuzz::cellCount(d, "analogLabels"));
  for (std::size_t i = 0; i < M * N; ++i) {
    const bool missing = std::isnan(cameras[i]);
    filefuzz::check(std::isnan(residuals[i]) == missing, "a residual and a camera mask disagree on a missing sample");
    if (missing) {
      filefuzz::check(std::isnan(p[3 * i]) && std::isnan(p[3 * i + 1]) && std::isnan(p[3 * i + 2]),
                      "a missing sample with a coordinate");
    } else {
      filefuzz::check(cameras[i] >= 0 && cameras[i] <= 127 && cameras[i] == std::floor(cameras[i]), "a camera mask out of range");
    }
  }
  return 0;
}
