// rot2vec: V = rot2vec(Q), the rotation vector (axis times angle, the angle
// in [0, pi]) of every quaternion (scalar first, need not be unit); results
// bit for bit (no fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, then Q (class, counts
// beyond the 32-bit model, rows). A bare call returns into ans.
#include "host/host.h"
#include "conversions/rot2vec/quaternion_to_vector.h"

namespace {
const Signature kRot2vec{"rot2vec", "V = rot2vec(Q)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRot2vec, nrhs, 1, 1, nlhs, 1);
  const mxArray* q = prhs[0];
  requireRealFullDouble(kRot2vec, q, "Q");
  const std::uint32_t count = modelColumns(kRot2vec, q, "Q");
  if (mxGetM(q) != 4) raiseError("rotkit:rot2vec:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");

  plhs[0] = createUninitRealMatrix(3, count);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  quaternionsToVectors(mxGetPr(q), mxGetPr(plhs[0]), count);
}
