// Fuzz target for posechain on the embedded host. Any call either raises
// one of posechain's messages, having created nothing, or returns an R x N
// matrix (R = floor(3M / 4), M the row count of localRotations, N the frame
// count) beside one scratch matrix. For inputs that meet the invariants of
// the joint tree the joint positions are, bit for bit, those computed here
// from the definition; rows from 3J on keep the zero of creation.
#include "fuzz_check.h"
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

// Frame by frame: the root copied, then each joint's global rotation P ⊗ L
// in posechain's own summation order, and its position the parent's plus
// its offset turned by that global rotation (v + 2w·(u×v) + 2·(u×(u×v))).
std::vector<double> referencePose(const std::vector<double>& parents, const std::vector<double>& offsets,
                                  const std::vector<double>& roots, const std::vector<double>& locals,
                                  std::size_t m, std::size_t frames) {
  const std::size_t joints = m / 4;
  const std::size_t r = 3 * m / 4;
  std::vector<double> out(r * frames, 0.0);
  std::vector<double> global(m * frames, 0.0);
  for (std::size_t k = 0; k < frames; ++k) {
    const double* local = &locals[m * k];
    double* g = &global[m * k];
    double* pos = &out[r * k];
    for (int i = 0; i < 3; ++i) pos[i] = roots[3 * k + i];
    for (int i = 0; i < 4; ++i) g[i] = local[i];
    for (std::size_t j = 1; j < joints; ++j) {
      const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
      const double pw = g[4 * p], px = g[4 * p + 1], py = g[4 * p + 2], pz = g[4 * p + 3];
      const double lw = local[4 * j], lx = local[4 * j + 1], ly = local[4 * j + 2], lz = local[4 * j + 3];
      const double w = ((pw * lw - px * lx) - py * ly) - pz * lz;
      const double x = ((px * lw + pw * lx) + py * lz) - pz * ly;
      const double y = ((py * lw + pw * ly) + pz * lx) - px * lz;
      const double z = ((pz * lw + pw * lz) + px * ly) - py * lx;
      g[4 * j] = w;
      g[4 * j + 1] = x;
      g[4 * j + 2] = y;
      g[4 * j + 3] = z;
      const double vx = offsets[3 * j], vy = offsets[3 * j + 1], vz = offsets[3 * j + 2];
      const double cx = y * vz - z * vy, cy = z * vx - x * vz, cz = x * vy - y * vx;
      const double dx = y * cz - z * cy, dy = z * cx - x * cz, dz = x * cy - y * cx;
      const double t = w * 2.0;
      pos[3 * j] = ((cx * t + vx) + dx * 2.0) + pos[3 * p];
      pos[3 * j + 1] = ((cy * t + vy) + dy * 2.0) + pos[3 * p + 1];
      pos[3 * j + 2] = ((cz * t + vz) + dz * 2.0) + pos[3 * p + 2];
    }
  }
  return out;
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
  return returns(r, frames, referencePose(parents.values, offsets.values, roots.values, locals.values, m, frames));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 2);
  return 0;
}
