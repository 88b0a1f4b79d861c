// Compiles one kernel source once per vector path of the build.
//
// A kernel's .cpp defines ROTKIT_LANES_KERNEL as the name of its lanes file
// (say "rotations/rotreverse/invert_columns_lanes.h") and includes this header. The
// lanes file is then compiled once for every path the build has (see
// simd/vector_path.h), each time inside a namespace of its own,
// rotkit::scalar, rotkit::sse2, rotkit::avx2, rotkit::avx512, rotkit::neon,
// where `V` is that path's vector of doubles (a plain double on the scalar
// path), `M` its lane mask, and kLanes its width (simd/lanes_*.h). So the
// kernel is written once, reads like the scalar code with wider values, and
// never names a width. For GCC and Clang each pass is compiled for its
// instruction set by a target pragma, so no file needs flags of its own;
// MSVC needs none.
//
// Shared formula headers that a lanes file includes (quaternion/lanes.h,
// ...) guard themselves with simd/once_per_target.h instead of a plain
// include guard, so they too are compiled once per pass.
//
// System and intrinsic headers are included here, before any namespace:
// inside a pass their include guards make them no-ops.
//
// A file that needs the scalar formulas alone (a test's reference, say)
// defines ROTKIT_SCALAR_PASS_ONLY first: only rotkit::scalar is compiled.
#ifndef ROTKIT_LANES_KERNEL
#error "define ROTKIT_LANES_KERNEL as the kernel's lanes file before including simd/each_target.h"
#endif

#include "simd/vector_path.h"
#include "simd/intrinsics.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#define ROTKIT_TARGET_SCALAR 1
#define ROTKIT_TARGET_SSE2 2
#define ROTKIT_TARGET_AVX2 3
#define ROTKIT_TARGET_AVX512 4
#define ROTKIT_TARGET_NEON 5

#define ROTKIT_TARGET ROTKIT_TARGET_SCALAR
#include "simd/begin_target.h"
#include ROTKIT_LANES_KERNEL
#include "simd/end_target.h"
#undef ROTKIT_TARGET

#if defined(ROTKIT_BUILD_SSE2) && !defined(ROTKIT_SCALAR_PASS_ONLY)
#define ROTKIT_TARGET ROTKIT_TARGET_SSE2
#include "simd/begin_target.h"
#include ROTKIT_LANES_KERNEL
#include "simd/end_target.h"
#undef ROTKIT_TARGET
#endif

#if defined(ROTKIT_BUILD_AVX2) && !defined(ROTKIT_SCALAR_PASS_ONLY)
#define ROTKIT_TARGET ROTKIT_TARGET_AVX2
#include "simd/begin_target.h"
#include ROTKIT_LANES_KERNEL
#include "simd/end_target.h"
#undef ROTKIT_TARGET
#endif

#if defined(ROTKIT_BUILD_AVX512) && !defined(ROTKIT_SCALAR_PASS_ONLY)
#define ROTKIT_TARGET ROTKIT_TARGET_AVX512
#include "simd/begin_target.h"
#include ROTKIT_LANES_KERNEL
#include "simd/end_target.h"
#undef ROTKIT_TARGET
#endif

#if defined(ROTKIT_BUILD_NEON) && !defined(ROTKIT_SCALAR_PASS_ONLY)
#define ROTKIT_TARGET ROTKIT_TARGET_NEON
#include "simd/begin_target.h"
#include ROTKIT_LANES_KERNEL
#include "simd/end_target.h"
#undef ROTKIT_TARGET
#endif
