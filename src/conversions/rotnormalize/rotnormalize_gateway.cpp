// rotnormalize: Q2 = rotnormalize(Q), every quaternion of a 4 x N array
// (scalar first) divided by its length, bit for bit (no fused multiply-add).
//
// Every check runs before anything is created, in the order of the help
// text; the first failure ends the call. A bare call returns into ans.
#include "host/host.h"
#include "conversions/rotnormalize/normalize_columns.h"

namespace {
const Signature kRotnormalize{"rotnormalize", "Q2 = rotnormalize(Q)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRotnormalize, nrhs, 1, 1, nlhs, 1);
  const mxArray* q = prhs[0];
  requireRealFullDouble(kRotnormalize, q, "Q");
  const std::uint32_t cols = modelColumns(kRotnormalize, q, "Q");
  if (mxGetM(q) != 4) {
    raiseError("rotkit:rotnormalize:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  }

  plhs[0] = createUninitRealMatrix(4, cols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  normalizeColumns(mxGetPr(q), mxGetPr(plhs[0]), cols);
}
