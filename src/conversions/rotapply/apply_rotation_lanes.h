// rotapply's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column per lane, quaternions scalar first
// (w, x, y, z), the active turn q·v·q* of quaternion/lanes.h's
// rotateVector, the very function and term order that posechain turns its
// offsets with, bit for bit (never a fused multiply-add). q is not
// normalised.
#include "quaternion/lanes.h"

// outData[:, k] = q[:, k or 0] turning v[:, k or 0]; a one-column side is
// read once and spread over every lane. With no output column nothing is
// read, so an empty side is never touched.
inline void applyRotations(const double* qData, std::uint32_t qCols, const double* vData, std::uint32_t vCols,
                           double* outData, std::uint32_t outCols) {
  if (outCols == 0) return;
  const bool quaternionsAdvance = qCols > 1;
  const bool vectorsAdvance = vCols > 1;
  const Quat oneQuaternion = spreadQuaternion(qData);
  const Vec3 oneVector = spreadVector(vData);
  for (std::uint32_t k = 0; k < outCols; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, outCols);
    const Quat q = quaternionsAdvance ? loadQuaternions(qData + 4 * std::size_t{k}, 4, lanes) : oneQuaternion;
    const Vec3 v = vectorsAdvance ? loadVectors(vData + 3 * std::size_t{k}, 3, lanes) : oneVector;
    storeVectors(outData + 3 * std::size_t{k}, 3, lanes, rotateVector(q, v));
  }
}
