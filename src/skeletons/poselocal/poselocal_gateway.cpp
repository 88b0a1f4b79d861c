// poselocal: L = poselocal(parents, G), the local rotations of a joint tree
// from its global rotations, frame by frame: the inverse of posechain's
// chaining. Quaternions scalar first; results bit for bit (no fused
// multiply-add).
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created, with an identifier rotkit:poselocal:<reason>:
// argument counts, then parents and G (class and storage, then counts),
// G's rows, then the parent numbers. A bare call returns into ans.
#include "host/host.h"
#include "skeletons/poselocal/local_rotations.h"

#include <cstdint>
#include <cstdio>

namespace {

const Signature kPoselocal{"poselocal", "L = poselocal(parents, G)"};

// Every joint's parent must come before it, so that the tree is the one
// posechain chains. The range is tested on the double itself: converting a
// NaN or out-of-range double to an integer is undefined. A NaN fails both
// comparisons.
void refuseBadParents(const double* parents, std::uint32_t joints) {
  for (std::uint32_t j = 1; j < joints; ++j) {
    const double number = parents[j];
    if (!(number >= 1.0 && number < static_cast<double>(j) + 1.0)) {
      char text[128];
      std::snprintf(text, sizeof text, "parents(%u) must name an earlier joint, a number from 1 to %u.", j + 1, j);
      refuse(kPoselocal, "parentOrder", text);
    }
  }
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kPoselocal, nrhs, 2, 2, nlhs, 1);
  const mxArray* parents = prhs[0];
  const mxArray* global = prhs[1];
  requireRealFullDouble(kPoselocal, parents, "parents");
  requireRealFullDouble(kPoselocal, global, "G");
  modelColumns(kPoselocal, parents, "parents");
  const std::uint32_t frames = modelColumns(kPoselocal, global, "G");

  // One parent number per joint; 4J must fit the model too.
  const std::size_t joints = mxGetM(parents) * mxGetN(parents);
  if (joints >= (std::size_t{1} << 29)) {
    refuse(kPoselocal, "tooLarge", "parents is too large: 4 times its element count must be below 2^31.");
  }
  const std::uint32_t jointCount = static_cast<std::uint32_t>(joints);
  if (mxGetM(global) != 4 * joints) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "G must have 4 rows per joint, 4*numel(parents) = %zu: joint j's quaternion in rows 4j-3 to 4j.",
                  4 * joints);
    refuse(kPoselocal, "gRows", text);
  }
  refuseBadParents(mxGetPr(parents), jointCount);

  plhs[0] = createRealMatrix(4 * jointCount, frames);
  joinWorkersAtExit();  // the kernel may split its frames over worker threads
  localRotations(jointCount, mxGetPr(parents), mxGetPr(global), mxGetPr(plhs[0]), frames);
}
