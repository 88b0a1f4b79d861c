// rotslerp: Q = rotslerp(Q1, Q2, T), spherical interpolation column by
// column between the quaternions (scalar first) of Q1 and Q2 at the
// parameters of the row T; any of the three may have one column, used for
// every column of the others. Column k is bit for bit rotblend's.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created; each has its identifier. A bare call
// (nlhs = 0) returns into ans.
#include "host/host.h"
#include "rotations/rotslerp/slerp_columns.h"

namespace {

const Signature kRotslerp{"rotslerp", "Q = rotslerp(Q1, Q2, T)"};

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
  requireArgumentCounts(kRotslerp, nrhs, 3, 3, nlhs, 1);

  const mxArray* q1 = prhs[0];
  const mxArray* q2 = prhs[1];
  const mxArray* t = prhs[2];
  requireRealFullDouble(kRotslerp, q1, "Q1");
  requireRealFullDouble(kRotslerp, q2, "Q2");
  requireRealFullDouble(kRotslerp, t, "T");

  const std::uint32_t cols[3] = {modelColumns(kRotslerp, q1, "Q1"), modelColumns(kRotslerp, q2, "Q2"),
                                 modelColumns(kRotslerp, t, "T")};
  if (mxGetM(q1) != 4) {
    raiseError("rotkit:rotslerp:q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (mxGetM(q2) != 4) {
    raiseError("rotkit:rotslerp:q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (mxGetM(t) != 1) {
    raiseError("rotkit:rotslerp:tRows", "T must be a row: one parameter per column (a scalar for all of them).");
  }
  std::uint32_t outCols = 0;
  if (!broadcastColumns(cols, outCols)) {
    raiseError("rotkit:rotslerp:columnMismatch",
               "Q1, Q2 and T must have the same number of columns, except those with a single column.");
  }

  plhs[0] = createUninitRealMatrix(4, outCols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads

  const double* q1Data = mxGetPr(q1);
  const double* q2Data = mxGetPr(q2);
  const double* tData = mxGetPr(t);
  double* outData = mxGetPr(plhs[0]);
  slerpColumns(q1Data, cols[0], q2Data, cols[1], tData, cols[2], outData, outCols);
}
