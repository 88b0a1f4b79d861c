// A kernel's compiled paths (simd/each_target.h), for dispatch at run time
// and for tests and benchmarks that compare or time every path.
#ifndef ROTKIT_SIMD_KERNEL_PATHS_H
#define ROTKIT_SIMD_KERNEL_PATHS_H

#include <cstddef>
#include <cstdint>

#include "simd/vector_path.h"

// Doubles per vector of each path.
inline std::uint32_t vectorLanes(VectorPath path) {
  switch (path) {
    case VectorPath::avx512: return 8;
    case VectorPath::avx2: return 4;
    case VectorPath::sse2:
    case VectorPath::neon: return 2;
    case VectorPath::scalar: break;
  }
  return 1;
}

template <class Function>
struct KernelPath {
  VectorPath path;
  Function function;
};

template <class Function>
struct KernelPaths {
  KernelPath<Function> paths[5];
  std::size_t count;

  // The widest path this processor runs.
  Function widest() const { return pathFor(widestVectorPath()); }

  // The widest short of AVX-512, for kernels bound by loads, stores and the
  // transposes between columns and lanes rather than by arithmetic: where
  // each 512-bit operation runs as two 256-bit halves (AMD Zen 4), their
  // AVX-512 path measured 10 to 30% slower than AVX2 (docs/performance.md).
  // The bits are the same on every path.
  Function widestShortOfAvx512() const { return pathFor(widestVectorPath(false)); }

  Function pathFor(VectorPath chosen) const {
    for (std::size_t i = 0; i < count; ++i) {
      if (paths[i].path == chosen) return paths[i].function;
    }
    return paths[0].function;
  }
};

#if defined(ROTKIT_BUILD_SSE2)
#define ROTKIT_SSE2_PATH(name) {VectorPath::sse2, &rotkit::sse2::name},
#define ROTKIT_SSE2_COUNT 1
#else
#define ROTKIT_SSE2_PATH(name)
#define ROTKIT_SSE2_COUNT 0
#endif
#if defined(ROTKIT_BUILD_AVX2)
#define ROTKIT_AVX2_PATH(name) {VectorPath::avx2, &rotkit::avx2::name},
#define ROTKIT_AVX2_COUNT 1
#else
#define ROTKIT_AVX2_PATH(name)
#define ROTKIT_AVX2_COUNT 0
#endif
#if defined(ROTKIT_BUILD_AVX512)
#define ROTKIT_AVX512_PATH(name) {VectorPath::avx512, &rotkit::avx512::name},
#define ROTKIT_AVX512_COUNT 1
#else
#define ROTKIT_AVX512_PATH(name)
#define ROTKIT_AVX512_COUNT 0
#endif
#if defined(ROTKIT_BUILD_NEON)
#define ROTKIT_NEON_PATH(name) {VectorPath::neon, &rotkit::neon::name},
#define ROTKIT_NEON_COUNT 1
#else
#define ROTKIT_NEON_PATH(name)
#define ROTKIT_NEON_COUNT 0
#endif

// The table of every path of the kernel function `name` that
// simd/each_target.h compiled in this file, scalar first.
#define ROTKIT_KERNEL_PATHS(name)                                                                        \
  {{{VectorPath::scalar, &rotkit::scalar::name}, ROTKIT_SSE2_PATH(name) ROTKIT_AVX2_PATH(name)           \
        ROTKIT_AVX512_PATH(name) ROTKIT_NEON_PATH(name)},                                                \
   1 + ROTKIT_SSE2_COUNT + ROTKIT_AVX2_COUNT + ROTKIT_AVX512_COUNT + ROTKIT_NEON_COUNT}

#endif
