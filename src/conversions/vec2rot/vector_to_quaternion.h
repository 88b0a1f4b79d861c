// vec2rot's kernel: the unit quaternion (scalar first, w x y z; Hamilton
// product) of every rotation vector (axis times angle, radians) of a 3 x N
// block of doubles. Plain buffers, no host calls, no allocation. Results
// are defined bit for bit (conversions/vec2rot/vector_to_quaternion_lanes.h holds the
// formula; never a fused multiply-add), and every vector path gives the
// same bits.
#ifndef ROTKIT_VEC2ROT_VECTOR_TO_QUATERNION_H
#define ROTKIT_VEC2ROT_VECTOR_TO_QUATERNION_H

#include <cstdint>

#include "simd/kernel_paths.h"

// out[4k .. 4k+3] = the quaternion of the rotation vector at v[3k .. 3k+2],
// for k < count. Runs the widest vector path this processor has.
// Preconditions: `v` holds 3·count doubles, `out` has room for 4·count, and
// they do not overlap. No alignment is required.
void vectorsToQuaternions(const double* v, double* out, std::uint32_t count);

using VectorsToQuaternions = void (*)(const double* v, double* out, std::uint32_t count);
// Every path of vectorsToQuaternions this build has, scalar first.
const KernelPaths<VectorsToQuaternions>& vectorsToQuaternionsPaths();

#endif
