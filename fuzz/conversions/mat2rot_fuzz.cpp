// Fuzz target for mat2rot on the embedded host. Any call raises exactly
// the refusal its checks give, having created nothing, or returns a 4 x N
// real matrix, N the pages of 3 x 3, whose bits are the scalar path's (the
// kernel's lanes file, compiled here). The decoder's third dimension makes
// 3 x 3 x N inputs.
#include "matrix_oracle.h"

#define ROTKIT_LANES_KERNEL "conversions/mat2rot/matrix_to_quaternion_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

Outcome expectedOutcome(const FuzzCall& call) {
  if (auto refused = commonRefusal(call, {"mat2rot", "Q = mat2rot(R)", {"R"}})) return *refused;
  const FuzzArray& r = call.inputs[0];
  if (r.rows != 3 || r.width != 3) {
    return raises("rotkit:mat2rot:rShape", "R must be 3 x 3 x N: one rotation matrix per page.");
  }
  const std::size_t n = r.cols / 3;
  if (r.huge) return returnsShape(4, n);
  std::vector<double> out(4 * n);
  rotkit::scalar::matricesToQuaternions(r.values.data(), out.data(), static_cast<std::uint32_t>(n));
  return returns(4, n, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
