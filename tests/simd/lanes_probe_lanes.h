// Every primitive of the vector layer over columns of test data, compiled
// once per path (simd/each_target.h) so that the tests can compare each
// path's lanes with the scalar path's, bit for bit.
#include "quaternion/lanes.h"

// Rows 0..R-1 of each column in, each primitive's result out: `in` holds
// `count` columns of 9 doubles, `out` has room for count columns of 20.
inline void probeLanes(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V nine[9];
    loadRows<9>(in + 9 * std::size_t{k}, 9, lanes, nine);
    const V a = nine[0];
    const V b = nine[1];
    V results[20];
    results[0] = select(a < b, a, b);
    results[1] = select((a <= b) | (a != a), b, a);
    results[2] = select((!(a > b)) & (b >= 0.0), sqrt(abs(b)), -a);
    results[3] = select(a == b, V(1.0), V(2.0));
    results[4] = flipSign(a, b < 0.0);
    results[5] = select(signBitSet(a), V(1.0), V(0.0));
    results[6] = select(reprBitSet(a, 0), V(1.0), V(0.0)) + select(reprBitSet(a, 52), V(2.0), V(0.0)) +
                 select(reprBitSet(a, 63), V(4.0), V(0.0));
    results[7] = mapLanes(a, abs(a) > 1.0, std::exp);
    results[8] = mapLanes2(a, b, std::atan2);
    results[9] = a / b - a * b + (a - b);
    results[10] = V(anyLane(a < b) ? 1.0 : 0.0);   // whole-block answers: lane-count dependent,
    results[11] = V(allLanes(a < b) ? 1.0 : 0.0);  // compared only on one-column blocks
    for (int r = 0; r < 8; ++r) results[12 + r] = nine[r + 1];
    storeRows<20>(out + 20 * std::size_t{k}, 20, lanes, results);
  }
}

// Quaternions and vectors through their own loads and stores, at a stride
// larger than their rows (posechain's layout): columns of `stride` doubles;
// and a row of one double per column (rotblend's parameters), read from the
// first `count` doubles and written after the columns.
inline void probeStrided(const double* in, std::size_t stride, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    const Quat q = loadQuaternions(in + stride * k + 1, stride, lanes);
    const Vec3 v = loadVectors(in + stride * k + 5, stride, lanes);
    storeVectors(out + stride * k, stride, lanes, rotateVector(q, v));
    storeQuaternions(out + stride * k + 3, stride, lanes, hamiltonProduct(q, q));
    storeRow(out + stride * count + k, lanes, loadRow(in + k, lanes) * 3.0);
  }
}
