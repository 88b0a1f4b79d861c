// Fuzz target for rot2eul on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 3 x N real matrix (and, for two outputs, a
// 1 x N logical row). For quaternions of a judgeable length the angles
// lie in their ranges and turn back, through the product of the three turns
// computed here, into the rotation of the quaternion to 1e-12; a locked
// column has its third angle 0.
#include "conversion_oracle.h"

namespace {

using namespace conversion_oracle;

Outcome expectedOutcome(const FuzzCall& call, EulerAxes& axes) {
  const Outcome leading =
      leadingChecks(call, {"rot2eul", "[A, locked] = rot2eul(Q, seq)", {"Q", "seq"}}, 2, 4,
                    raises("rotkit:rot2eul:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."));
  if (!passed(leading)) return leading;
  const Outcome seq = sequenceChecks(call.inputs[1], "rot2eul", axes);
  if (!passed(seq)) return seq;
  Outcome o = returnsShape(3, call.inputs[0].cols);
  o.logicalSecond = true;
  return o;
}

void checkAngles(const FuzzCall& call, const embedded::CallResult& result, const EulerAxes& axes) {
  const FuzzArray& q = call.inputs[0];
  if (q.huge) return;
  const std::vector<double> a = embedded::values(result.output.get());
  std::vector<bool> locked;
  if (call.nlhs == 2) locked = embedded::logicals(result.extraOutputs[0].get());
  const double pi = 3.141592653589793;
  const double middleLow = axes.proper ? 0 : -pi / 2;
  const double middleHigh = axes.proper ? pi : pi / 2;
  for (std::size_t k = 0; k < q.cols; ++k) {
    const double* angles = &a[3 * k];
    if (!locked.empty() && locked[k] && !(angles[2] == 0)) reportFinding(call, "a locked column's third angle is not 0");
    if (!judgeable(&q.values[4 * k])) continue;
    if (!(std::fabs(angles[0]) <= pi && std::fabs(angles[2]) <= pi && angles[1] >= middleLow && angles[1] <= middleHigh)) {
      reportFinding(call, "column " + std::to_string(k) + ": an angle outside its range");
    }
    if (!sameRotation(&q.values[4 * k], eulerReference(angles, axes), 1e-12)) {
      reportFinding(call, "column " + std::to_string(k) + ": the angles give another rotation");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  EulerAxes axes;
  const Outcome expected = expectedOutcome(call, axes);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expected, {}, call.nlhs == 2 ? 2 : 1);
  if (!result.raised && result.output != nullptr) checkAngles(call, result, axes);
  return 0;
}
