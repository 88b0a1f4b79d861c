// The shared oracle of the fuzz targets; see fuzz_check.h.
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Any NaN matches any NaN (payloads are the hardware's). With a bound of
// zero the bits must match, signed zeros included; otherwise a finite value
// may lie within the bound of a finite expected value.
bool closeEnough(double actual, double expected, double bound) {
  const bool bothNaN = std::isnan(actual) && std::isnan(expected);
  if (bound == 0) return bothNaN || bitsOf(actual) == bitsOf(expected);
  if (std::isinf(bound)) return true;
  if (std::isnan(actual) || std::isnan(expected)) return bothNaN;
  if (!std::isfinite(actual) || !std::isfinite(expected)) return bitsOf(actual) == bitsOf(expected);
  return std::fabs(actual - expected) <= bound;
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

Outcome raises(const std::string& message) { return raises("", message); }

Outcome raises(const std::string& identifier, const std::string& message) {
  Outcome o;
  o.kind = OutcomeKind::Raises;
  o.message = message;
  o.identifier = identifier;
  return o;
}

Outcome raises(const std::string& function, const SharedRefusal& refusal, const std::string& subject) {
  return raises("rotkit:" + function + ":" + refusal.reason, refusal.before + subject + refusal.after);
}

Outcome returns(std::size_t rows, std::size_t cols, std::vector<double> values, std::vector<double> tolerance) {
  Outcome o;
  o.kind = OutcomeKind::Returns;
  o.rows = rows;
  o.cols = cols;
  o.checkValues = true;
  o.values = std::move(values);
  o.tolerance = std::move(tolerance);
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

Outcome refuses() {
  Outcome o;
  o.kind = OutcomeKind::Refuses;
  return o;
}

void reportFinding(const FuzzCall& call, const std::string& what) {
  std::fprintf(stderr, "\n*** rotkit fuzz finding: %s\n%s\n", what.c_str(), describeCall(call).c_str());
  std::fflush(stderr);
  std::abort();
}

embedded::CallResult callAndCheck(embedded::MexEntry entry, const FuzzCall& call, const Outcome& expected,
                                  const MessageSet& ownMessages, std::size_t created) {
  bool hugeWithData = false;
  for (const FuzzArray& a : call.inputs) hugeWithData = hugeWithData || (a.huge && elementCount(a) > 0);
  const bool mustRaise = expected.kind == OutcomeKind::Raises || expected.kind == OutcomeKind::Refuses;
  if (hugeWithData && !mustRaise) return {};

  embedded::CallResult result = embedded::call(entry, call.nlhs, handlesOf(call));

  if (result.raised) {
    if (result.created != 0) {
      reportFinding(call, std::to_string(result.created) + " matrices created before \"" + result.message + "\"");
    }
    if (expected.kind == OutcomeKind::Returns) reportFinding(call, "raised \"" + result.message + "\", expected a result");
    if (expected.kind == OutcomeKind::Raises &&
        (result.message != expected.message || result.identifier != expected.identifier)) {
      reportFinding(call, "raised \"" + result.message + "\" (" + result.identifier + "), expected \"" +
                              expected.message + "\" (" + expected.identifier + ")");
    }
    if ((expected.kind == OutcomeKind::Open || expected.kind == OutcomeKind::Refuses) &&
        !isOwnMessage(result.message, ownMessages)) {
      reportFinding(call, "raised \"" + result.message + "\", which is none of the function's messages");
    }
    return result;
  }

  if (expected.kind == OutcomeKind::Raises) reportFinding(call, "returned, expected \"" + expected.message + "\"");
  if (expected.kind == OutcomeKind::Refuses) reportFinding(call, "returned for counts beyond the 32-bit model");
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
  if (expected.logicalSecond && call.nlhs >= 2) {
    if (result.extraOutputs.empty() || result.extraOutputs[0] == nullptr) reportFinding(call, "no second output");
    const mxArray* second = result.extraOutputs[0].get();
    if (!mxIsLogical(second) || mxGetM(second) != 1 || mxGetN(second) != expected.cols) {
      reportFinding(call, "second output is not a 1 x " + std::to_string(expected.cols) + " logical row");
    }
  }
  if (!expected.checkValues) return result;
  const std::vector<double> actual = embedded::values(out);
  if (actual.size() != expected.values.size()) reportFinding(call, "output holds the wrong number of elements");
  for (std::size_t i = 0; i < actual.size(); ++i) {
    const double bound = i < expected.tolerance.size() ? expected.tolerance[i] : 0.0;
    if (!closeEnough(actual[i], expected.values[i], bound)) {
      char text[160];
      std::snprintf(text, sizeof text, "element %zu is %.17g (0x%016llx), expected %.17g (0x%016llx)", i, actual[i],
                    static_cast<unsigned long long>(bitsOf(actual[i])), expected.values[i],
                    static_cast<unsigned long long>(bitsOf(expected.values[i])));
      reportFinding(call, text);
    }
  }
  return result;
}
