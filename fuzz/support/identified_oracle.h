// What the fuzz targets of the functions with error identifiers (rotfit,
// rotmean, rotdist, poselocal) share: the checks of host/host.h's
// requireArgumentCountsOf and requireRealFullDoubleOf, in their order and
// with their exact texts, and the prefixes of those texts for the message
// sets.
#ifndef ROTKIT_FUZZ_IDENTIFIED_ORACLE_H
#define ROTKIT_FUZZ_IDENTIFIED_ORACLE_H

#include "fuzz_check.h"

#include <string>

namespace identified_oracle {

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// An Open outcome without a shape: every check so far passed.
inline Outcome passing() { return open(0, 0); }
inline bool passed(const Outcome& o) { return o.kind == OutcomeKind::Open && o.rows == 0 && o.cols == 0; }

inline Outcome countChecks(const FuzzCall& call, const std::string& name, int fewest, int most, int outputs) {
  const int nrhs = static_cast<int>(call.inputs.size());
  if (nrhs < fewest) {
    return raises("Too few inputs: " + std::to_string(nrhs) + " given, at least " + std::to_string(fewest) +
                  " needed (see help " + name + ").");
  }
  if (nrhs > most) {
    return raises("Too many inputs: " + std::to_string(nrhs) + " given, at most " + std::to_string(most) +
                  " taken (see help " + name + ").");
  }
  if (call.nlhs > outputs) {
    return raises("Too many outputs: " + std::to_string(call.nlhs) + " requested, at most " +
                  std::to_string(outputs) + " given (see help " + name + ").");
  }
  return passing();
}

inline Outcome arrayChecks(const FuzzArray& a, const std::string& argument) {
  if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(argument + " must be a real double array.");
  if (a.sparse) return raises(argument + " must be a full array; convert it with full().");
  if (!fitsModel(a.rows) || !fitsModel(a.cols)) {
    return raises(argument + " is too large: row and column counts must be below 2^31.");
  }
  return passing();
}

// The messages above, as prefixes, for a target's message set.
inline MessageSet sharedMessages() {
  return {"Too few inputs: *", "Too many inputs: *", "Too many outputs: *", "* must be a real double array.",
          "* is too large*"};
}

// A weight vector's checks (rotfit, rotmean): one weight per point or
// frame, each finite and not negative.
inline Outcome weightChecks(const FuzzArray& w, std::size_t count, const char* counted) {
  if (w.rows * w.cols != count || (w.rows != 1 && w.cols != 1)) {
    return raises("W must be a vector of one weight per " + std::string(counted) + ", " + std::to_string(count) +
                  " of them.");
  }
  for (std::size_t k = 0; k < count && !w.huge; ++k) {
    if (!(w.values[k] >= 0.0 && w.values[k] <= 1.7976931348623157e308)) {
      return raises("W must hold finite weights of 0 or more: W(" + std::to_string(k + 1) + ") is not one.");
    }
  }
  return passing();
}

}  // namespace identified_oracle

#endif
