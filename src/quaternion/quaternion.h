// Quaternions, scalar part first: (w, x, y, z) = w + x·i + y·j + z·k, one
// quaternion held in four doubles, as a gateway reads it from its host.
// The arithmetic on quaternions (the Hamilton product, i·j = k, in its term
// order, bit for bit) is written once, over vector lanes, in
// quaternion/lanes.h.
#ifndef ROTKIT_QUATERNION_H
#define ROTKIT_QUATERNION_H

struct Quaternion {
  double w;
  double x;
  double y;
  double z;
};

// Reads four consecutive doubles w, x, y, z.
inline Quaternion loadQuaternion(const double* data) {
  return Quaternion{data[0], data[1], data[2], data[3]};
}

// Writes w, x, y, z to four consecutive doubles.
inline void storeQuaternion(double* data, const Quaternion& q) {
  data[0] = q.w;
  data[1] = q.x;
  data[2] = q.y;
  data[3] = q.z;
}

#endif
