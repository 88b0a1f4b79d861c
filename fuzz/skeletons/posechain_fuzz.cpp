// Fuzz target for posechain on the embedded host. Any call either raises
// one of posechain's messages, having created nothing, or returns an R x N
// matrix (R = floor(3M / 4), M the row count of localRotations, N the frame
// count) beside one scratch matrix. For inputs that meet the invariants of
// the joint tree the joint positions are, bit for bit, those computed here
// from the definition; rows from 3J on keep the zero of creation.
#include "fuzz_check.h"
#include "pose_oracle.h"
#include "host/messages.h"

#include <cmath>
#include <cstdint>

namespace {

// The gateway's own messages name counts and joints, so they match by
// their beginnings.
const MessageSet kMessages = {
    "Four inputs required.", "One output required.", "Input Dimension missmatch", ROTKIT_MSG_NOT_DOUBLE,
    ROTKIT_MSG_SPARSE,       ROTKIT_MSG_TOO_LARGE,   "parents*",                  "offsets must*",
    "rootPositions must*",   "localRotations*",
};

std::size_t low32(std::size_t count) { return count & 0xFFFFFFFFu; }

// Joint j's parent number is good when it truncates to 1..j: the parent
// comes before the child.
bool parentsPrecedeChildren(const std::vector<double>& parents, std::size_t joints) {
  for (std::size_t j = 1; j < joints; ++j) {
    if (!(parents[j] >= 1.0 && parents[j] < static_cast<double>(j) + 1.0)) return false;
  }
  return true;
}

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() != 4) return raises("Four inputs required.");
  if (call.nlhs != 1) return raises("One output required.");
  const FuzzArray& parents = call.inputs[0];
  const FuzzArray& offsets = call.inputs[1];
  const FuzzArray& roots = call.inputs[2];
  const FuzzArray& locals = call.inputs[3];
  const std::size_t frames = low32(roots.cols);
  if (frames != low32(locals.cols)) return raises("Input Dimension missmatch");
  // The counts that size the output must fit the model, and 3M 32 bits.
  const std::size_t limit = std::size_t{1} << 31;
  if (roots.cols >= limit || locals.cols >= limit || locals.rows >= limit) return refuses();
  const std::size_t m = locals.rows;
  if (3 * m >= (std::size_t{1} << 32)) return refuses();
  const std::size_t joints = m / 4;
  const std::size_t r = 3 * m / 4;

  // Everything below is left to the gateway when it breaks the invariants
  // of the joint tree.
  bool inModel = true;
  bool huge = false;
  for (const FuzzArray* a : {&parents, &offsets, &roots, &locals}) {
    inModel = inModel && a->classId == mxDOUBLE_CLASS && !a->complex && !a->sparse && a->rows < limit &&
              a->cols < limit;
    huge = huge || a->huge;
  }
  inModel = inModel && elementCount(parents) >= joints && elementCount(offsets) >= 3 * joints && roots.rows == 3;
  inModel = inModel && (frames == 0 || m >= 4);
  if (!inModel) return open(r, frames);
  // Without data the parent numbers are unknown; such a call is only made
  // when it reads nothing.
  if (huge) return returnsShape(r, frames);
  if (!parentsPrecedeChildren(parents.values, joints)) return open(r, frames);
  return returns(r, frames, referencePose(parents.values, offsets.values, 0, roots.values, locals.values, m, r, frames).positions);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 2);
  return 0;
}
