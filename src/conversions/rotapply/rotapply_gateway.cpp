// rotapply: V2 = rotapply(Q, V), each vector of a 3 x N array turned by its
// quaternion of a 4 x N array (scalar first, Hamilton product): the active
// rotation q·v·q*, bit for bit as posechain turns an offset. Either side
// may have one column, used for every column of the other.
//
// Every check runs before anything is created, in the order of the help
// text; the first failure ends the call. A bare call returns into ans.
#include "host/host.h"
#include "conversions/rotapply/apply_rotation.h"

namespace {
const Signature kRotapply{"rotapply", "V2 = rotapply(Q, V)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRotapply, nrhs, 2, 2, nlhs, 1);
  const mxArray* q = prhs[0];
  const mxArray* v = prhs[1];
  requireRealFullDouble(kRotapply, q, "Q");
  const std::uint32_t qCols = modelColumns(kRotapply, q, "Q");
  requireRealFullDouble(kRotapply, v, "V");
  const std::uint32_t vCols = modelColumns(kRotapply, v, "V");
  if (mxGetM(q) != 4) {
    raiseError("rotkit:rotapply:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (mxGetM(v) != 3) raiseError("rotkit:rotapply:vRows", "V must have 3 rows: one vector (x, y, z) per column.");
  if (qCols != vCols && qCols != 1 && vCols != 1) {
    raiseError("rotkit:rotapply:columnMismatch",
               "Q and V must have the same number of columns, or one of them a single column.");
  }
  // One column against N (N = 0 included) gives N; equal counts give that.
  const std::uint32_t cols = qCols == 1 ? vCols : qCols;

  plhs[0] = createUninitRealMatrix(3, cols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  applyRotations(mxGetPr(q), qCols, mxGetPr(v), vCols, mxGetPr(plhs[0]), cols);
}
