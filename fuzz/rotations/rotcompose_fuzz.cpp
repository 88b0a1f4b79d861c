// Fuzz target for rotcompose on the embedded host. Any call either raises
// one of rotcompose's messages, having created nothing, or returns a 4 x N
// real matrix; for inputs of its data model the result is the Hamilton
// product, scalar first, bit for bit, as computed here from its definition.
#include "fuzz_check.h"
#include "host/messages.h"

#include <algorithm>

namespace {

const MessageSet kMessages = {
    "Two inputs required.",       "One output required.",     "Input must be a real double array.",
    "Input Dimension missmatch",  "Q1 is empty!",             "Q2 is empty!",
    "Q1 has not 4 Dimensions!",   "Q2 has not 4 Dimensions!", ROTKIT_MSG_TOO_LARGE,
    ROTKIT_MSG_SPARSE,
};

// Column k of the product takes column k of a side with several columns,
// or the one column of a side with one; every sum in its bracketed order.
std::vector<double> referenceProduct(const std::vector<double>& q1, std::size_t n1, const std::vector<double>& q2,
                                     std::size_t n2) {
  const std::size_t n = std::max(n1, n2);
  std::vector<double> out;
  for (std::size_t k = 0; k < n; ++k) {
    const double* a = &q1[n1 == 1 ? 0 : 4 * k];
    const double* b = &q2[n2 == 1 ? 0 : 4 * k];
    out.push_back(((a[0] * b[0] - a[1] * b[1]) - a[2] * b[2]) - a[3] * b[3]);
    out.push_back(((a[0] * b[1] + a[1] * b[0]) + a[2] * b[3]) - a[3] * b[2]);
    out.push_back(((a[0] * b[2] - a[1] * b[3]) + a[2] * b[0]) + a[3] * b[1]);
    out.push_back(((a[0] * b[3] + a[1] * b[2]) - a[2] * b[1]) + a[3] * b[0]);
  }
  return out;
}

bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() != 2) return raises("Two inputs required.");
  if (call.nlhs != 1) return raises("One output required.");
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  for (const FuzzArray* q : {&q1, &q2}) {
    if (q->complex || q->classId != mxDOUBLE_CLASS) return raises("Input must be a real double array.");
  }
  if (!fitsModel(q1.rows) || !fitsModel(q1.cols) || !fitsModel(q2.rows) || !fitsModel(q2.cols)) return refuses();
  const std::size_t n = std::max(q1.cols, q2.cols);
  if (q1.cols != q2.cols && q1.cols != 1 && q2.cols != 1) return raises("Input Dimension missmatch");
  if (q1.cols == 0) return raises("Q1 is empty!");
  if (q2.cols == 0) return raises("Q2 is empty!");
  if (q1.rows != 4) return raises("Q1 has not 4 Dimensions!");
  if (q2.rows != 4) return raises("Q2 has not 4 Dimensions!");
  // Sparse data is not the full block the product reads.
  if (q1.sparse || q2.sparse) return open(4, n);
  if (q1.huge || q2.huge) return returnsShape(4, n);
  return returns(4, n, referenceProduct(q1.values, q1.cols, q2.values, q2.cols));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
