// Fuzz target for rotunwrap on the embedded host: a call is refused (with
// one of its own messages, having created nothing) exactly when its
// argument counts, class, size or rows are wrong, and otherwise returns Q
// with each column's sign that the scalar path gives, bit for bit.
#include "timeseries/rotunwrap/unwrap_signs.h"
#include "timeseries_oracle.h"

namespace {

using namespace timeseries_oracle;

const MessageSet kMessages = {"rotunwrap *", "Not enough input arguments*", "Too many input arguments*", "Too many output arguments*", "Q *"};

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() != 1 || call.nlhs > 1) return refuses();
  const FuzzArray& q = call.inputs[0];
  if (!usableDouble(q) || q.rows == 0 || q.rows % 4 != 0) return refuses();
  if (anyHuge(call)) return returnsShape(q.rows, q.cols);
  const auto joints = static_cast<std::uint32_t>(q.rows / 4);
  const auto count = static_cast<std::uint32_t>(q.cols);
  std::vector<double> out(q.values.size());
  unwrapColumnsPaths().paths[0].function(q.values.data(), joints, 0, count, out.data());
  return returns(q.rows, count, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
