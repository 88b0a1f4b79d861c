// rotcompose's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column per lane, quaternions scalar first
// (w, x, y, z), the Hamilton product of quaternion/lanes.h in its term
// order, bit for bit (never a fused multiply-add).
#include "quaternion/lanes.h"

// outData[:, k] = q1[:, k or 0] ⊗ q2[:, k or 0].
inline void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                           double* outData, std::uint32_t outCols) {
  forQuaternionPairs(q1Data, q1Cols, q2Data, q2Cols, outCols,
                     [outData](std::uint32_t k, std::uint32_t lanes, const Quat& left, const Quat& right) {
                       storeQuaternions(outData + 4 * std::size_t{k}, 4, lanes, hamiltonProduct(left, right));
                     });
}
