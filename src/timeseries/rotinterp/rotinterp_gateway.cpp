// rotinterp: [Qi, Wi, Ai] = rotinterp(t, Q, ti, method), the rotations of
// the keys Q (4J x N, scalar first) at times t, at the query times ti, on
// the great arc between neighbouring keys ('slerp', the default) or on a C²
// rotation spline through them ('spline'), with the body's angular velocity
// and acceleration; results bit for bit (no fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, the classes of t, Q and
// ti, counts beyond the 32-bit model, Q's rows, t's shape and values, ti's
// shape, method. The spline's scratch (kSplineRecord doubles per key and
// joint) is created after the checks and destroyed before the call ends. A
// bare call returns into ans.
#include "timeseries/rotinterp/interpolate_times.h"
#include "timeseries/timeseries_gateway.h"

using namespace timeseries_gateway;

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireCounts(CallForm{"rotinterp", 3, 4, 3, "[Qi, Wi, Ai] = rotinterp(t, Q, ti) or rotinterp(t, Q, ti, method)"},
                nrhs, nlhs);
  const mxArray* t = prhs[0];
  const mxArray* q = prhs[1];
  const mxArray* ti = prhs[2];
  requireRealDouble("rotinterp", "t", t);
  requireRealDouble("rotinterp", "Q", q);
  requireRealDouble("rotinterp", "ti", ti);
  requireModelColumns("rotinterp", "t", t);
  const std::uint32_t keyCount = requireModelColumns("rotinterp", "Q", q);
  const std::uint32_t queryCount = requireModelColumns("rotinterp", "ti", ti);
  const std::uint32_t joints =
      requireJointRows("rotinterp", "Q", q, 4, "a quaternion (w, x, y, z) per joint, one key per column");
  const SampleTimes keyTimes = readSampleTimes("rotinterp", "t", t, keyCount, "columns of Q");
  if (mxGetM(ti) != 1 || mxGetNumberOfDimensions(ti) != 2) {
    fail("rotinterp", "tiShape", "ti must be a 1 x M row of query times.");
  }
  bool spline = false;
  if (nrhs > 3) {
    spline = readChoice("rotinterp", "method", prhs[3], "slerp", "spline", "method must be 'slerp' or 'spline'.") == 1;
  }

  const std::uint32_t outputs = nlhs < 1 ? 1 : static_cast<std::uint32_t>(nlhs);
  plhs[0] = createUninitRealMatrix(4 * joints, queryCount);
  if (outputs > 1) plhs[1] = createUninitRealMatrix(3 * joints, queryCount);
  if (outputs > 2) plhs[2] = createUninitRealMatrix(3 * joints, queryCount);
  mxArray* scratch = nullptr;
  if (spline && keyCount >= 2) {
    scratch = mxCreateDoubleMatrix(static_cast<mwSize>(kSplineRecord) * joints, keyCount, mxREAL);
  }
  joinWorkersAtExit();  // the kernel may split its work over worker threads

  const InterpolationCall call{mxGetPr(q),
                               joints,
                               keyCount,
                               keyTimes,
                               mxGetPr(ti),
                               queryCount,
                               mxGetPr(plhs[0]),
                               outputs > 1 ? mxGetPr(plhs[1]) : nullptr,
                               outputs > 2 ? mxGetPr(plhs[2]) : nullptr,
                               scratch != nullptr ? mxGetPr(scratch) : nullptr};
  interpolateTimes(call);
  if (scratch != nullptr) mxDestroyArray(scratch);
}
