// mat2rot: Q = mat2rot(R), the unit quaternions (scalar first, w >= 0) of
// the 3 x 3 rotation matrices of a 3 x 3 x N array, the inverse of rot2mat.
// Bit for bit, no fused multiply-add.
//
// Every check runs before anything is created, in the order of the help
// text; the first failure ends the call. A bare call returns into ans.
#include "host/host.h"
#include "conversions/mat2rot/matrix_to_quaternion.h"

namespace {
const Signature kMat2rot{"mat2rot", "Q = mat2rot(R)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kMat2rot, nrhs, 1, 1, nlhs, 1);
  const mxArray* r = prhs[0];
  requireRealFullDouble(kMat2rot, r, "R");
  // 3N: the host counts every dimension after the first as columns, so
  // dimensions after the third count as pages.
  const std::uint32_t cols = modelColumns(kMat2rot, r, "R");
  if (mxGetM(r) != 3 || mxGetDimensions(r)[1] != 3) {
    raiseError("rotkit:mat2rot:rShape", "R must be 3 x 3 x N: one rotation matrix per page.");
  }
  const std::uint32_t pages = cols / 3;

  plhs[0] = createUninitRealMatrix(4, pages);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  matricesToQuaternions(mxGetPr(r), mxGetPr(plhs[0]), pages);
}
