// Fuzz target for poseglobal on the embedded host. Any call either raises
// the message its checks reach first (in the order of the help text),
// having created nothing, or returns the 3J x N positions, bit for bit
// those computed here from the definition (pose_oracle.h), with the offsets
// one set (3 x J) or a set per frame (3J x N).
#include "fuzz_check.h"
#include "pose_oracle.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

const char* const kNames[4] = {"PARENTS", "OFFSETS", "ROOTPOSITIONS", "LOCALROTATIONS"};
constexpr std::size_t kLimit = std::size_t{1} << 31;

const MessageSet kMessages = {"Not enough input arguments*", "Too many input arguments*", "Too many output arguments*",
                              "PARENTS*", "OFFSETS*", "ROOTPOSITIONS*", "LOCALROTATIONS*"};
const std::string kCall = "[P, G] = poseglobal(PARENTS, OFFSETS, ROOTPOSITIONS, LOCALROTATIONS).";

std::string text(const char* format, std::size_t a, std::size_t b = 0, std::size_t c = 0) {
  char out[256];
  std::snprintf(out, sizeof out, format, a, b, c);
  return out;
}

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() < 4) return raises("Not enough input arguments; the call is " + kCall);
  if (call.inputs.size() > 4) return raises("Too many input arguments; the call is " + kCall);
  if (call.nlhs > 2) return raises("Too many output arguments; the call is " + kCall);
  for (int i = 0; i < 4; ++i) {
    const FuzzArray& a = call.inputs[static_cast<std::size_t>(i)];
    if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(std::string(kNames[i]) + " must be a real, full double array.");
    if (a.sparse) return raises(std::string(kNames[i]) + " must not be sparse; convert it with full().");
    if (a.rows >= kLimit || a.cols >= kLimit) {
      return raises(std::string(kNames[i]) + " is too large: its row and column counts must be below 2^31.");
    }
  }
  const FuzzArray& parents = call.inputs[0];
  const FuzzArray& offsets = call.inputs[1];
  const FuzzArray& root = call.inputs[2];
  const FuzzArray& local = call.inputs[3];
  const std::size_t J = elementCount(parents);
  if (J >= (std::size_t{1} << 29)) return raises("PARENTS has too many joints: 4J rows must stay below 2^31.");
  if (root.rows != 3) return raises("ROOTPOSITIONS must have 3 rows: one (x, y, z) column per frame.");
  const std::size_t N = root.cols;
  if (local.rows != 4 * J || local.cols != N) {
    return raises(text("LOCALROTATIONS must be 4J x N (%zu x %zu): a quaternion per joint and a column per frame.", 4 * J, N));
  }
  const bool constant = offsets.rows == 3 && offsets.cols == J;
  const bool perFrame = offsets.rows == 3 * J && offsets.cols == N;
  if (!constant && !perFrame) {
    return raises(text("OFFSETS must be 3 x J (3 x %zu), the same in every frame, or 3J x N (%zu x %zu), a set per frame.",
                       J, 3 * J, N));
  }
  if (parents.huge || offsets.huge || root.huge || local.huge) return returnsShape(3 * J, N);
  for (std::size_t j = 1; j < J; ++j) {
    const double p = parents.values[j];
    if (!(p >= 1 && p <= static_cast<double>(j) && p == std::floor(p))) {
      return raises(text("PARENTS(%zu) must be a whole number from 1 to %zu, an earlier joint.", j + 1, j));
    }
  }
  return returns(3 * J, N,
                 referencePose(parents.values, offsets.values, constant ? 0 : 3 * J, root.values, local.values, 4 * J,
                               3 * J, N)
                     .positions);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, call.nlhs == 2 ? 2 : 1);
  return 0;
}
