// What the fuzz targets of rotfit, rotmean, rotdist and poselocal share:
// the argument counts and the class, storage and size refusals of
// host/host.h (requireArgumentCounts, requireRealFullDouble, modelColumns)
// with their identifiers and texts, the checks of a weight vector, and a
// comparison of bit patterns.
#ifndef ROTKIT_FUZZ_IDENTIFIED_ORACLE_H
#define ROTKIT_FUZZ_IDENTIFIED_ORACLE_H

#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace identified_oracle {

// The same bit pattern; any NaN matches any NaN (payloads are the
// hardware's).
inline bool sameBits(double a, double b) {
  if (std::isnan(a) && std::isnan(b)) return true;
  std::uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// An Open outcome without a shape: every check so far passed.
inline Outcome passing() { return open(0, 0); }
inline bool passed(const Outcome& o) { return o.kind == OutcomeKind::Open && o.rows == 0 && o.cols == 0; }

inline Outcome countChecks(const FuzzCall& call, const Named& f, std::size_t fewest, std::size_t most, int outputs) {
  if (call.inputs.size() < fewest) return raises(f.function, refusal::notEnoughInputs, f.call);
  if (call.inputs.size() > most) return raises(f.function, refusal::tooManyInputs, f.call);
  if (call.nlhs > outputs) return raises(f.function, refusal::tooManyOutputs, f.call);
  return passing();
}

// requireRealFullDouble's refusals of input `index`.
inline Outcome classChecks(const FuzzCall& call, const Named& f, std::size_t index) {
  const FuzzArray& a = call.inputs[index];
  if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(f.function, refusal::notRealDouble, f.inputs[index]);
  if (a.sparse) return raises(f.function, refusal::sparse, f.inputs[index]);
  return passing();
}

// modelColumns's refusal of input `index`.
inline Outcome sizeChecks(const FuzzCall& call, const Named& f, std::size_t index) {
  const FuzzArray& a = call.inputs[index];
  if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(f.function, refusal::tooLarge, f.inputs[index]);
  return passing();
}

// A weight vector's checks (rotfit, rotmean): one weight per point or
// frame, each finite and not negative.
inline Outcome weightChecks(const std::string& function, const FuzzArray& w, std::size_t count, const char* counted) {
  if (w.rows * w.cols != count || (w.rows != 1 && w.cols != 1)) {
    return raises("rotkit:" + function + ":weightCount", "W must be a vector of one weight per " +
                                                             std::string(counted) + ", " + std::to_string(count) +
                                                             " of them.");
  }
  for (std::size_t k = 0; k < count && !w.huge; ++k) {
    if (!(w.values[k] >= 0.0 && w.values[k] <= 1.7976931348623157e308)) {
      return raises("rotkit:" + function + ":weightValues",
                    "W must hold finite weights of 0 or more: W(" + std::to_string(k + 1) + ") is not one.");
    }
  }
  return passing();
}

}  // namespace identified_oracle

#endif
