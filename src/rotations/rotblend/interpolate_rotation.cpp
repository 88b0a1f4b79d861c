// rotblend's kernel on every vector path of the build, and the choice of
// the widest at run time; the formulas are rotations/rotblend/interpolate_rotations_lanes.h
// and quaternion/slerp_lanes.h.
#include "rotations/rotblend/interpolate_rotation.h"

#define ROTKIT_LANES_KERNEL "rotations/rotblend/interpolate_rotations_lanes.h"
#include "simd/each_target.h"

const KernelPaths<InterpolateRotations>& interpolateRotationsPaths() {
  static const KernelPaths<InterpolateRotations> paths = ROTKIT_KERNEL_PATHS(interpolateRotations);
  return paths;
}

void interpolateRotations(const double* q1, const double* q2, const double* tData, std::uint32_t count,
                          double* outData) {
  interpolateRotationsPaths().widest()(q1, q2, tData, count, outData);
}

Quaternion interpolateRotation(const Quaternion& q1, const Quaternion& q2, double t) {
  const double ends[8] = {q1.w, q1.x, q1.y, q1.z, q2.w, q2.x, q2.y, q2.z};
  double out[4];
  rotkit::scalar::interpolateRotations(ends, ends + 4, &t, 1, out);
  return loadQuaternion(out);
}
