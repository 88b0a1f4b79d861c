// rotnormalize's kernel: every quaternion of a 4 x N block of doubles,
// scalar first (w, x, y, z), divided by its length. Plain buffers, no host
// calls, no allocation. Results are defined bit for bit
// (quaternion/normalize_lanes.h holds the formula and its order), and
// every vector path gives the same bits.
#ifndef ROTKIT_NORMALIZE_COLUMNS_H
#define ROTKIT_NORMALIZE_COLUMNS_H

#include <cstdint>

#include "simd/kernel_paths.h"

// out[4k .. 4k+3] = in[4k .. 4k+3] / its length, for k < count. Runs the
// widest vector path this processor has.
// Preconditions: `in` holds 4·count doubles and `out` has room for as many;
// they do not overlap. No alignment is required.
void normalizeColumns(const double* in, double* out, std::uint32_t count);

using NormalizeColumns = void (*)(const double* in, double* out, std::uint32_t count);
// Every path of normalizeColumns this build has, scalar first.
const KernelPaths<NormalizeColumns>& normalizeColumnsPaths();

#endif
