// rot2mat's kernel: the rotation matrix of every quaternion of a 4 x N
// block of doubles (scalar first, Hamilton product, active rotation), as
// 3 x 3 column-major pages. Plain buffers, no host calls, no allocation.
// Results are defined bit for bit (conversions/rot2mat/quaternion_to_matrix_lanes.h
// holds the formulas and their order), and every vector path gives the
// same bits. Nothing is normalised: a non-unit q gives |q|² times a rotation.
#ifndef ROTKIT_QUATERNION_TO_MATRIX_H
#define ROTKIT_QUATERNION_TO_MATRIX_H

#include <cstdint>

#include "simd/kernel_paths.h"

// r[9k .. 9k+8] = the matrix of v -> q·v·q* for q = q[4k .. 4k+3], column
// major, for k < count. Runs the widest vector path this processor has.
// Preconditions: `q` holds 4·count doubles, `r` has room for 9·count; they
// do not overlap. No alignment is required.
void quaternionsToMatrices(const double* q, double* r, std::uint32_t count);

using QuaternionsToMatrices = void (*)(const double* q, double* r, std::uint32_t count);
// Every path of quaternionsToMatrices this build has, scalar first.
const KernelPaths<QuaternionsToMatrices>& quaternionsToMatricesPaths();

#endif
