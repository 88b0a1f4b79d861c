// poseglobal: [P, G] = poseglobal(parents, offsets, rootPositions,
// localRotations), forward kinematics with every joint's global rotation,
// the offsets constant (3 x J) or a set per frame (3J x N). Quaternions
// scalar first, Hamilton product; results bit for bit (no fused
// multiply-add), posechain's for constant offsets.
//
// Every check runs before anything is created, in the order of the help
// text; the first failure ends the call. A bare call returns P into ans.
#include "host/host.h"
#include "skeletons/poseglobal/pose_global.h"

#include <cstdio>

namespace {

const Signature kPoseGlobal{"poseglobal", "[P, G] = poseglobal(PARENTS, OFFSETS, ROOTPOSITIONS, LOCALROTATIONS)"};
const char* const kNames[4] = {"PARENTS", "OFFSETS", "ROOTPOSITIONS", "LOCALROTATIONS"};

[[noreturn]] void refuse(const char* reason, const char* message) { refuse(kPoseGlobal, reason, message); }

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kPoseGlobal, nrhs, 4, 4, nlhs, 2);
  for (int i = 0; i < 4; ++i) {
    requireRealFullDouble(kPoseGlobal, prhs[i], kNames[i]);
    modelColumns(kPoseGlobal, prhs[i], kNames[i]);
  }
  const mxArray* parents = prhs[0];
  const mxArray* offsets = prhs[1];
  const mxArray* rootPositions = prhs[2];
  const mxArray* localRotations = prhs[3];

  const std::size_t joints = mxGetNumberOfElements(parents);
  if (joints >= (std::size_t{1} << 29)) refuse("tooLarge", "PARENTS has too many joints: 4J rows must stay below 2^31.");
  const std::uint32_t J = lowBits32(joints);
  if (mxGetM(rootPositions) != 3) refuse("rootRows", "ROOTPOSITIONS must have 3 rows: one (x, y, z) column per frame.");
  const std::uint32_t N = modelColumns(kPoseGlobal, rootPositions, kNames[2]);
  char text[192];
  if (mxGetM(localRotations) != 4 * std::size_t{J} || modelColumns(kPoseGlobal, localRotations, kNames[3]) != N) {
    std::snprintf(text, sizeof text,
                  "LOCALROTATIONS must be 4J x N (%zu x %u): a quaternion per joint and a column per frame.",
                  4 * std::size_t{J}, N);
    refuse("rotationShape", text);
  }
  const std::size_t offsetRows = mxGetM(offsets);
  const std::uint32_t offsetCols = modelColumns(kPoseGlobal, offsets, kNames[1]);
  const bool constant = offsetRows == 3 && offsetCols == J;
  const bool perFrame = offsetRows == 3 * std::size_t{J} && offsetCols == N;
  if (!constant && !perFrame) {
    std::snprintf(text, sizeof text,
                  "OFFSETS must be 3 x J (3 x %u), the same in every frame, or 3J x N (%zu x %u), a set per frame.", J,
                  3 * std::size_t{J}, N);
    refuse("offsetShape", text);
  }
  const double* parentData = mxGetPr(parents);
  for (std::uint32_t j = 1; j < J; ++j) {
    const double p = parentData[j];
    // Tested on the double itself: a NaN fails every comparison.
    if (!(p >= 1 && p <= j && p == static_cast<double>(static_cast<std::uint32_t>(p)))) {
      std::snprintf(text, sizeof text, "PARENTS(%u) must be a whole number from 1 to %u, an earlier joint.", j + 1, j);
      refuse("parents", text);
    }
  }

  // The kernel writes every position and every global rotation.
  plhs[0] = createUninitRealMatrix(3 * J, N);
  mxArray* global = createUninitRealMatrix(4 * J, N);
  joinWorkersAtExit();  // the kernel may split its frames over worker threads
  poseGlobal(J, parentData, mxGetPr(offsets), !constant, mxGetPr(rootPositions), mxGetPr(localRotations),
             mxGetPr(global), mxGetPr(plhs[0]), N);
  if (nlhs == 2) {
    plhs[1] = global;
  } else {
    mxDestroyArray(global);
  }
}
