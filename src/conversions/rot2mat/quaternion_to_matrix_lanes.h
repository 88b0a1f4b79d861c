// rot2mat's kernel, written once and compiled for every vector path
// (simd/each_target.h): one quaternion per lane, scalar first (w, x, y, z),
// Hamilton product, active rotation. Results are defined bit for bit: every
// product and sum is rounded on its own in the order written below (never
// a fused multiply-add), in every lane.
#include "quaternion/lanes.h"

// The matrix of v -> q·v·q*, 9 elements in column-major order (R11 R21 R31
// R12 ...). The diagonal is w² + x² − y² − z² and its like, never
// 1 − 2(y² + z²): so a non-unit q gives |q|² times a rotation, the matrix of
// what rotateVector does with it. Each diagonal element is summed in pairs,
// (w·w + x·x) − (y·y + z·z): of the orders tried against a long double
// reference it was as accurate as the best and better than left to right
// (worst 0.97 units of 2^-52 against 1.13 over random unit quaternions).
// Off the diagonal, (x·y − w·z)·2 and its like: the doubling is exact. The
// term order is part of the result: do not reorder or factor.
inline void rotationMatrix(const Quat& q, V (&r)[9]) {
  const V ww = q.w * q.w;
  const V xx = q.x * q.x;
  const V yy = q.y * q.y;
  const V zz = q.z * q.z;
  const V xy = q.x * q.y;
  const V xz = q.x * q.z;
  const V yz = q.y * q.z;
  const V wx = q.w * q.x;
  const V wy = q.w * q.y;
  const V wz = q.w * q.z;
  r[0] = (ww + xx) - (yy + zz);  // R11
  r[1] = (xy + wz) * 2.0;        // R21
  r[2] = (xz - wy) * 2.0;        // R31
  r[3] = (xy - wz) * 2.0;        // R12
  r[4] = (ww + yy) - (xx + zz);  // R22
  r[5] = (yz + wx) * 2.0;        // R32
  r[6] = (xz + wy) * 2.0;        // R13
  r[7] = (yz - wx) * 2.0;        // R23
  r[8] = (ww + zz) - (xx + yy);  // R33
}

// The quaternion at q[4k] gives the 3 x 3 matrix at r[9k], for k < count.
inline void quaternionsToMatrices(const double* q, double* r, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V rows[9];
    rotationMatrix(loadQuaternions(q + 4 * std::size_t{k}, 4, lanes), rows);
    storeRows<9>(r + 9 * std::size_t{k}, 9, lanes, rows);
  }
}
