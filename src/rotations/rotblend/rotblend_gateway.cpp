// rotblend: q = rotblend(q1, q2, t), the rotations between q1 and q2 (scalar
// first, first four doubles of each) along the shorter arc, one 4 x 1
// column per parameter; N is the column count of t.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created; callers match on the messages. After the
// two count checks come our own refusals of what the kernel cannot read
// safely: data that are not a full block of doubles, end rotations with
// fewer than four elements, and a t with fewer elements than columns.
#include "host/host.h"
#include "rotations/rotblend/interpolate_rotation.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 3) mexErrMsgTxt("Three inputs required.");
  if (nlhs != 1) mexErrMsgTxt("One output required.");

  const mxArray* q1 = prhs[0];
  const mxArray* q2 = prhs[1];
  const mxArray* t = prhs[2];
  // A complex double passes: mxGetPr gives its real parts.
  requireFullDouble(q1);
  requireFullDouble(q2);
  requireFullDouble(t);
  // Both end rotations are read on every call, even when t is empty.
  if (mxGetNumberOfElements(q1) < 4) mexErrMsgTxt("q1 must hold at least four elements (w, x, y, z).");
  if (mxGetNumberOfElements(q2) < 4) mexErrMsgTxt("q2 must hold at least four elements (w, x, y, z).");

  const std::size_t hostCols = mxGetN(t);
  if (!fitsCountModel(hostCols)) mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  const std::uint32_t count = lowBits32(hostCols);
  // Only a t without rows can fall short: it has N columns but no parameters.
  if (mxGetNumberOfElements(t) < count) mexErrMsgTxt("t must hold at least one element per column.");

  plhs[0] = createRealMatrix(4, count);

  const double* q1Data = mxGetPr(q1);
  const double* q2Data = mxGetPr(q2);
  const double* tData = mxGetPr(t);
  double* outData = mxGetPr(plhs[0]);
  // Only the first four doubles of each end rotation are read, once.
  interpolateRotations(q1Data, q2Data, tData, count, outData);
}
