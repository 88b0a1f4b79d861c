// Kernel of rotreverse: plain buffers, no host calls, no allocation.
// Bit for bit, no fused multiply-add: see invert_quaternion.h. The vector
// paths beside this file give the same bits; invertColumns picks the widest.
#include "invert_quaternion.h"

#include <cstddef>

void invertColumns(const double* in, double* out, std::uint32_t count) {
  switch (widestVectorPath()) {
#if defined(ROTKIT_BUILD_AVX2)
    case VectorPath::avx2: invertColumnsAvx2(in, out, count); return;
#endif
#if defined(ROTKIT_BUILD_SSE2)
    case VectorPath::sse2: invertColumnsSse2(in, out, count); return;
#endif
    default: invertColumnsScalar(in, out, count); return;
  }
}

void invertColumnsScalar(const double* in, double* out, std::uint32_t count) {
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t offset = 4 * static_cast<std::size_t>(k);
    storeQuaternion(out + offset, invertQuaternion(loadQuaternion(in + offset)));
  }
}
