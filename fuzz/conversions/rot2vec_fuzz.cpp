// Fuzz target for rot2vec on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 3 x N real matrix. For quaternions of
// a judgeable length the vector's angle lies in [0, π] (up to its rounding) and the vector turns
// back, through [cos(t/2); sin(t/2)/t·v] computed here, into the rotation of
// the quaternion to 1e-12; q and −q give the same bits.
#include "conversion_oracle.h"

#include <cstring>

namespace {

using namespace conversion_oracle;

Outcome expectedOutcome(const FuzzCall& call) {
  const Outcome leading =
      leadingChecks(call, {"rot2vec", "V = rot2vec(Q)", {"Q"}}, 1, 4,
                    raises("rotkit:rot2vec:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."));
  if (!passed(leading)) return leading;
  return returnsShape(3, call.inputs[0].cols);
}

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void checkVectors(const FuzzCall& call, const embedded::CallResult& result) {
  const FuzzArray& q = call.inputs[0];
  if (q.huge) return;
  const std::vector<double> v = embedded::values(result.output.get());
  std::vector<double> negated(q.values.size());
  for (std::size_t i = 0; i < negated.size(); ++i) negated[i] = -q.values[i];
  auto minusQ = embedded::makeDouble(4, q.cols, negated);
  const embedded::CallResult other = embedded::call(mexFunction, 1, {minusQ.get()});
  const std::vector<double> w = embedded::values(other.output.get());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (bitsOf(v[i]) != bitsOf(w[i]) && !(std::isnan(v[i]) && std::isnan(w[i]))) reportFinding(call, "q and -q differ");
  }
  for (std::size_t k = 0; k < q.cols; ++k) {
    if (!judgeable(&q.values[4 * k])) continue;
    const double* x = &v[3 * k];
    if (!(std::hypot(std::hypot(x[0], x[1]), x[2]) <= 3.141592653589793 * (1 + 0x1p-50))) {
      reportFinding(call, "column " + std::to_string(k) + ": an angle beyond pi");
    }
    if (!sameRotation(&q.values[4 * k], vectorReference(x), 1e-12)) {
      reportFinding(call, "column " + std::to_string(k) + ": the vector gives another rotation");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  if (!result.raised && result.output != nullptr) checkVectors(call, result);
  return 0;
}
