// Fuzz target for rotslerp on the embedded host. Every outcome is fixed by
// its contract: each message in its check order, having created nothing,
// or a 4 x N result whose column k is bit for bit rotblend's formula (the
// scalar path of rotblend's own kernel, compiled here) for column k of Q1,
// Q2 and T, a one-column side used for every column.
#include "fuzz_check.h"
#include "host/messages.h"

#include <algorithm>

#define ROTKIT_LANES_KERNEL "rotations/rotblend/interpolate_rotations_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

const char* const kRowsQ1 = "Q1 must have 4 rows: one quaternion (w, x, y, z) per column.";
const char* const kRowsQ2 = "Q2 must have 4 rows: one quaternion (w, x, y, z) per column.";
const char* const kRowT = "T must be a row: one parameter per column (a scalar for all of them).";

const MessageSet kMessages = {
    ROTKIT_MSG_NOT_ENOUGH_INPUTS, ROTKIT_MSG_TOO_MANY_INPUTS, ROTKIT_MSG_TOO_MANY_OUTPUTS, ROTKIT_MSG_NOT_REAL_DOUBLE,
    ROTKIT_MSG_SPARSE,            ROTKIT_MSG_TOO_LARGE,       kRowsQ1,                     kRowsQ2,
    kRowT,                        ROTKIT_MSG_MISMATCH,
};

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
  if (call.inputs.size() < 3) return raises(ROTKIT_MSG_NOT_ENOUGH_INPUTS);
  if (call.inputs.size() > 3) return raises(ROTKIT_MSG_TOO_MANY_INPUTS);
  if (call.nlhs > 1) return raises(ROTKIT_MSG_TOO_MANY_OUTPUTS);
  for (const FuzzArray& a : call.inputs) {
    if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(ROTKIT_MSG_NOT_REAL_DOUBLE);
    if (a.sparse) return raises(ROTKIT_MSG_SPARSE);
  }
  for (const FuzzArray& a : call.inputs) {
    if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(ROTKIT_MSG_TOO_LARGE);
  }
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  const FuzzArray& t = call.inputs[2];
  if (q1.rows != 4) return raises(kRowsQ1);
  if (q2.rows != 4) return raises(kRowsQ2);
  if (t.rows != 1) return raises(kRowT);
  std::size_t n = 1;
  for (std::size_t cols : {q1.cols, q2.cols, t.cols}) {
    if (cols == 1) continue;
    if (n != 1 && cols != n) return raises(ROTKIT_MSG_MISMATCH);
    n = cols;
  }
  if (q1.huge || q2.huge || t.huge) return returnsShape(4, n);
  return returns(4, n, referenceColumns(q1, q2, t, n));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
