// rotdist's kernel, written once and compiled for every vector path
// (simd/each_target.h): one pair of quaternions per lane, scalar first
// (w, x, y, z). Results are defined bit for bit: every operation is rounded
// on its own in the order written below (never a fused multiply-add), in
// every lane; the arc tangent is the toolbox's own (lanemath/atan2_lanes.h).
//
// The rotation from a to b is conj(a)·b (up to a positive factor, which no
// angle depends on), and its angle is θ = 2·atan2(|v|, |s|) with s its
// scalar part, the dot product a·b, and v its vector part; |s| makes q and
// −q the same rotation. Near θ = 0 the arc cosine of a dot product loses
// every digit, and even v, formed as a.w·b_v − b.w·a_v − a_v × b_v, is a
// difference of nearly equal products. So v is formed from the difference
// e = b − a' instead, a' = ±a the sign nearer to b: conj(a')·a' has no
// vector part, so v = a'.w·e_v − e.w·a'_v − a'_v × e_v exactly, and for
// quaternions of one length (unit ones) e is small near θ = 0 and carries
// its own digits (each component difference is rounded relative to
// itself). The angle is then within a few ulps of itself at every angle,
// near π too, where |s| is small and atan2 keeps every digit.
//
// A quaternion whose largest component lies outside [2^-500, 2^500] is
// first scaled by a power of two (exact), so that no product overflows or
// underflows, and |v| is found with its components scaled the same way. A
// zero quaternion, which is no rotation, gives NaN; so does a NaN or an
// infinite component. Do not reorder.
#include "lanemath/atan2_lanes.h"
#include "lanemath/power_scale_lanes.h"
#include "quaternion/lanes.h"

inline V largestMagnitude(const Quat& q) {
  return largerOf(largerOf(abs(q.w), abs(q.x)), largerOf(abs(q.y), abs(q.z)));
}

inline Quat scaledBy(const Quat& q, V scale) { return Quat{q.w * scale, q.x * scale, q.y * scale, q.z * scale}; }

inline V rotationDistance(const Quat& q1, const Quat& q2) {
  const V largest1 = largestMagnitude(q1);
  const V largest2 = largestMagnitude(q2);
  const Quat a = scaledBy(q1, powerOfTwoScale(largest1));
  const Quat b = scaledBy(q2, powerOfTwoScale(largest2));
  const V dot = (a.w * b.w + a.x * b.x) + (a.y * b.y + a.z * b.z);
  const M flip = dot < 0.0;
  const Quat n{flipSign(a.w, flip), flipSign(a.x, flip), flipSign(a.y, flip), flipSign(a.z, flip)};
  const Quat e{b.w - n.w, b.x - n.x, b.y - n.y, b.z - n.z};
  const V vx = (n.w * e.x - e.w * n.x) - (n.y * e.z - n.z * e.y);
  const V vy = (n.w * e.y - e.w * n.y) - (n.z * e.x - n.x * e.z);
  const V vz = (n.w * e.z - e.w * n.z) - (n.x * e.y - n.y * e.x);
  const V scale = powerOfTwoScale(largerOf(largerOf(abs(vx), abs(vy)), abs(vz)));
  const V sx = vx * scale, sy = vy * scale, sz = vz * scale;
  const V length = sqrt((sx * sx + sy * sy) + sz * sz) / scale;
  const V angle = arcTangent2(length, abs(dot)) * 2.0;
  const M noRotation = (largest1 == 0.0) | (largest2 == 0.0);
  return select(noRotation, V(std::numeric_limits<double>::quiet_NaN()), angle);
}

// out[k] = the angle between q1[:, k or 0] and q2[:, k or 0].
inline void rotationDistances(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                              double* out, std::uint32_t outCols) {
  if (outCols == 0) return;  // a side may then have no column to read
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  const Quat oneLeft = spreadQuaternion(q1Data);
  const Quat oneRight = spreadQuaternion(q2Data);
  for (std::uint32_t k = 0; k < outCols; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, outCols);
    const std::size_t offset = 4 * std::size_t{k};
    const Quat left = leftAdvances ? loadQuaternions(q1Data + offset, 4, lanes) : oneLeft;
    const Quat right = rightAdvances ? loadQuaternions(q2Data + offset, 4, lanes) : oneRight;
    storeRow(out + k, lanes, rotationDistance(left, right));
  }
}
