// Fuzz target for rotslerp on the embedded host. Every outcome is fixed by
// its contract: each refusal (identifier and message) in its check order, having created nothing,
// or a 4 x N result whose column k is bit for bit rotblend's formula (the
// scalar path of rotblend's own kernel, compiled here) for column k of Q1,
// Q2 and T, a one-column side used for every column.
#include "fuzz_check.h"

#include <algorithm>

#define ROTKIT_LANES_KERNEL "rotations/rotblend/interpolate_rotations_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

const Named kRotslerp{"rotslerp", "Q = rotslerp(Q1, Q2, T)", {"Q1", "Q2", "T"}};

bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

std::vector<double> referenceColumns(const FuzzArray& q1, const FuzzArray& q2, const FuzzArray& t, std::size_t n) {
  std::vector<double> out(4 * n);
  for (std::size_t k = 0; k < n; ++k) {
    const double* a = &q1.values[q1.cols == 1 ? 0 : 4 * k];
    const double* b = &q2.values[q2.cols == 1 ? 0 : 4 * k];
    rotkit::scalar::interpolateRotations(a, b, &t.values[t.cols == 1 ? 0 : k], 1, &out[4 * k]);
  }
  return out;
}

Outcome expectedOutcome(const FuzzCall& call) {
  const std::string& name = kRotslerp.function;
  if (call.inputs.size() < 3) return raises(name, refusal::notEnoughInputs, kRotslerp.call);
  if (call.inputs.size() > 3) return raises(name, refusal::tooManyInputs, kRotslerp.call);
  if (call.nlhs > 1) return raises(name, refusal::tooManyOutputs, kRotslerp.call);
  for (std::size_t p = 0; p < 3; ++p) {
    const FuzzArray& a = call.inputs[p];
    if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(name, refusal::notRealDouble, kRotslerp.inputs[p]);
    if (a.sparse) return raises(name, refusal::sparse, kRotslerp.inputs[p]);
  }
  for (std::size_t p = 0; p < 3; ++p) {
    const FuzzArray& a = call.inputs[p];
    if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(name, refusal::tooLarge, kRotslerp.inputs[p]);
  }
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  const FuzzArray& t = call.inputs[2];
  if (q1.rows != 4) {
    return raises("rotkit:rotslerp:q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (q2.rows != 4) {
    return raises("rotkit:rotslerp:q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column.");
  }
  if (t.rows != 1) {
    return raises("rotkit:rotslerp:tRows", "T must be a row: one parameter per column (a scalar for all of them).");
  }
  std::size_t n = 1;
  for (std::size_t cols : {q1.cols, q2.cols, t.cols}) {
    if (cols == 1) continue;
    if (n != 1 && cols != n) {
      return raises("rotkit:rotslerp:columnMismatch",
                    "Q1, Q2 and T must have the same number of columns, except those with a single column.");
    }
    n = cols;
  }
  if (q1.huge || q2.huge || t.huge) return returnsShape(4, n);
  return returns(4, n, referenceColumns(q1, q2, t, n));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
