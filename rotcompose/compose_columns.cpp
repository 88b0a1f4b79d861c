// Kernel of rotcompose: plain buffers, no host calls, no allocation.
// Hamilton product, scalar first, bit for bit (no FMA); the vector paths
// beside this file give the same bits, and composeColumns picks the widest.
#include "compose_columns.h"

#include <cstddef>

#include "quaternion/quaternion.h"

void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                    double* outData, std::uint32_t outCols) {
  switch (widestVectorPath()) {
#if defined(ROTKIT_BUILD_AVX2)
    case VectorPath::avx2: composeColumnsAvx2(q1Data, q1Cols, q2Data, q2Cols, outData, outCols); return;
#endif
#if defined(ROTKIT_BUILD_SSE2)
    case VectorPath::sse2: composeColumnsSse2(q1Data, q1Cols, q2Data, q2Cols, outData, outCols); return;
#endif
    default: composeColumnsScalar(q1Data, q1Cols, q2Data, q2Cols, outData, outCols); return;
  }
}

void composeColumnsScalar(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                          double* outData, std::uint32_t outCols) {
  // A one-column side is read once, here, and held for every column.
  Quaternion left = loadQuaternion(q1Data);
  Quaternion right = loadQuaternion(q2Data);
  const bool leftAdvances = q1Cols > 1;
  const bool rightAdvances = q2Cols > 1;
  for (std::uint32_t k = 0; k < outCols; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    if (leftAdvances) left = loadQuaternion(q1Data + offset);
    if (rightAdvances) right = loadQuaternion(q2Data + offset);
    storeQuaternion(outData + offset, hamiltonProduct(left, right));
  }
}
