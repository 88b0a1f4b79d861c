// Fuzz target for rotvel on the embedded host: a call is refused (with one
// of rotvel's own messages, having created nothing) exactly when its
// argument counts, classes, sizes, Q's rows, t or frame are wrong, and
// otherwise returns a 3J x N result bit for bit the scalar path's.
#include "timeseries/rotvel/angular_velocity.h"
#include "timeseries_oracle.h"


namespace {

using namespace timeseries_oracle;

const MessageSet kMessages = {"rotvel *", "Not enough input arguments*", "Too many input arguments*", "Too many output arguments*", "Q *", "t *", "frame *"};

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() < 2 || call.inputs.size() > 3 || call.nlhs > 1) return refuses();
  const FuzzArray& q = call.inputs[0];
  const FuzzArray& t = call.inputs[1];
  if (!usableDouble(q) || !usableDouble(t)) return refuses();
  if (q.rows == 0 || q.rows % 4 != 0) return refuses();
  SampleTimes time{};
  if (!readTimes(t, q.cols, time)) return refuses();
  bool world = false;
  if (call.inputs.size() == 3) {
    const int word = readWord(call.inputs[2], "body", "world");
    if (word < 0) return refuses();
    world = word == 1;
  }
  if (anyHuge(call)) return returnsShape(q.rows / 4 * 3, q.cols);
  const auto joints = static_cast<std::uint32_t>(q.rows / 4);
  const auto count = static_cast<std::uint32_t>(q.cols);
  std::vector<double> w(3 * std::size_t{joints} * count);
  angularVelocityRangePaths().paths[0].function(q.values.data(), joints, count, time, world, 0, count, w.data());
  return returns(3 * joints, count, w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
