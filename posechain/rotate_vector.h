// Turning a 3-vector by a quaternion, scalar first (w, x, y, z). For a unit
// quaternion q this is q·v·q*; q is never normalised, so a non-unit q also
// scales and shears. Results are defined bit for bit: each product and sum
// is rounded on its own in the order below (no fused multiply-add).
#ifndef ROTKIT_ROTATE_VECTOR_H
#define ROTKIT_ROTATE_VECTOR_H

#include "quaternion/quaternion.h"

struct Vector3 {
  double x;
  double y;
  double z;
};

// v + 2w·(u × v) + 2·(u × (u × v)), u the vector part of q. The term order
// is part of the result: do not reorder or factor.
inline Vector3 rotateVector(const Quaternion& q, const Vector3& v) {
  const double cx = q.y * v.z - q.z * v.y;
  const double cy = q.z * v.x - q.x * v.z;
  const double cz = q.x * v.y - q.y * v.x;
  const double dx = q.y * cz - q.z * cy;
  const double dy = q.z * cx - q.x * cz;
  const double dz = q.x * cy - q.y * cx;
  const double t = q.w * 2.0;
  return Vector3{(cx * t + v.x) + dx * 2.0, (cy * t + v.y) + dy * 2.0, (cz * t + v.z) + dz * 2.0};
}

#endif
