// rotcompose: Qout = rotcompose(Q1, Q2), the Hamilton product of two 4 x N
// quaternion arrays column by column, Q1 always the left factor.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created; callers match on the messages.
#include "host/host.h"
#include "rotations/rotcompose/compose_columns.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 2) mexErrMsgTxt("Two inputs required.");
  if (nlhs != 1) mexErrMsgTxt("One output required.");

  const mxArray* q1 = prhs[0];
  const mxArray* q2 = prhs[1];
  if (mxIsComplex(q1) || !mxIsDouble(q1) || mxIsComplex(q2) || !mxIsDouble(q2)) {
    mexErrMsgTxt("Input must be a real double array.");
  }

  // All four counts are read before the first size test.
  const std::size_t hostCols1 = mxGetN(q1);
  const std::size_t hostCols2 = mxGetN(q2);
  const std::size_t hostRows1 = mxGetM(q1);
  const std::size_t hostRows2 = mxGetM(q2);
  if (!fitsCountModel(hostCols1) || !fitsCountModel(hostCols2) || !fitsCountModel(hostRows1) ||
      !fitsCountModel(hostRows2)) {
    mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  }
  const std::uint32_t cols1 = lowBits32(hostCols1);
  const std::uint32_t cols2 = lowBits32(hostCols2);
  const std::uint32_t rows1 = lowBits32(hostRows1);
  const std::uint32_t rows2 = lowBits32(hostRows2);

  if (cols1 != cols2 && cols1 != 1 && cols2 != 1) mexErrMsgTxt("Input Dimension missmatch");
  if (cols1 == 0) mexErrMsgTxt("Q1 is empty!");
  if (cols2 == 0) mexErrMsgTxt("Q2 is empty!");
  if (rows1 != 4) mexErrMsgTxt("Q1 has not 4 Dimensions!");
  if (rows2 != 4) mexErrMsgTxt("Q2 has not 4 Dimensions!");
  if (mxIsSparse(q1) || mxIsSparse(q2)) mexErrMsgTxt(ROTKIT_MSG_SPARSE);

  const std::uint32_t cols = cols1 > cols2 ? cols1 : cols2;
  plhs[0] = createRealMatrix(4, cols);

  const double* q1Data = mxGetPr(q1);
  const double* q2Data = mxGetPr(q2);
  double* outData = mxGetPr(plhs[0]);
  composeColumns(q1Data, cols1, q2Data, cols2, outData, cols);
}
