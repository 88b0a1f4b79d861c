// Fuzz target for rotapply on the embedded host. Any call raises exactly
// the refusal its checks give, having created nothing, or returns a 3 x N
// real matrix whose bits are the scalar path's turn of each column (the
// kernel's lanes file, compiled here), whatever path the gateway took.
#include "matrix_oracle.h"

#define ROTKIT_LANES_KERNEL "conversions/rotapply/apply_rotation_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

Outcome expectedOutcome(const FuzzCall& call) {
  if (auto refused = commonRefusal(call, {"rotapply", "V2 = rotapply(Q, V)", {"Q", "V"}})) return *refused;
  const FuzzArray& q = call.inputs[0];
  const FuzzArray& v = call.inputs[1];
  if (q.rows != 4) {
    return raises("rotkit:rotapply:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (v.rows != 3) return raises("rotkit:rotapply:vRows", "V must have 3 rows: one vector (x, y, z) per column.");
  if (q.cols != v.cols && q.cols != 1 && v.cols != 1) {
    return raises("rotkit:rotapply:columnMismatch",
                  "Q and V must have the same number of columns, or one of them a single column.");
  }
  const std::size_t n = q.cols == 1 ? v.cols : q.cols;
  if (q.huge || v.huge) return returnsShape(3, n);
  std::vector<double> out(3 * n);
  rotkit::scalar::applyRotations(q.values.data(), static_cast<std::uint32_t>(q.cols), v.values.data(),
                                 static_cast<std::uint32_t>(v.cols), out.data(), static_cast<std::uint32_t>(n));
  return returns(3, n, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
