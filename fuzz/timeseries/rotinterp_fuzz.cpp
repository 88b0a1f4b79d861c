// Fuzz target for rotinterp on the embedded host: a call is refused (with
// one of its own messages, having created nothing) exactly when its
// argument counts, classes, sizes, Q's rows, t, ti's shape or method are
// wrong, and otherwise returns a 4J x M result bit for bit what the kernel
// gives on its scalar path (the spline's scratch made and freed within the
// call).
#include "timeseries/rotinterp/interpolate_times.h"
#include "timeseries_oracle.h"

namespace {

using namespace timeseries_oracle;

const MessageSet kMessages = {"rotinterp *", "Not enough input arguments*", "Too many input arguments*", "Too many output arguments*", "Q *", "t *", "ti *", "method *"};

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() < 3 || call.inputs.size() > 4 || call.nlhs > 3) return refuses();
  const FuzzArray& t = call.inputs[0];
  const FuzzArray& q = call.inputs[1];
  const FuzzArray& ti = call.inputs[2];
  if (!usableDouble(t) || !usableDouble(q) || !usableDouble(ti)) return refuses();
  if (q.rows == 0 || q.rows % 4 != 0) return refuses();
  SampleTimes time{};
  if (!readTimes(t, q.cols, time)) return refuses();
  if (ti.rows != 1 || ti.pages != 1) return refuses();
  bool spline = false;
  if (call.inputs.size() == 4) {
    const int word = readWord(call.inputs[3], "slerp", "spline");
    if (word < 0) return refuses();
    spline = word == 1;
  }
  if (anyHuge(call)) return returnsShape(q.rows, ti.cols);
  const auto joints = static_cast<std::uint32_t>(q.rows / 4);
  const auto n = static_cast<std::uint32_t>(q.cols);
  const auto m = static_cast<std::uint32_t>(ti.cols);
  std::vector<double> qi(4 * std::size_t{joints} * m), wi(3 * std::size_t{joints} * m), ai(wi.size());
  std::vector<double> scratch(kSplineRecord * joints * n);
  const InterpolationCall c{q.values.data(), joints, n, time, ti.values.data(), m, qi.data(), wi.data(), ai.data(),
                            spline && n >= 2 ? scratch.data() : nullptr};
  if (spline && n >= 2) {
    for (std::uint32_t j = 0; j < joints; ++j) {
      prepareStepsPaths().paths[0].function(c, j, 0, n - 1);
      solveSplineRates(c, j);
    }
  }
  evaluateQueriesPaths().paths[0].function(c, 0, m);
  return returns(4 * joints, m, qi);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const std::size_t outputs = call.nlhs < 2 ? 1 : static_cast<std::size_t>(call.nlhs);
  // The outputs; a spline's scratch is created and destroyed within the call.
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, outputs);
  return 0;
}
