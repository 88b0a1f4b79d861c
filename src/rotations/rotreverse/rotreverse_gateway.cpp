// rotreverse: Qinv = rotreverse(Q), the inverse of every quaternion of a
// 4 x N array (scalar first), conjugate divided by squared norm.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created; callers match on the messages. An empty
// input of any class is answered with a 0 x 0 double before the class test.
#include "host/host.h"
#include "rotations/rotreverse/invert_quaternion.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 1) mexErrMsgTxt("One inputs required.");
  if (nlhs != 1) mexErrMsgTxt("One outputs required.");

  const mxArray* q = prhs[0];
  if (mxIsEmpty(q)) {
    plhs[0] = createRealMatrix(0, 0);
    return;
  }
  if (mxIsComplex(q) || !mxIsDouble(q)) mexErrMsgTxt("Input must be a real double array.");

  // The result's size comes from the column count alone; the row count is
  // read only to make sure the data holds the 4N doubles the kernel reads.
  const std::size_t hostCols = mxGetN(q);
  const std::size_t hostRows = mxGetM(q);
  if (!fitsCountModel(hostCols) || !fitsCountModel(hostRows)) mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  if (mxIsSparse(q)) mexErrMsgTxt(ROTKIT_MSG_SPARSE);
  if (hostRows < 4) mexErrMsgTxt("Q must have at least 4 rows (w, x, y, z).");
  const std::uint32_t cols = lowBits32(hostCols);

  plhs[0] = createRealMatrix(4, cols);
  const double* in = mxGetPr(q);
  double* out = mxGetPr(plhs[0]);
  invertColumns(in, out, cols);
}
