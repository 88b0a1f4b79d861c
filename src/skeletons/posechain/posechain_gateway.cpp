// posechain: jointPositions = posechain(parents, offsets, rootPositions,
// localRotations), forward kinematics of a joint tree over many frames.
// Quaternions scalar first; results bit for bit (no fused multiply-add).
//
// The input count, output count and frame-count match come first, in that
// order. Then come the refusals of inputs the kernel could not read safely
// (counts beyond the 32-bit model, and, once there is a frame to evaluate,
// classes, shapes and parent numbers); every check ends the call before
// any matrix is created, and callers match on the messages.
#include "host/host.h"
#include "skeletons/posechain/evaluate_pose.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// rows x cols of an input whose two counts must fit the data model.
std::size_t modelElementCount(const mxArray* a) {
  const std::size_t rows = mxGetM(a);
  const std::size_t cols = mxGetN(a);
  if (!fitsCountModel(rows) || !fitsCountModel(cols)) mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  return rows * cols;
}

// Shape checks for the skeleton inputs, which are read by linear index.
void refuseShortSkeleton(std::size_t parentCount, std::size_t offsetCount, std::uint32_t joints) {
  char text[128];
  if (parentCount < joints) {
    std::snprintf(text, sizeof text, "parents must have one element per joint, at least %u.", joints);
    mexErrMsgTxt(text);
  }
  if (offsetCount < 3 * std::size_t{joints}) {
    std::snprintf(text, sizeof text, "offsets must have 3 elements per joint, at least %zu (3 x %u).",
                  3 * std::size_t{joints}, joints);
    mexErrMsgTxt(text);
  }
}

// Every joint's parent must come before it, so that the kernel only reads
// rotations and positions it has already computed in the frame. The range
// is tested on the double itself: converting a NaN or out-of-range double
// to an integer is undefined. A NaN fails both comparisons.
void refuseBadParents(const double* parents, std::uint32_t joints) {
  for (std::uint32_t j = 1; j < joints; ++j) {
    const double number = parents[j];
    if (!(number >= 1.0 && number < static_cast<double>(j) + 1.0)) {
      char text[96];
      std::snprintf(text, sizeof text, "parents(%u) must name an earlier joint (1 to %u).", j + 1, j);
      mexErrMsgTxt(text);
    }
  }
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 4) mexErrMsgTxt("Four inputs required.");
  if (nlhs != 1) mexErrMsgTxt("One output required.");

  const mxArray* parents = prhs[0];
  const mxArray* offsets = prhs[1];
  const mxArray* rootPositions = prhs[2];
  const mxArray* localRotations = prhs[3];

  const std::size_t hostFrames = mxGetN(rootPositions);
  const std::size_t hostRotationFrames = mxGetN(localRotations);
  const std::size_t hostRotationRows = mxGetM(localRotations);
  const std::uint32_t frames = lowBits32(hostFrames);
  const std::uint32_t rotationRows = lowBits32(hostRotationRows);
  if (frames != lowBits32(hostRotationFrames)) mexErrMsgTxt("Input Dimension missmatch");

  if (!fitsCountModel(hostFrames) || !fitsCountModel(hostRotationFrames) || !fitsCountModel(hostRotationRows)) {
    mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  }
  // The output has floor(3M / 4) rows; 3M itself must not wrap in 32 bits.
  if (3 * std::uint64_t{rotationRows} >= (std::uint64_t{1} << 32)) {
    mexErrMsgTxt("localRotations has too many rows: 3 times its row count must be below 2^32.");
  }
  const std::uint32_t joints = rotationRows >> 2;
  const std::uint32_t outputRows = (3 * rotationRows) >> 2;

  // With no frame nothing is read, so only a frame to evaluate needs
  // readable data of the right shape.
  if (frames != 0) {
    requireFullDouble(parents);
    requireFullDouble(offsets);
    requireFullDouble(rootPositions);
    requireFullDouble(localRotations);
    const std::size_t parentCount = modelElementCount(parents);
    const std::size_t offsetCount = modelElementCount(offsets);
    const std::size_t rootRows = mxGetM(rootPositions);
    if (!fitsCountModel(rootRows)) mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
    if (rootRows != 3) mexErrMsgTxt("rootPositions must have 3 rows: one (x, y, z) column per frame.");
    if (rotationRows < 4) {
      mexErrMsgTxt("localRotations must have at least 4 rows: one (w, x, y, z) quaternion per joint, root first.");
    }
    refuseShortSkeleton(parentCount, offsetCount, joints);
    refuseBadParents(mxGetPr(parents), joints);
  }

  plhs[0] = createRealMatrix(outputRows, frames);
  mxArray* globalRotations = createRealMatrix(rotationRows, frames);
  if (frames == 0) return;

  double* globalData = mxGetPr(globalRotations);
  const double* offsetData = mxGetPr(offsets);
  const double* parentData = mxGetPr(parents);
  const double* rootData = mxGetPr(rootPositions);
  const double* localData = mxGetPr(localRotations);
  double* jointData = mxGetPr(plhs[0]);
  // Frame by frame, as evaluatePose evaluates one (several at once where
  // the processor has vector registers; the bits are the same).
  evaluatePoses(joints, parentData, offsetData, rootData, localData, rotationRows, globalData, jointData, outputRows,
                frames);
}
