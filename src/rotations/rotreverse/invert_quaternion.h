// rotreverse's kernel: the inverse of every quaternion of a 4 x N block of
// doubles, scalar first (w, x, y, z): the conjugate divided by the squared
// norm. Plain buffers, no host calls, no allocation. Results are defined bit
// for bit (rotations/rotreverse/invert_columns_lanes.h holds the formula), and every
// vector path gives the same bits.
#ifndef ROTKIT_INVERT_QUATERNION_H
#define ROTKIT_INVERT_QUATERNION_H

#include <cstdint>

#include "simd/kernel_paths.h"

// Inverts `count` quaternions in storage order: the group of four doubles
// at in[4k] goes, inverted, to out[4k], for k = 0 .. count - 1. Runs the
// widest vector path this processor has.
// Preconditions: `in` holds at least 4·count doubles and `out` has room for
// 4·count; the two do not overlap. No alignment is required.
void invertColumns(const double* in, double* out, std::uint32_t count);

using InvertColumns = void (*)(const double* in, double* out, std::uint32_t count);
// Every path of invertColumns this build has, scalar first.
const KernelPaths<InvertColumns>& invertColumnsPaths();

#endif
