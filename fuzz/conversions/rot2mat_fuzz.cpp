// Fuzz target for rot2mat on the embedded host. Any call raises exactly
// the refusal its checks give, having created nothing, or returns one
// 3 x 3 page per quaternion (3 x 3N to mxGetM and mxGetN) whose bits are
// the scalar path's (the kernel's lanes file, compiled here).
#include "matrix_oracle.h"

#define ROTKIT_LANES_KERNEL "conversions/rot2mat/quaternion_to_matrix_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

Outcome expectedOutcome(const FuzzCall& call) {
  if (auto refused = commonRefusal(call, {"rot2mat", "R = rot2mat(Q)", {"Q"}})) return *refused;
  const FuzzArray& q = call.inputs[0];
  if (q.rows != 4) return raises("rotkit:rot2mat:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (q.huge) return returnsShape(3, 3 * q.cols);
  std::vector<double> out(9 * q.cols);
  rotkit::scalar::quaternionsToMatrices(q.values.data(), out.data(), static_cast<std::uint32_t>(q.cols));
  return returns(3, 3 * q.cols, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
