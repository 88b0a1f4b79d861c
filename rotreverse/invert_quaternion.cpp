// Kernel of rotreverse: plain buffers, no host calls, no allocation.
// Bit for bit, no fused multiply-add: see invert_quaternion.h.
#include "invert_quaternion.h"

#include <cstddef>

void invertColumns(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    storeQuaternion(out + offset, invertQuaternion(loadQuaternion(in + offset)));
  }
}
