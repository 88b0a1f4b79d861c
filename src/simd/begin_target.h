// Opens one pass of simd/each_target.h for the path ROTKIT_TARGET: the
// target pragma of its instruction set (GCC, Clang), the namespace
// rotkit::<path>, and that path's lanes (V, M, kLanes and their operations).
// simd/end_target.h closes it. No include guard: included once per pass.

// Flipped at every pass, so that headers guarded by simd/once_per_target.h
// are compiled once in each.
#if defined(ROTKIT_TARGET_TOGGLE)
#undef ROTKIT_TARGET_TOGGLE
#else
#define ROTKIT_TARGET_TOGGLE
#endif

#if ROTKIT_TARGET == ROTKIT_TARGET_AVX2 || (ROTKIT_TARGET == ROTKIT_TARGET_AVX512 && !defined(ROTKIT_EMULATE_AVX512))
#define ROTKIT_TARGET_PRAGMA 1
// Never "fma": lanes round every product and sum on their own.
#if defined(__clang__)
#if ROTKIT_TARGET == ROTKIT_TARGET_AVX2
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma clang attribute push(__attribute__((target("avx512f,avx512dq"))), apply_to = function)
#endif
#elif defined(__GNUC__)
#pragma GCC push_options
#pragma GCC diagnostic push
#if ROTKIT_TARGET == ROTKIT_TARGET_AVX2
#pragma GCC target("avx2")
#else
#pragma GCC target("avx512f,avx512dq")
// GCC 12's own AVX-512 intrinsics start from _mm512_undefined_pd(), which
// it then reports as (maybe) uninitialized where they are inlined.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#endif
#endif

#if ROTKIT_TARGET == ROTKIT_TARGET_SCALAR
namespace rotkit { namespace scalar {
#include "simd/lanes_scalar.h"
#elif ROTKIT_TARGET == ROTKIT_TARGET_SSE2
namespace rotkit { namespace sse2 {
#include "simd/lanes_sse2.h"
#elif ROTKIT_TARGET == ROTKIT_TARGET_AVX2
namespace rotkit { namespace avx2 {
#include "simd/lanes_avx2.h"
#elif ROTKIT_TARGET == ROTKIT_TARGET_AVX512
namespace rotkit { namespace avx512 {
#include "simd/lanes_avx512.h"
#elif ROTKIT_TARGET == ROTKIT_TARGET_NEON
namespace rotkit { namespace neon {
#include "simd/lanes_neon.h"
#endif
#include "simd/lanes_common.h"
