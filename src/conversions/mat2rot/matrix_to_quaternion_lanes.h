// mat2rot's kernel, written once and compiled for every vector path
// (simd/each_target.h): one 3 x 3 matrix per lane in, one quaternion per
// lane out, scalar first (w, x, y, z), Hamilton product, active rotation
// (the inverse of rot2mat). Results are defined bit for bit: every sum,
// square root and quotient is rounded on its own in the order written
// (never a fused multiply-add), and the pivot is chosen per lane with
// selects, so every path gives the scalar path's bits.
#include "quaternion/normalize_lanes.h"

// The largest-pivot conversion (Shepperd's choice of pivot, Markley's
// normalisation). For a rotation R = rot2mat(q) the symmetric matrix
// K + I = 4·q·qᵀ, whose columns are
//   w: [1 + R11 + R22 + R33, R32 − R23, R13 − R31, R21 − R12] = 4w·q
//   x: [R32 − R23, 1 + R11 − R22 − R33, R12 + R21, R13 + R31] = 4x·q
//   y: [R13 − R31, R12 + R21, 1 − R11 + R22 − R33, R23 + R32] = 4y·q
//   z: [R21 − R12, R13 + R31, R23 + R32, 1 − R11 − R22 + R33] = 4z·q
// so any column divided by its length is ±q. The one with the largest
// diagonal element (4q², at least 1 since the four sum to 4) is far from
// zero and loses no digits, half turns included; ties go to the earlier of
// w, x, y, z. It is divided by its length as rotnormalize divides a
// quaternion (quaternion/normalize_lanes.h). Against a long double
// reference (the quaternion of the nearest rotation) this was as accurate
// as a square root for the pivot, divisions for the rest and a
// normalisation after (worst 1.19 against 1.19 units of 2^-52 over random
// rotations, 1.26 against 1.22 at half turns, before rotnormalize's
// refinement of the length brought it to 1.01 and 0.99), for one square
// root instead of two; without the normalisation the square-root form was
// worse (1.61).
//
// Then the sign: w >= 0, and where w is zero the first nonzero of x, y, z
// is positive, so q and −q give the same result and a half turn has one
// canonical sign. Finally every component gets + 0.0, which turns −0 into
// +0 and changes nothing else: zeros come out positive whatever the signs
// of zero in R.
//
// The diagonal elements are summed as (1 + R11) + (R22 + R33) and
// (1 + R11) − (R22 + R33), (1 + R22) − (R11 + R33), (1 + R33) − (R11 + R22).
// Do not reorder.
inline Quat rotationQuaternion(const V (&r)[9]) {
  // Column-major: r[0] = R11, r[1] = R21, r[2] = R31, r[3] = R12, ...
  const V r11 = r[0], r21 = r[1], r31 = r[2];
  const V r12 = r[3], r22 = r[4], r32 = r[5];
  const V r13 = r[6], r23 = r[7], r33 = r[8];
  const V onePlus11 = V(1.0) + r11;
  const V sum2233 = r22 + r33;
  const V pw = onePlus11 + sum2233;                // 4w²
  const V px = onePlus11 - sum2233;                // 4x²
  const V py = (V(1.0) + r22) - (r11 + r33);      // 4y²
  const V pz = (V(1.0) + r33) - (r11 + r22);      // 4z²
  const V wx = r32 - r23, wy = r13 - r31, wz = r21 - r12;  // 4wx, 4wy, 4wz
  const V xy = r12 + r21, xz = r13 + r31, yz = r23 + r32;  // 4xy, 4xz, 4yz
  // The largest diagonal element; a later one wins only when strictly
  // larger, and a NaN never wins (it reaches the result through the sums).
  const M pickX = px > pw;
  const V bestXW = select(pickX, px, pw);
  const M pickY = py > bestXW;
  const M pickZ = pz > select(pickY, py, bestXW);
  // z over y over x over w: each select holds where the later pivots lost.
  const Quat column{select(pickZ, wz, select(pickY, wy, select(pickX, wx, pw))),
                    select(pickZ, xz, select(pickY, xy, select(pickX, px, wx))),
                    select(pickZ, yz, select(pickY, py, select(pickX, xy, wy))),
                    select(pickZ, pz, select(pickY, yz, select(pickX, xz, wz)))};
  const Quat q = normalizeQuaternion(column);
  const V zero(0.0);
  const M flip = (q.w < zero) |
                 ((q.w == zero) & ((q.x < zero) | ((q.x == zero) & ((q.y < zero) | ((q.y == zero) & (q.z < zero))))));
  return Quat{flipSign(q.w, flip) + 0.0, flipSign(q.x, flip) + 0.0, flipSign(q.y, flip) + 0.0,
              flipSign(q.z, flip) + 0.0};
}

// The 3 x 3 matrix at r[9k] (column major) gives the quaternion at q[4k],
// for k < count.
inline void matricesToQuaternions(const double* r, double* q, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V elements[9];
    loadRows<9>(r + 9 * std::size_t{k}, 9, lanes, elements);
    storeQuaternions(q + 4 * std::size_t{k}, 4, lanes, rotationQuaternion(elements));
  }
}
