// rot2mat: R = rot2mat(Q), the 3 x 3 x N rotation matrices of a 4 x N
// quaternion array (scalar first, Hamilton product, active rotation): R(:,:,k)
// is the matrix of rotapply(Q(:,k), ·). Bit for bit, no fused multiply-add.
//
// Every check runs before anything is created, in the order of the help
// text; the first failure ends the call. A bare call returns into ans.
#include "host/host.h"
#include "conversions/rot2mat/quaternion_to_matrix.h"

namespace {
const Signature kRot2mat{"rot2mat", "R = rot2mat(Q)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRot2mat, nrhs, 1, 1, nlhs, 1);
  const mxArray* q = prhs[0];
  requireRealFullDouble(kRot2mat, q, "Q");
  const std::uint32_t cols = modelColumns(kRot2mat, q, "Q");
  if (mxGetM(q) != 4) raiseError("rotkit:rot2mat:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");

  // One page per quaternion; the host drops the third dimension when N = 1.
  plhs[0] = createUninitRealArray3(3, 3, cols);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  quaternionsToMatrices(mxGetPr(q), mxGetPr(plhs[0]), cols);
}
