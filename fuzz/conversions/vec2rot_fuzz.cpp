// Fuzz target for vec2rot on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 4 x N real matrix. For finite vectors
// the quaternion is [cos(t/2); sin(t/2)/t·v], computed here with <cmath>,
// to 1e-14 (more for long vectors, whose angle t itself rounds), exactly
// [1; 0; 0; 0] for v = 0, NaN for vectors that are not finite.
#include <cfloat>
#include <cmath>

#include "conversion_oracle.h"

namespace {

using namespace conversion_oracle;

Outcome expectedOutcome(const FuzzCall& call) {
  const Outcome leading =
      leadingChecks(call, {"vec2rot", "Q = vec2rot(V)", {"V"}}, 1, 3,
                    raises("rotkit:vec2rot:vRows", "V must have 3 rows: one rotation vector (x, y, z) per column."));
  if (!passed(leading)) return leading;
  const FuzzArray& v = call.inputs[0];
  if (v.huge) return returnsShape(4, v.cols);
  std::vector<double> values, tolerance;
  for (std::size_t k = 0; k < v.cols; ++k) {
    const double* x = &v.values[3 * k];
    const double angle = std::hypot(std::hypot(x[0], x[1]), x[2]);
    const bool zero = x[0] == 0 && x[1] == 0 && x[2] == 0;
    const bool finiteInput = allFinite(x, 3);
    const bool finite = finiteInput && std::isfinite(angle);
    // A finite vector whose length lies within rounding of the largest
    // double may come out with a finite angle or with an overflow (NaN):
    // the kernel sums scaled squares, hypot rounds once. Its angle carries
    // no digits there anyway, so any outcome is accepted.
    const double halfLength = std::hypot(std::hypot(x[0] / 2, x[1] / 2), x[2] / 2);
    const bool atOverflow = finiteInput && !finite && halfLength <= DBL_MAX / 2 * (1 + 0x1p-48);
    const Quaternion r = zero ? Quaternion{1, x[0] / 2, x[1] / 2, x[2] / 2}
                              : finite ? vectorReference(x) : Quaternion{NAN, NAN, NAN, NAN};
    for (double c : r) {
      values.push_back(c);
      // Exact for v = 0; NaN for v not finite; else the angle's rounding.
      tolerance.push_back(zero ? 0.0 : atOverflow ? INFINITY : finite ? 1e-14 * (1 + angle) : 0.0);
    }
  }
  return returns(4, v.cols, values, tolerance);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
