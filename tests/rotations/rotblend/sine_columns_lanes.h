// The lane sine over a row of arguments, compiled once per vector path for
// the tests (simd/each_target.h).
#include "lanemath/sine_lanes.h"

inline void sineColumns(const double* x, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeRow(out + k, lanes, sine(loadRow(x + k, lanes)));
  }
}
