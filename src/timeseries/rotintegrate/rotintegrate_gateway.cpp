// rotintegrate: Q = rotintegrate(W, t, q0, frame), the orientations
// (4J x N, scalar first) that start at q0 (4J x 1) and turn with the
// angular velocities W (3J x N) sampled at t, in the body's frame (the
// default: a gyroscope's rates) or the fixed one; results bit for bit (no
// fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, the classes of W, t and
// q0, counts beyond the 32-bit model, W's rows, q0's shape, t's shape and
// values, frame. A bare call returns into ans.
#include "timeseries/rotintegrate/integrate_rates.h"
#include "timeseries/timeseries_gateway.h"

using namespace timeseries_gateway;

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireCounts(CallForm{"rotintegrate", 3, 4, 1, "Q = rotintegrate(W, t, q0) or rotintegrate(W, t, q0, frame)"},
                nrhs, nlhs);
  const mxArray* w = prhs[0];
  const mxArray* t = prhs[1];
  const mxArray* q0 = prhs[2];
  requireRealDouble("rotintegrate", "W", w);
  requireRealDouble("rotintegrate", "t", t);
  requireRealDouble("rotintegrate", "q0", q0);
  const std::uint32_t count = requireModelColumns("rotintegrate", "W", w);
  requireModelColumns("rotintegrate", "t", t);
  requireModelColumns("rotintegrate", "q0", q0);
  const std::uint32_t joints =
      requireJointRows("rotintegrate", "W", w, 3, "an angular velocity (x, y, z) per joint, one sample per column");
  if (mxGetM(q0) != 4 * std::size_t{joints} || mxGetN(q0) != 1 || mxGetNumberOfDimensions(q0) != 2) {
    fail("rotintegrate", "q0Shape",
         "q0 must be a 4J x 1 column: the first orientation (w, x, y, z) of each of the J joints of W (3J rows).");
  }
  const SampleTimes time = readSampleTimes("rotintegrate", "t", t, count, "columns of W");
  bool world = false;
  if (nrhs > 3) {
    world = readChoice("rotintegrate", "frame", prhs[3], "body", "world", "frame must be 'body' or 'world'.") == 1;
  }

  plhs[0] = createUninitRealMatrix(4 * joints, count);
  joinWorkersAtExit();  // the kernel may split its blocks over worker threads
  integrateRates(mxGetPr(w), joints, count, time, mxGetPr(q0), world, mxGetPr(plhs[0]));
}
