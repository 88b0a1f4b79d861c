// The time axis of a time series, as the time-series kernels take it: the
// times of its samples (one per column, strictly increasing, finite) or,
// when `times` is null, a constant interval between samples (the sample k,
// counted from 0, at k·interval). Gateways check it (timeseries/
// timeseries_gateway.h); kernels read it only.
#ifndef ROTKIT_TIMESERIES_SAMPLE_TIMES_H
#define ROTKIT_TIMESERIES_SAMPLE_TIMES_H

#include <cstdint>

struct SampleTimes {
  const double* times;  // count values, or null for the interval
  double interval;      // positive and finite when times is null
};

// The step from sample k to sample k + 1: t(k + 1) − t(k), one rounding.
inline double stepAfter(const SampleTimes& time, std::uint32_t k) {
  return time.times != nullptr ? time.times[k + 1] - time.times[k] : time.interval;
}

// The time of sample k: t(k), or k·interval (one rounding, as Octave and
// MATLAB compute (0:N-1)*interval).
inline double timeOf(const SampleTimes& time, std::uint32_t k) {
  return time.times != nullptr ? time.times[k] : static_cast<double>(k) * time.interval;
}

#endif
