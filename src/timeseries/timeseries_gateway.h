// What the gateways of the time-series functions (rotvel, rotintegrate,
// rotinterp, rotunwrap) check in common, each failure an error with the
// identifier rotkit:<function>:<reason> (host/host.h's raiseError) and a
// message naming the argument. Gateways only: everything here may raise.
#ifndef ROTKIT_TIMESERIES_TIMESERIES_GATEWAY_H
#define ROTKIT_TIMESERIES_TIMESERIES_GATEWAY_H

#include "host/host.h"
#include "timeseries/sample_times.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace timeseries_gateway {

// Raises rotkit:<function>:<reason> with `message`.
[[noreturn]] inline void fail(const char* function, const char* reason, const char* message) {
  char identifier[96];
  std::snprintf(identifier, sizeof identifier, "rotkit:%s:%s", function, reason);
  raiseError(identifier, message);
}

// How a function is called, for its argument-count errors.
struct CallForm {
  const char* function;
  int minInputs;
  int maxInputs;
  int maxOutputs;
  const char* usage;  // "W = rotvel(Q, t) or rotvel(Q, t, frame)"
};

// Argument counts first, with the refusals every function beyond the
// original four shares (host/host.h); a bare call (nlhs = 0) returns into ans.
inline void requireCounts(const CallForm& form, int nrhs, int nlhs) {
  requireArgumentCounts(Signature{form.function, form.usage}, nrhs, form.minInputs, form.maxInputs, nlhs,
                        form.maxOutputs);
}

// The class before anything touches the data (Octave aborts on mxGetPr of
// a function handle): a real, full double array, else the shared refusals
// rotkit:<function>:notRealDouble or :sparse about `name`.
inline void requireRealDouble(const char* function, const char* name, const mxArray* a) {
  requireRealFullDouble(Signature{function, ""}, a, name);
}

// Both counts of `a` within the 32-bit data model (trailing dimensions
// counted as columns): its column count; else rotkit:<function>:tooLarge.
inline std::uint32_t requireModelColumns(const char* function, const char* name, const mxArray* a) {
  return modelColumns(Signature{function, ""}, a, name);
}

// Rows of a motion of J joints, `perJoint` rows each (4 for quaternions, 3
// for vectors): J >= 1. Returns J.
inline std::uint32_t requireJointRows(const char* function, const char* name, const mxArray* a, unsigned perJoint,
                                      const char* what) {
  const std::size_t rows = mxGetM(a);
  if (rows == 0 || rows % perJoint != 0) {
    char reason[32];
    char message[256];
    // qRows for Q, wRows for W: the argument's name in lower camel case.
    std::snprintf(reason, sizeof reason, "%c%sRows", static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))),
                  name + 1);
    std::snprintf(message, sizeof message, "%s must have %u rows, or %uJ for J joints: %s.", name, perJoint, perJoint,
                  what);
    fail(function, reason, message);
  }
  return lowBits32(rows / perJoint);
}

// A time argument `t` (its name `name`) for `count` samples: a positive,
// finite scalar is the interval between samples; else a 1 x count row of
// finite, strictly increasing times (whose steps stay finite). A scalar is
// always the interval, count = 1 included. The class was checked before.
inline SampleTimes readSampleTimes(const char* function, const char* name, const mxArray* t, std::uint32_t count,
                                   const char* samples) {
  char message[256];
  const std::size_t rows = mxGetM(t);
  const std::size_t cols = mxGetN(t);
  if (rows == 1 && cols == 1) {
    const double interval = *mxGetPr(t);
    if (!(interval > 0) || !std::isfinite(interval) ||
        !std::isfinite(static_cast<double>(count == 0 ? 0 : count - 1) * interval)) {
      std::snprintf(message, sizeof message, "%s as a sample interval must be positive and finite.", name);
      fail(function, "timeInterval", message);
    }
    return SampleTimes{nullptr, interval};
  }
  if (rows != 1 || cols != count || mxGetNumberOfDimensions(t) != 2) {
    std::snprintf(message, sizeof message,
                  "%s must be a positive scalar (the sample interval) or a 1 x N row of sample times, N the %s.", name,
                  samples);
    fail(function, "timeShape", message);
  }
  const double* times = mxGetPr(t);
  for (std::uint32_t k = 0; k < count; ++k) {
    const bool finite = std::isfinite(times[k]);
    const bool increasing = k == 0 || (times[k] > times[k - 1] && std::isfinite(times[k] - times[k - 1]));
    if (!finite || !increasing) {
      std::snprintf(message, sizeof message, "%s must hold finite, strictly increasing sample times.", name);
      fail(function, "timeOrder", message);
    }
  }
  return SampleTimes{times, 0.0};
}

// A char row argument that must be one of two words (case-sensitive, as
// written): 0 for the first, 1 for the second. Anything else raises
// rotkit:<function>:<reason> with `message`.
inline int readChoice(const char* function, const char* reason, const mxArray* a, const char* first,
                      const char* second, const char* message) {
  char text[16] = {};
  const bool row = mxIsChar(a) && mxGetNumberOfDimensions(a) == 2 && mxGetM(a) == 1 && mxGetN(a) < sizeof text;
  if (row && mxGetString(a, text, sizeof text) == 0) {
    if (std::strcmp(text, first) == 0) return 0;
    if (std::strcmp(text, second) == 0) return 1;
  }
  fail(function, reason, message);
}

}  // namespace timeseries_gateway

#endif
