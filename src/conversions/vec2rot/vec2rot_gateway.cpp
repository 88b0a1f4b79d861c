// vec2rot: Q = vec2rot(V), the unit quaternion (scalar first, Hamilton
// product) of every rotation vector (axis times angle); results bit for bit
// (no fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, then V (class, counts
// beyond the 32-bit model, rows). A bare call returns into ans.
#include "host/host.h"
#include "conversions/vec2rot/vector_to_quaternion.h"

namespace {
const Signature kVec2rot{"vec2rot", "Q = vec2rot(V)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kVec2rot, nrhs, 1, 1, nlhs, 1);
  const mxArray* v = prhs[0];
  requireRealFullDouble(kVec2rot, v, "V");
  const std::uint32_t count = modelColumns(kVec2rot, v, "V");
  if (mxGetM(v) != 3) {
    raiseError("rotkit:vec2rot:vRows", "V must have 3 rows: one rotation vector (x, y, z) per column.");
  }

  plhs[0] = createUninitRealMatrix(4, count);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  vectorsToQuaternions(mxGetPr(v), mxGetPr(plhs[0]), count);
}
