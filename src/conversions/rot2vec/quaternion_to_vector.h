// rot2vec's kernel: the rotation vector (axis times angle, the angle in
// [0, π]) of every quaternion (scalar first, w x y z; Hamilton product;
// need not be unit) of a 4 x N block of doubles. Plain buffers, no host
// calls, no allocation. Results are defined bit for bit
// (conversions/rot2vec/quaternion_to_vector_lanes.h holds the formula; never a fused
// multiply-add), and every vector path gives the same bits.
#ifndef ROTKIT_ROT2VEC_QUATERNION_TO_VECTOR_H
#define ROTKIT_ROT2VEC_QUATERNION_TO_VECTOR_H

#include <cstdint>

#include "simd/kernel_paths.h"

// out[3k .. 3k+2] = the rotation vector of the quaternion at q[4k .. 4k+3],
// for k < count. Runs the widest vector path this processor has.
// Preconditions: `q` holds 4·count doubles, `out` has room for 3·count, and
// they do not overlap. No alignment is required.
void quaternionsToVectors(const double* q, double* out, std::uint32_t count);

using QuaternionsToVectors = void (*)(const double* q, double* out, std::uint32_t count);
// Every path of quaternionsToVectors this build has, scalar first.
const KernelPaths<QuaternionsToVectors>& quaternionsToVectorsPaths();

#endif
