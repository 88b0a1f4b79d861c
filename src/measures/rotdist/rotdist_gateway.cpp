// rotdist: D = rotdist(Q1, Q2), the angle in [0, π] of the rotation that
// carries each quaternion of Q1 onto its partner in Q2 (scalar first; q and
// −q the same rotation); either side may have one column. Results bit for
// bit (no fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created, with an identifier rotkit:rotdist:<reason>:
// argument counts, then Q1 and Q2 (class and storage, then counts), their
// rows, then their column counts. A bare call returns into ans.
#include "host/host.h"
#include "measures/rotdist/rotation_distance.h"

namespace {
const Signature kRotdist{"rotdist", "D = rotdist(Q1, Q2)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRotdist, nrhs, 2, 2, nlhs, 1);
  const mxArray* q1 = prhs[0];
  const mxArray* q2 = prhs[1];
  requireRealFullDouble(kRotdist, q1, "Q1");
  requireRealFullDouble(kRotdist, q2, "Q2");
  const std::uint32_t cols1 = modelColumns(kRotdist, q1, "Q1");
  const std::uint32_t cols2 = modelColumns(kRotdist, q2, "Q2");
  if (mxGetM(q1) != 4) refuse(kRotdist, "q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (mxGetM(q2) != 4) refuse(kRotdist, "q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (cols1 != cols2 && cols1 != 1 && cols2 != 1) {
    refuse(kRotdist, "columnMismatch", "Q1 and Q2 must have the same number of columns, or one of them a single column.");
  }
  const std::uint32_t outCols = cols1 == 1 ? cols2 : cols1;

  plhs[0] = createRealMatrix(1, outCols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  rotationDistances(mxGetPr(q1), cols1, mxGetPr(q2), cols2, mxGetPr(plhs[0]), outCols);
}
