// Fuzz target for rotreverse on the embedded host. Any call either raises
// one of rotreverse's messages, having created nothing, or returns: 0 x 0
// for an empty input of any class, else 4 x N. For inputs of its data model
// each column is the inverse of one group of four doubles, bit for bit, as
// computed here from its definition.
#include "fuzz_check.h"
#include "host/messages.h"

namespace {

const MessageSet kMessages = {
    "One inputs required.", "One outputs required.", "Input must be a real double array.",
    ROTKIT_MSG_TOO_LARGE,   ROTKIT_MSG_SPARSE,       "Q must have at least 4 rows (w, x, y, z).",
};

// Conjugate over squared norm: s = x·x + w·w, then + y·y, then + z·z; four
// divisions, the vector part subtracted from -0.0.
std::vector<double> referenceInverse(const std::vector<double>& q, std::size_t groups) {
  std::vector<double> out;
  for (std::size_t k = 0; k < groups; ++k) {
    const double w = q[4 * k], x = q[4 * k + 1], y = q[4 * k + 2], z = q[4 * k + 3];
    double s = x * x + w * w;
    s = s + y * y;
    s = s + z * z;
    out.push_back(w / s);
    out.push_back(-0.0 - (x / s));
    out.push_back(-0.0 - (y / s));
    out.push_back(-0.0 - (z / s));
  }
  return out;
}

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() != 1) return raises("One inputs required.");
  if (call.nlhs != 1) return raises("One outputs required.");
  const FuzzArray& q = call.inputs[0];
  if (q.rows == 0 || q.cols == 0) return returns(0, 0, {});
  if (q.complex || q.classId != mxDOUBLE_CLASS) return raises("Input must be a real double array.");
  const std::size_t n = q.cols & 0xFFFFFFFFu;
  const std::size_t limit = std::size_t{1} << 31;
  if (q.rows >= limit || q.cols >= limit) return refuses();
  // Left to the gateway: sparse data, and fewer than the 4N elements the
  // groups need.
  if (q.sparse || q.rows < 4) return open(4, n);
  if (q.huge) return returnsShape(4, n);
  return returns(4, n, referenceInverse(q.values, n));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
