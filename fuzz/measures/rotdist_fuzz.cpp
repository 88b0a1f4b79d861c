// Fuzz target for rotdist on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 1 x N row of angles in [0, π] (or NaN);
// swapping the sides or negating one changes no bit; a zero quaternion
// gives NaN; and for quaternions of a judgeable length the angle is that
// of the product formed here in plain double arithmetic, to 1e-7.
#include "conversion_oracle.h"
#include "identified_oracle.h"

namespace {

using namespace identified_oracle;

const Named kRotdist{"rotdist", "D = rotdist(Q1, Q2)", {"Q1", "Q2"}};

Outcome expectedOutcome(const FuzzCall& call) {
  Outcome o = countChecks(call, kRotdist, 2, 2, 1);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = classChecks(call, kRotdist, i);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = sizeChecks(call, kRotdist, i);
  if (!passed(o)) return o;
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  if (q1.rows != 4) return raises("rotkit:rotdist:q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (q2.rows != 4) return raises("rotkit:rotdist:q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column.");
  if (q1.cols != q2.cols && q1.cols != 1 && q2.cols != 1) {
    return raises("rotkit:rotdist:columnMismatch",
                  "Q1 and Q2 must have the same number of columns, or one of them a single column.");
  }
  return returnsShape(1, q1.cols == 1 ? q2.cols : q1.cols);
}

void checkAngles(const FuzzCall& call, const embedded::CallResult& result) {
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  if (q1.huge || q2.huge) return;
  const std::vector<double> d = embedded::values(result.output.get());
  auto again = [&](const std::vector<double>& a, std::size_t na, const std::vector<double>& b, std::size_t nb) {
    auto x = embedded::makeDouble(4, na, a), y = embedded::makeDouble(4, nb, b);
    return embedded::values(embedded::call(mexFunction, 1, {x.get(), y.get()}).output.get());
  };
  std::vector<double> negated = q1.values;
  for (double& v : negated) v = -v;
  const std::vector<double> swapped = again(q2.values, q2.cols, q1.values, q1.cols);
  const std::vector<double> minus = again(negated, q1.cols, q2.values, q2.cols);
  for (std::size_t k = 0; k < d.size(); ++k) {
    if (!sameBits(d[k], swapped[k])) reportFinding(call, "column " + std::to_string(k) + ": the order of the sides matters");
    if (!sameBits(d[k], minus[k])) reportFinding(call, "column " + std::to_string(k) + ": -Q1 differs from Q1");
    if (!(std::isnan(d[k]) || (d[k] >= 0 && d[k] <= 3.141592653589793 * (1 + 0x1p-50)))) {
      reportFinding(call, "column " + std::to_string(k) + ": an angle outside [0, pi]");
    }
    const double* a = &q1.values[q1.cols > 1 ? 4 * k : 0];
    const double* b = &q2.values[q2.cols > 1 ? 4 * k : 0];
    const bool zero = (a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0) || (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == 0);
    if (zero && !std::isnan(d[k])) reportFinding(call, "column " + std::to_string(k) + ": a zero quaternion gave an angle");
    if (!conversion_oracle::judgeable(a) || !conversion_oracle::judgeable(b)) continue;
    const double na = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2] + a[3] * a[3]);
    const double nb = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2] + b[3] * b[3]);
    conversion_oracle::Quaternion u{a[0] / na, -a[1] / na, -a[2] / na, -a[3] / na}, v{b[0] / nb, b[1] / nb, b[2] / nb, b[3] / nb};
    const conversion_oracle::Quaternion r = conversion_oracle::multiply(u, v);
    const double angle = 2 * std::atan2(std::hypot(std::hypot(r[1], r[2]), r[3]), std::fabs(r[0]));
    if (!(std::fabs(d[k] - angle) <= 1e-7)) reportFinding(call, "column " + std::to_string(k) + ": another angle");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  if (!result.raised && result.output != nullptr) checkAngles(call, result);
  return 0;
}
