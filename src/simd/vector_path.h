// Which vector paths a build has, and the widest one this processor runs.
// Results are defined bit for bit: every lane of every path performs the
// same IEEE operations, in the same order, as the scalar path, and never a
// fused multiply-add, so the choice of path changes speed only.
//
//   x86-64 (GCC, Clang, MSVC): SSE2 (always there), AVX2, and AVX-512 F+DQ,
//     each chosen at run time when the processor and the operating system
//     support it; one binary runs on every x86-64 processor.
//   arm64: NEON (always there on arm64).
//   anything else: the scalar path alone.
// Defining ROTKIT_SCALAR_ONLY builds the scalar path alone anywhere.
// Defining ROTKIT_EMULATE_AVX512 builds the AVX-512 path on SIMDe's portable
// intrinsics instead, so that its lanes can be tested on any x86-64
// processor (tests only: it is slow).
#ifndef ROTKIT_SIMD_VECTOR_PATH_H
#define ROTKIT_SIMD_VECTOR_PATH_H

#if !defined(ROTKIT_SCALAR_ONLY)
#if defined(__x86_64__) || (defined(_M_X64) && !defined(_M_ARM64EC))
#define ROTKIT_BUILD_SSE2 1
#define ROTKIT_BUILD_AVX2 1
#define ROTKIT_BUILD_AVX512 1
#elif defined(__aarch64__) || defined(_M_ARM64)
#define ROTKIT_BUILD_NEON 1
#endif
#endif

#if defined(_MSC_VER) && !defined(__clang__) && defined(ROTKIT_BUILD_SSE2)
#include <intrin.h>
#endif

enum class VectorPath { scalar, sse2, avx2, avx512, neon };

namespace vector_path_detail {

#if defined(ROTKIT_BUILD_SSE2) && defined(_MSC_VER) && !defined(__clang__)
// MSVC has no __builtin_cpu_supports: ask the processor (CPUID) and the
// operating system (XGETBV: are the wide registers saved on a switch?).
inline bool msvcSupports(VectorPath path) {
  int info[4];
  __cpuid(info, 1);
  const bool osSavesYmm = (info[2] & (1 << 27)) != 0 && (_xgetbv(0) & 0x6) == 0x6;
  if (!osSavesYmm) return false;
  __cpuidex(info, 7, 0);
  if (path == VectorPath::avx2) return (info[1] & (1 << 5)) != 0;
  const bool avx512fdq = (info[1] & (1 << 16)) != 0 && (info[1] & (1 << 17)) != 0;
  return avx512fdq && (_xgetbv(0) & 0xE6) == 0xE6;
}
#endif

}  // namespace vector_path_detail

// True when this build has `path` and this processor runs it.
inline bool pathRuns(VectorPath path) {
  switch (path) {
    case VectorPath::scalar: return true;
#if defined(ROTKIT_BUILD_SSE2)
    case VectorPath::sse2: return true;
#endif
#if defined(ROTKIT_BUILD_AVX2)
    case VectorPath::avx2:
#if defined(_MSC_VER) && !defined(__clang__)
      return vector_path_detail::msvcSupports(path);
#else
      // Reads the processor's features once per process (the wide registers'
      // support by the operating system included).
      __builtin_cpu_init();
      return __builtin_cpu_supports("avx2");
#endif
#endif
#if defined(ROTKIT_BUILD_AVX512)
    case VectorPath::avx512:
#if defined(ROTKIT_EMULATE_AVX512)
      return true;
#elif defined(_MSC_VER) && !defined(__clang__)
      return vector_path_detail::msvcSupports(path);
#else
      __builtin_cpu_init();
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
#endif
#endif
#if defined(ROTKIT_BUILD_NEON)
    case VectorPath::neon: return true;
#endif
    default: return false;
  }
}

// The widest path this build has and this processor runs; without AVX-512
// when `withAvx512` is false (simd/kernel_paths.h says which kernels).
inline VectorPath widestVectorPath(bool withAvx512 = true) {
  if (withAvx512 && pathRuns(VectorPath::avx512)) return VectorPath::avx512;
  if (pathRuns(VectorPath::avx2)) return VectorPath::avx2;
  if (pathRuns(VectorPath::neon)) return VectorPath::neon;
  if (pathRuns(VectorPath::sse2)) return VectorPath::sse2;
  return VectorPath::scalar;
}

inline const char* vectorPathName(VectorPath path) {
  switch (path) {
    case VectorPath::avx512: return "avx512";
    case VectorPath::avx2: return "avx2";
    case VectorPath::sse2: return "sse2";
    case VectorPath::neon: return "neon";
    case VectorPath::scalar: break;
  }
  return "scalar";
}

#endif
