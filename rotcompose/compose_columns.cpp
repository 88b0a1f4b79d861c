// Kernel of rotcompose: plain buffers, no host calls, no allocation.
#include "compose_columns.h"

#include <cstddef>

#include "quaternion/quaternion.h"

void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
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
