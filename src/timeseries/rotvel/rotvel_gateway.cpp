// rotvel: W = rotvel(Q, t, frame), the angular velocity (3J x N) at every
// sample of a motion of quaternions (4J x N, scalar first), in the body's
// frame (the default) or the fixed one; results bit for bit (no fused
// multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, the classes of Q and t,
// counts beyond the 32-bit model, Q's rows, t's shape and values, frame. A
// bare call returns into ans.
#include "timeseries/rotvel/angular_velocity.h"
#include "timeseries/timeseries_gateway.h"

using namespace timeseries_gateway;

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireCounts(CallForm{"rotvel", 2, 3, 1, "W = rotvel(Q, t) or rotvel(Q, t, frame)"}, nrhs, nlhs);
  const mxArray* q = prhs[0];
  const mxArray* t = prhs[1];
  requireRealDouble("rotvel", "Q", q);
  requireRealDouble("rotvel", "t", t);
  const std::uint32_t count = requireModelColumns("rotvel", "Q", q);
  requireModelColumns("rotvel", "t", t);
  const std::uint32_t joints =
      requireJointRows("rotvel", "Q", q, 4, "a quaternion (w, x, y, z) per joint, one sample per column");
  const SampleTimes time = readSampleTimes("rotvel", "t", t, count, "columns of Q");
  bool world = false;
  if (nrhs > 2) {
    world = readChoice("rotvel", "frame", prhs[2], "body", "world", "frame must be 'body' or 'world'.") == 1;
  }

  plhs[0] = createUninitRealMatrix(3 * joints, count);
  joinWorkersAtExit();  // the kernel may split its samples over worker threads
  angularVelocities(mxGetPr(q), joints, count, time, world, mxGetPr(plhs[0]));
}
