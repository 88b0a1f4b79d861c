// rot2eul: [A, locked] = rot2eul(Q, seq), the Euler angles of every
// quaternion (scalar first, Hamilton product, need not be unit) and the
// columns at gimbal lock; results bit for bit (no fused multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, then Q (class, counts
// beyond the 32-bit model, rows), then seq. A bare call returns A into ans;
// `locked` is created only when it is asked for. Nothing is printed.
#include "conversions/read_axis_sequence.h"
#include "host/host.h"
#include "conversions/rot2eul/quaternion_to_euler.h"

namespace {
const Signature kRot2eul{"rot2eul", "[A, locked] = rot2eul(Q, seq)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRot2eul, nrhs, 2, 2, nlhs, 2);
  const mxArray* q = prhs[0];
  requireRealFullDouble(kRot2eul, q, "Q");
  const std::uint32_t count = modelColumns(kRot2eul, q, "Q");
  if (mxGetM(q) != 4) raiseError("rotkit:rot2eul:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  const EulerAxes axes = readAxisSequence(kRot2eul, prhs[1]);

  plhs[0] = createUninitRealMatrix(3, count);
  std::uint8_t* locked = nullptr;
  if (nlhs == 2) {
    plhs[1] = createLogicalRow(count);
    // One byte per element on both hosts (MATLAB's bool, Octave's unsigned char).
    locked = reinterpret_cast<std::uint8_t*>(mxGetLogicals(plhs[1]));
  }
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  quaternionsToEuler(mxGetPr(q), mxGetPr(plhs[0]), locked, count, axes);
}
