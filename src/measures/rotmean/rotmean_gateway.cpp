// rotmean: M = rotmean(Q) or rotmean(Q, W), the weighted chordal L2 mean
// rotation of each joint's rows of Q (4J x N, scalar first) over its
// columns; results bit for bit (no fused multiply-add), the same for any
// vector path and thread count.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created, with an identifier rotkit:rotmean:<reason>:
// argument counts, Q (class, storage, counts, rows), then W (class,
// storage, counts, element count, values). A bare call returns into ans.
#include "host/host.h"
#include "measures/rotmean/mean_rotation.h"
#include "measures/weight_refusals.h"

namespace {
const Signature kRotmean{"rotmean", "M = rotmean(Q) or rotmean(Q, W)"};
} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRotmean, nrhs, 1, 2, nlhs, 1);
  const mxArray* q = prhs[0];
  requireRealFullDouble(kRotmean, q, "Q");
  const std::uint32_t frames = modelColumns(kRotmean, q, "Q");
  const std::size_t rows = mxGetM(q);
  if (rows % 4 != 0) {
    refuse(kRotmean, "qRows",
           "Q must have 4 rows per joint (a multiple of 4): joint j's quaternions (w, x, y, z) in rows "
           "4j-3 to 4j, one column per frame.");
  }
  const std::uint32_t jointCount = static_cast<std::uint32_t>(rows / 4);
  const double* weights = nrhs == 2 ? requireWeights(kRotmean, prhs[1], frames, "column of Q") : nullptr;
  const std::size_t scratch = meanRotationsScratch(jointCount, frames);
  if (scratch / 20 >= (std::size_t{1} << 31)) {
    refuse(kRotmean, "tooLarge", "Q is too large: its joints times its frames must be below 2^44.");
  }

  plhs[0] = createRealMatrix(4 * jointCount, 1);
  // Scratch for the sums of chunks of frames; the host frees it after the call.
  mxArray* sums = createRealMatrix(20, static_cast<std::uint32_t>(scratch / 20));
  joinWorkersAtExit();  // the kernel may split its work over worker threads
  meanRotations(mxGetPr(q), jointCount, frames, weights, mxGetPr(plhs[0]), mxGetPr(sums));
}
