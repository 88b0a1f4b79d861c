// rotcompose's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column per lane, quaternions scalar first
// (w, x, y, z), the Hamilton product of quaternion/lanes.h in its term
// order, bit for bit (never a fused multiply-add).
#include "quaternion/lanes.h"

// outData[:, k] = q1[:, k or 0] ⊗ q2[:, k or 0]; a one-column side is read
// once and spread over every lane.
inline void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                           double* outData, std::uint32_t outCols) {
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  const Quat oneLeft = spreadQuaternion(q1Data);
  const Quat oneRight = spreadQuaternion(q2Data);
  for (std::uint32_t k = 0; k < outCols; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, outCols);
    const std::size_t offset = 4 * std::size_t{k};
    const Quat left = leftAdvances ? loadQuaternions(q1Data + offset, 4, lanes) : oneLeft;
    const Quat right = rightAdvances ? loadQuaternions(q2Data + offset, 4, lanes) : oneRight;
    storeQuaternions(outData + offset, 4, lanes, hamiltonProduct(left, right));
  }
}
