// rotunwrap: Q2 = rotunwrap(Q), the quaternions (scalar first) of a 4J x N
// motion with signs chosen so that no column jumps from q to −q against the
// one before it, joint by joint. Signs only: every value is Q's, or Q's
// negated, bit for bit.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, Q's class, counts beyond
// the 32-bit model, rows. A bare call returns into ans.
#include "timeseries/rotunwrap/unwrap_signs.h"
#include "timeseries/timeseries_gateway.h"

using namespace timeseries_gateway;

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireCounts(CallForm{"rotunwrap", 1, 1, 1, "Q2 = rotunwrap(Q)"}, nrhs, nlhs);
  const mxArray* q = prhs[0];
  requireRealDouble("rotunwrap", "Q", q);
  const std::uint32_t count = requireModelColumns("rotunwrap", "Q", q);
  const std::uint32_t joints =
      requireJointRows("rotunwrap", "Q", q, 4, "a quaternion (w, x, y, z) per joint, one frame per column");

  plhs[0] = createUninitRealMatrix(4 * joints, count);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  unwrapSigns(mxGetPr(q), joints, count, mxGetPr(plhs[0]));
}
