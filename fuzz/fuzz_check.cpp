// The shared oracle of the fuzz targets; see fuzz_check.h.
#include "fuzz_check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Distance in ulps between two finite doubles, -0 and +0 one apart.
std::uint64_t ulpDistance(double a, double b) {
  auto ordered = [](double v) {
    const std::int64_t bits = static_cast<std::int64_t>(bitsOf(v));
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
  };
  const std::int64_t ia = ordered(a);
  const std::int64_t ib = ordered(b);
  return ia > ib ? static_cast<std::uint64_t>(ia) - static_cast<std::uint64_t>(ib)
                 : static_cast<std::uint64_t>(ib) - static_cast<std::uint64_t>(ia);
}

// Any NaN matches any NaN (payloads are the hardware's); a non-finite value
// must match exactly; finite values within `ulps`.
bool closeEnough(double actual, double expected, std::uint64_t ulps) {
  if (std::isnan(actual) || std::isnan(expected)) return std::isnan(actual) && std::isnan(expected);
  if (!std::isfinite(actual) || !std::isfinite(expected) || ulps == 0) return bitsOf(actual) == bitsOf(expected);
  return ulpDistance(actual, expected) <= ulps;
}

bool isOwnMessage(const std::string& message, const MessageSet& ownMessages) {
  for (const std::string& own : ownMessages) {
    if (!own.empty() && own.back() == '*') {
      if (message.compare(0, own.size() - 1, own, 0, own.size() - 1) == 0) return true;
    } else if (message == own) {
      return true;
    }
  }
  return false;
}

std::string shapeText(std::size_t rows, std::size_t cols) {
  return std::to_string(rows) + " x " + std::to_string(cols);
}

} // namespace

Outcome raises(const std::string& message) {
  Outcome o;
  o.kind = OutcomeKind::Raises;
  o.message = message;
  return o;
}

Outcome returns(std::size_t rows, std::size_t cols, std::vector<double> values, std::uint64_t ulps) {
  Outcome o;
  o.kind = OutcomeKind::Returns;
  o.rows = rows;
  o.cols = cols;
  o.checkValues = true;
  o.values = std::move(values);
  o.ulps = ulps;
  return o;
}

Outcome returnsShape(std::size_t rows, std::size_t cols) {
  Outcome o;
  o.kind = OutcomeKind::Returns;
  o.rows = rows;
  o.cols = cols;
  return o;
}

Outcome open(std::size_t rows, std::size_t cols) {
  Outcome o;
  o.kind = OutcomeKind::Open;
  o.rows = rows;
  o.cols = cols;
  return o;
}

void reportFinding(const FuzzCall& call, const std::string& what) {
  std::fprintf(stderr, "\n*** rotkit fuzz finding: %s\n%s\n", what.c_str(), describeCall(call).c_str());
  std::fflush(stderr);
  std::abort();
}

void callAndCheck(embedded::MexEntry entry, const FuzzCall& call, const Outcome& expected,
                  const MessageSet& ownMessages, std::size_t created) {
  bool hugeWithData = false;
  for (const FuzzArray& a : call.inputs) hugeWithData = hugeWithData || (a.huge && elementCount(a) > 0);
  if (hugeWithData && expected.kind == OutcomeKind::Returns) return;

  const embedded::CallResult result = embedded::call(entry, call.nlhs, handlesOf(call));

  if (result.raised) {
    if (result.created != 0) {
      reportFinding(call, std::to_string(result.created) + " matrices created before \"" + result.message + "\"");
    }
    if (expected.kind == OutcomeKind::Returns) reportFinding(call, "raised \"" + result.message + "\", expected a result");
    if (expected.kind == OutcomeKind::Raises && result.message != expected.message) {
      reportFinding(call, "raised \"" + result.message + "\", expected \"" + expected.message + "\"");
    }
    if (expected.kind == OutcomeKind::Open && !isOwnMessage(result.message, ownMessages)) {
      reportFinding(call, "raised \"" + result.message + "\", which is none of the function's messages");
    }
    return;
  }

  if (expected.kind == OutcomeKind::Raises) reportFinding(call, "returned, expected \"" + expected.message + "\"");
  const mxArray* out = result.output.get();
  if (out == nullptr) reportFinding(call, "returned without an output in plhs[0]");
  if (result.created != created) {
    reportFinding(call, "created " + std::to_string(result.created) + " matrices, expected " + std::to_string(created));
  }
  if (!mxIsDouble(out) || mxIsComplex(out) || mxIsSparse(out)) reportFinding(call, "output is not a real full double");
  if (mxGetM(out) != expected.rows || mxGetN(out) != expected.cols) {
    reportFinding(call, "output is " + shapeText(mxGetM(out), mxGetN(out)) + ", expected " +
                            shapeText(expected.rows, expected.cols));
  }
  if (!expected.checkValues) return;
  const std::vector<double> actual = embedded::values(out);
  if (actual.size() != expected.values.size()) reportFinding(call, "output holds the wrong number of elements");
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (!closeEnough(actual[i], expected.values[i], expected.ulps)) {
      char text[160];
      std::snprintf(text, sizeof text, "element %zu is %.17g (0x%016llx), expected %.17g (0x%016llx)", i, actual[i],
                    static_cast<unsigned long long>(bitsOf(actual[i])), expected.values[i],
                    static_cast<unsigned long long>(bitsOf(expected.values[i])));
      reportFinding(call, text);
    }
  }
}
