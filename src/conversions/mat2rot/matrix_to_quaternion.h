// mat2rot's kernel: the unit quaternion (scalar first, w >= 0) of every
// 3 x 3 rotation matrix of a block of column-major pages, the inverse of
// rot2mat, by the largest-pivot method. Plain buffers, no host calls, no
// allocation. Results are defined bit for bit
// (conversions/mat2rot/matrix_to_quaternion_lanes.h holds the formulas and their
// order), and every vector path gives the same bits.
#ifndef ROTKIT_MATRIX_TO_QUATERNION_H
#define ROTKIT_MATRIX_TO_QUATERNION_H

#include <cstdint>

#include "simd/kernel_paths.h"

// q[4k .. 4k+3] = the quaternion of the matrix r[9k .. 9k+8] (column major),
// for k < count. Runs the widest vector path this processor has.
// Preconditions: `r` holds 9·count doubles, `q` has room for 4·count; they
// do not overlap. No alignment is required.
void matricesToQuaternions(const double* r, double* q, std::uint32_t count);

using MatricesToQuaternions = void (*)(const double* r, double* q, std::uint32_t count);
// Every path of matricesToQuaternions this build has, scalar first.
const KernelPaths<MatricesToQuaternions>& matricesToQuaternionsPaths();

#endif
