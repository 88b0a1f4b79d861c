// rotslerp: Q = rotslerp(Q1, Q2, T), spherical interpolation column by
// column between the quaternions (scalar first) of Q1 and Q2 at the
// parameters of the row T; any of the three may have one column, used for
// every column of the others. Column k is bit for bit rotblend's.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created; callers match on the messages. A bare call
// (nlhs = 0) returns into ans.
#include "host/host.h"
#include "rotations/rotslerp/slerp_columns.h"

namespace {

// The column count of the result: the count that is not 1, shared by every
// side that has it (all 1 gives 1); false when two such counts differ.
bool broadcastColumns(const std::uint32_t (&cols)[3], std::uint32_t& out) {
  out = 1;
  bool found = false;
  for (std::uint32_t c : cols) {
    if (c == 1) continue;
    if (found && c != out) return false;
    out = c;
    found = true;
  }
  return true;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(nrhs, 3, 3, nlhs, 1);

  const mxArray* q1 = prhs[0];
  const mxArray* q2 = prhs[1];
  const mxArray* t = prhs[2];
  requireRealFullDouble(q1);
  requireRealFullDouble(q2);
  requireRealFullDouble(t);

  const std::uint32_t cols[3] = {modelColumns(q1), modelColumns(q2), modelColumns(t)};
  if (mxGetM(q1) != 4) mexErrMsgTxt("Q1 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (mxGetM(q2) != 4) mexErrMsgTxt("Q2 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (mxGetM(t) != 1) mexErrMsgTxt("T must be a row: one parameter per column (a scalar for all of them).");
  std::uint32_t outCols = 0;
  if (!broadcastColumns(cols, outCols)) mexErrMsgTxt(ROTKIT_MSG_MISMATCH);

  plhs[0] = createRealMatrix(4, outCols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads

  const double* q1Data = mxGetPr(q1);
  const double* q2Data = mxGetPr(q2);
  const double* tData = mxGetPr(t);
  double* outData = mxGetPr(plhs[0]);
  slerpColumns(q1Data, cols[0], q2Data, cols[1], tData, cols[2], outData, outCols);
}
