// eul2rot: Q = eul2rot(A, seq), the unit quaternion (scalar first, Hamilton
// product) of every column of Euler angles; results bit for bit (no fused
// multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created: argument counts, then A (class, counts
// beyond the 32-bit model, rows), then seq. A bare call returns into ans.
#include "conversions/eul2rot/euler_to_quaternion.h"
#include "conversions/read_axis_sequence.h"
#include "host/host.h"

namespace {
const Signature kEul2rot{"eul2rot", "Q = eul2rot(A, seq)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kEul2rot, nrhs, 2, 2, nlhs, 1);
  const mxArray* angles = prhs[0];
  requireRealFullDouble(kEul2rot, angles, "A");
  const std::uint32_t count = modelColumns(kEul2rot, angles, "A");
  if (mxGetM(angles) != 3) raiseError("rotkit:eul2rot:aRows", "A must have 3 rows: three angles per column.");
  const EulerAxes axes = readAxisSequence(kEul2rot, prhs[1]);

  plhs[0] = createUninitRealMatrix(4, count);
  joinWorkersAtExit();  // the kernel may split its columns over worker threads
  eulerToQuaternions(mxGetPr(angles), mxGetPr(plhs[0]), count, axes);
}
