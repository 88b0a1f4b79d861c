// Fuzz target for rotnormalize on the embedded host. Any call raises
// exactly the refusal its checks give, having created nothing, or returns
// a 4 x N real matrix whose bits are the scalar path's (the kernel's lanes
// file, compiled here), whatever path the gateway took.
#include "matrix_oracle.h"

#define ROTKIT_LANES_KERNEL "conversions/rotnormalize/normalize_columns_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

Outcome expectedOutcome(const FuzzCall& call) {
  if (auto refused = commonRefusal(call, {"rotnormalize", "Q2 = rotnormalize(Q)", {"Q"}})) return *refused;
  const FuzzArray& q = call.inputs[0];
  if (q.rows != 4) {
    return raises("rotkit:rotnormalize:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (q.huge) return returnsShape(4, q.cols);
  std::vector<double> out(4 * q.cols);
  rotkit::scalar::normalizeColumns(q.values.data(), out.data(), static_cast<std::uint32_t>(q.cols));
  return returns(4, q.cols, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
