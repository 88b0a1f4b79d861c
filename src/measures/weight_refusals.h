// The checks of a weight vector W that rotfit and rotmean share, in their
// order: class and storage, counts, one weight per `what` (count of them),
// every weight finite and not negative. The first failure raises
// rotkit:<function>:<reason> (notRealDouble, sparse, tooLarge, weightCount,
// weightValues) before anything is created. Returns W's values.
#ifndef ROTKIT_MEASURES_WEIGHT_REFUSALS_H
#define ROTKIT_MEASURES_WEIGHT_REFUSALS_H

#include "host/host.h"

#include <cstdint>
#include <cstdio>

inline const double* requireWeights(const Signature& f, const mxArray* w, std::uint32_t count, const char* what) {
  requireRealFullDouble(f, w, "W");
  modelColumns(f, w, "W");
  char text[128];
  if (mxGetM(w) * mxGetN(w) != count || (mxGetM(w) != 1 && mxGetN(w) != 1)) {
    std::snprintf(text, sizeof text, "W must be a vector of one weight per %s, %u of them.", what, count);
    refuse(f, "weightCount", text);
  }
  const double* weights = mxGetPr(w);
  for (std::uint32_t k = 0; k < count; ++k) {
    // The largest double bounds the finite ones; a NaN fails both comparisons.
    if (!(weights[k] >= 0.0 && weights[k] <= 1.7976931348623157e308)) {
      std::snprintf(text, sizeof text, "W must hold finite weights of 0 or more: W(%u) is not one.", k + 1);
      refuse(f, "weightValues", text);
    }
  }
  return weights;
}

#endif
