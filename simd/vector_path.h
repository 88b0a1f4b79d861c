// Run-time choice of the vector width a kernel uses. Results are defined bit
// for bit: every vector lane performs the same IEEE operations, in the same
// order, as the scalar code, and never a fused multiply-add, so every path
// gives the same bits and the choice changes speed only.
//
//   x86-64, GCC or Clang: SSE2 (always there) and AVX2, compiled per function
//     with ROTKIT_TARGET_AVX2 (never "fma") and used when the processor has it;
//   x86-64, MSVC: SSE2;
//   anything else (arm64, ...): the scalar path.
// So one binary runs on every processor of its architecture.
#ifndef ROTKIT_SIMD_VECTOR_PATH_H
#define ROTKIT_SIMD_VECTOR_PATH_H

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ROTKIT_BUILD_SSE2 1
#define ROTKIT_BUILD_AVX2 1
#define ROTKIT_TARGET_AVX2 __attribute__((target("avx2")))
#elif defined(_M_X64) && !defined(_M_ARM64EC)
#define ROTKIT_BUILD_SSE2 1
#endif

enum class VectorPath { scalar, sse2, avx2 };

// The widest path this build has and this processor runs.
inline VectorPath widestVectorPath() {
#if defined(ROTKIT_BUILD_AVX2)
  // Reads the processor's features, once per process; later calls return at once.
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return VectorPath::avx2;
#endif
#if defined(ROTKIT_BUILD_SSE2)
  return VectorPath::sse2;
#else
  return VectorPath::scalar;
#endif
}

inline const char* vectorPathName(VectorPath path) {
  switch (path) {
    case VectorPath::avx2: return "avx2";
    case VectorPath::sse2: return "sse2";
    case VectorPath::scalar: break;
  }
  return "scalar";
}

#endif
