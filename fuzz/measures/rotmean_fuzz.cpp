// Fuzz target for rotmean on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 4J x 1 column beside one scratch matrix:
// per joint NaN in all four rows, or a unit quaternion with w >= 0;
// negating every quaternion changes no bit; a joint with one usable frame
// gets that frame's rotation to 1e-12.
#include "conversion_oracle.h"
#include "identified_oracle.h"

namespace {

using namespace identified_oracle;

const Named kRotmean{"rotmean", "M = rotmean(Q) or rotmean(Q, W)", {"Q", "W"}};

Outcome expectedOutcome(const FuzzCall& call) {
  Outcome o = countChecks(call, kRotmean, 1, 2, 1);
  if (passed(o)) o = classChecks(call, kRotmean, 0);
  if (passed(o)) o = sizeChecks(call, kRotmean, 0);
  if (!passed(o)) return o;
  const FuzzArray& q = call.inputs[0];
  if (q.rows % 4 != 0) {
    return raises("rotkit:rotmean:qRows",
                  "Q must have 4 rows per joint (a multiple of 4): joint j's quaternions (w, x, y, z) in rows 4j-3 "
                  "to 4j, one column per frame.");
  }
  if (call.inputs.size() == 2) {
    const FuzzArray& w = call.inputs[1];
    o = classChecks(call, kRotmean, 1);
    if (passed(o)) o = sizeChecks(call, kRotmean, 1);
    if (!passed(o)) return o;
    // A huge W of the right count holds data a real host would have: the
    // call is skipped.
    if (w.huge && w.rows * w.cols == q.cols && (w.rows == 1 || w.cols == 1)) return returnsShape(q.rows, 1);
    o = weightChecks("rotmean", w, q.cols, "column of Q");
    if (!passed(o)) return o;
  }
  return returnsShape(q.rows, 1);
}

void checkMeans(const FuzzCall& call, const embedded::CallResult& result) {
  const FuzzArray& q = call.inputs[0];
  if (q.huge) return;
  const std::vector<double> m = embedded::values(result.output.get());
  std::vector<double> negated = q.values;
  for (double& v : negated) v = -v;
  auto minus = embedded::makeDouble(q.rows, q.cols, negated);
  std::vector<const mxArray*> inputs{minus.get()};
  if (call.inputs.size() == 2) inputs.push_back(call.inputs[1].array.get());
  const std::vector<double> other = embedded::values(embedded::call(mexFunction, 1, inputs).output.get());
  const std::size_t joints = q.rows / 4;
  for (std::size_t j = 0; j < joints; ++j) {
    const double* r = &m[4 * j];
    for (int i = 0; i < 4; ++i) {
      if (!sameBits(r[i], other[4 * j + i])) reportFinding(call, "joint " + std::to_string(j) + ": -Q differs");
    }
    const bool nan = std::isnan(r[0]);
    for (int i = 1; i < 4; ++i) {
      if (std::isnan(r[i]) != nan) reportFinding(call, "joint " + std::to_string(j) + ": NaN in some rows only");
    }
    if (nan) continue;
    const double n2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2] + r[3] * r[3];
    if (!(std::fabs(n2 - 1) < 1e-14) || std::signbit(r[0])) reportFinding(call, "joint " + std::to_string(j) + ": not unit with w >= 0");
    // One usable frame: its rotation.
    std::size_t usable = 0, last = 0;
    for (std::size_t k = 0; k < q.cols; ++k) {
      const double* c = &q.values[q.rows * k + 4 * j];
      const double w = call.inputs.size() == 2 ? call.inputs[1].values[k] : 1.0;
      if (w > 0 && conversion_oracle::allFinite(c, 4) && (c[0] != 0 || c[1] != 0 || c[2] != 0 || c[3] != 0)) {
        ++usable;
        last = k;
      }
    }
    const double* only = &q.values[q.rows * last + 4 * j];
    if (usable == 1 && conversion_oracle::judgeable(only)) {
      const conversion_oracle::Quaternion mean{r[0], r[1], r[2], r[3]};
      if (!conversion_oracle::sameRotation(only, mean, 1e-12)) reportFinding(call, "joint " + std::to_string(j) + ": not its one frame");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expectedOutcome(call), {}, 2);
  if (!result.raised && result.output != nullptr) checkMeans(call, result);
  return 0;
}
