// The intrinsic headers of the paths this build has (simd/vector_path.h),
// included once, outside every namespace. GCC and Clang declare each
// intrinsic for its own instruction set, so including them costs nothing on
// processors that lack it; only the target passes of simd/each_target.h use
// them. With ROTKIT_EMULATE_AVX512 the AVX-512 intrinsics come from SIMDe,
// portable code that gives each lane the same IEEE operation.
#ifndef ROTKIT_SIMD_INTRINSICS_H
#define ROTKIT_SIMD_INTRINSICS_H

#include "simd/vector_path.h"

#if defined(ROTKIT_BUILD_SSE2)
#include <emmintrin.h>
#endif
#if defined(ROTKIT_BUILD_AVX2) || (defined(ROTKIT_BUILD_AVX512) && !defined(ROTKIT_EMULATE_AVX512))
#include <immintrin.h>
#endif
#if defined(ROTKIT_BUILD_AVX512) && defined(ROTKIT_EMULATE_AVX512)
#define SIMDE_ENABLE_NATIVE_ALIASES
#include <simde/x86/avx512.h>
#endif
#if defined(ROTKIT_BUILD_NEON)
#include <arm_neon.h>
#endif

#endif
