// What the time-series fuzz targets share: which inputs their gateways
// must refuse (with any of the function's own messages) and which they
// must take, and the arguments read the way a gateway reads them. Where a
// call must succeed, each target computes the result on its kernel's
// scalar path and asks for the same bits.
#ifndef ROTKIT_FUZZ_TIMESERIES_ORACLE_H
#define ROTKIT_FUZZ_TIMESERIES_ORACLE_H

#include "fuzz_check.h"
#include "timeseries/sample_times.h"

#include <cmath>
#include <string>

namespace timeseries_oracle {

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// A real, full double within the 32-bit model.
inline bool usableDouble(const FuzzArray& a) {
  return a.classId == mxDOUBLE_CLASS && !a.complex && !a.sparse && fitsModel(a.rows) && fitsModel(a.cols);
}

// The time argument for `count` samples, as the gateways take it; false
// when it must be refused.
inline bool readTimes(const FuzzArray& t, std::size_t count, SampleTimes& time) {
  if (t.huge) return t.rows == 1 && t.cols == count;  // no data to read: the shape alone
  if (t.rows == 1 && t.cols == 1) {
    const double h = t.values[0];
    time = SampleTimes{nullptr, h};
    return h > 0 && std::isfinite(h) && std::isfinite(static_cast<double>(count == 0 ? 0 : count - 1) * h);
  }
  if (t.rows != 1 || t.cols != count || t.pages != 1) return false;
  for (std::size_t k = 0; k < count; ++k) {
    if (!std::isfinite(t.values[k])) return false;
    if (k > 0 && !(t.values[k] > t.values[k - 1] && std::isfinite(t.values[k] - t.values[k - 1]))) return false;
  }
  time = SampleTimes{t.values.data(), 0.0};
  return true;
}

// A word argument: 0 or 1 for the two words, −1 for anything else.
inline int readWord(const FuzzArray& a, const char* first, const char* second) {
  if (a.classId != mxCHAR_CLASS || a.rows != 1 || a.pages != 1) return -1;
  if (a.text == first) return 0;
  if (a.text == second) return 1;
  return -1;
}

// True when a huge input (counts within the model but no data) reached the
// kernel: the call may rightly read what a real host would hold, and the
// check skips it (callAndCheck).
inline bool anyHuge(const FuzzCall& call) {
  for (const FuzzArray& a : call.inputs) {
    if (a.huge) return true;
  }
  return false;
}

}  // namespace timeseries_oracle

#endif
