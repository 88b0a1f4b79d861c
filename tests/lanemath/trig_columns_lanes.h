// The lane cosine, sineCosine and arcTangent2 over rows of arguments,
// compiled once per vector path for the tests (simd/each_target.h).
#include "lanemath/atan2_lanes.h"
#include "lanemath/sine_lanes.h"

inline void cosineColumns(const double* x, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    storeRow(out + k, lanes, cosine(loadRow(x + k, lanes)));
  }
}

// out[2k] = sin, out[2k + 1] = cos of x[k].
inline void sineCosineColumns(const double* x, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    const SineCosine both = sineCosine(loadRow(x + k, lanes));
    const V rows[2] = {both.sin, both.cos};
    storeRows<2>(out + 2 * std::size_t{k}, 2, lanes, rows);
  }
}

// out[k] = atan2(yx[2k], yx[2k + 1]).
inline void arcTangent2Columns(const double* yx, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V rows[2];
    loadRows<2>(yx + 2 * std::size_t{k}, 2, lanes, rows);
    storeRow(out + k, lanes, arcTangent2(rows[0], rows[1]));
  }
}
