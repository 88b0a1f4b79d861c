// rotblend's kernel, written once and compiled for every vector path
// (simd/each_target.h): one parameter per lane, quaternions scalar first
// (w, x, y, z). The formulas are quaternion/slerp_lanes.h's; what depends
// on the two end rotations alone is worked out once per call, with the
// same two in every lane, so every lane takes the same flip and branch.
#include "quaternion/slerp_lanes.h"

// outData[:, i] = the rotation at tData[i] between q1 and q2 (four doubles
// each), for i < count.
inline void interpolateRotations(const double* q1, const double* q2, const double* tData, std::uint32_t count,
                                 double* outData) {
  const RotationBlend blend = prepareBlend(spreadQuaternion(q1), spreadQuaternion(q2));
  for (std::uint32_t i = 0; i < count; i += kLanes) {
    const std::uint32_t lanes = lanesFrom(i, count);
    storeQuaternions(outData + 4 * std::size_t{i}, 4, lanes, interpolateRotation(blend, loadRow(tData + i, lanes)));
  }
}
