// rotslerp's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column per lane, quaternions scalar first
// (w, x, y, z). The formulas are quaternion/slerp_lanes.h's, rotblend's own:
// each lane prepares its pair of end rotations (shorter-arc flip, branch,
// arc angle) and blends at its parameter, bit for bit (never a fused
// multiply-add).
#include "quaternion/slerp_lanes.h"

// outData[:, k] = the rotation at t[k] between q1[:, k] and q2[:, k]; a side
// with one column is read once and spread over every lane.
inline void slerpColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                         const double* tData, std::uint32_t tCols, double* outData, std::uint32_t outCols) {
  if (outCols == 0) return;  // an empty side may have no data to spread
  const bool firstAdvances = q1Cols > 1;
  const bool secondAdvances = q2Cols > 1;
  const bool tAdvances = tCols > 1;
  const Quat oneFirst = spreadQuaternion(q1Data);
  const Quat oneSecond = spreadQuaternion(q2Data);
  const V oneT = V(tData[0]);
  // Two fixed end rotations: the same preparation in every lane and block,
  // so it is made once (the same operations, so the same bits).
  const bool fixedEnds = !firstAdvances && !secondAdvances;
  const RotationBlend fixedBlend = prepareBlend(oneFirst, oneSecond);
  for (std::uint32_t k = 0; k < outCols; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, outCols);
    const std::size_t offset = 4 * std::size_t{k};
    const V t = tAdvances ? loadRow(tData + k, lanes) : oneT;
    if (fixedEnds) {
      storeQuaternions(outData + offset, 4, lanes, interpolateRotation(fixedBlend, t));
      continue;
    }
    const Quat first = firstAdvances ? loadQuaternions(q1Data + offset, 4, lanes) : oneFirst;
    const Quat second = secondAdvances ? loadQuaternions(q2Data + offset, 4, lanes) : oneSecond;
    storeQuaternions(outData + offset, 4, lanes, interpolateRotation(prepareBlend(first, second), t));
  }
}
