// Fuzz target for eul2rot on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 4 x N real matrix; and for finite
// angles the quaternion is the product of the three turns, as computed
// here with <cmath>'s sine and cosine, to 1e-14 (NaN where an angle is not
// finite).
#include "conversion_oracle.h"

namespace {

using namespace conversion_oracle;

Outcome expectedOutcome(const FuzzCall& call) {
  const Outcome leading = leadingChecks(call, {"eul2rot", "Q = eul2rot(A, seq)", {"A", "seq"}}, 1, 3,
                                        raises("rotkit:eul2rot:aRows", "A must have 3 rows: three angles per column."));
  if (!passed(leading)) return leading;
  EulerAxes axes;
  const Outcome seq = sequenceChecks(call.inputs[1], "eul2rot", axes);
  if (!passed(seq)) return seq;
  const FuzzArray& a = call.inputs[0];
  if (a.huge) return returnsShape(4, a.cols);
  std::vector<double> values, tolerance;
  for (std::size_t k = 0; k < a.cols; ++k) {
    const double* angles = &a.values[3 * k];
    const bool finite = allFinite(angles, 3);
    const Quaternion r = finite ? eulerReference(angles, axes) : Quaternion{NAN, NAN, NAN, NAN};
    for (double c : r) {
      values.push_back(c);
      tolerance.push_back(finite ? 1e-14 : INFINITY);  // NaN somewhere in the column, see below
    }
  }
  return returns(4, a.cols, values, tolerance);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  if (result.raised || result.output == nullptr || call.inputs.empty()) return 0;
  // A column with an angle that is not finite has a NaN component.
  const FuzzArray& a = call.inputs[0];
  const std::vector<double> q = embedded::values(result.output.get());
  for (std::size_t k = 0; k < a.cols && !a.huge; ++k) {
    if (allFinite(&a.values[3 * k], 3)) continue;
    bool nan = false;
    for (int r = 0; r < 4; ++r) nan = nan || std::isnan(q[4 * k + r]);
    if (!nan) reportFinding(call, "a column with a non-finite angle has no NaN");
  }
  return 0;
}
