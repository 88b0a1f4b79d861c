// rotunwrap's kernel: quaternions (scalar first, w x y z) of a 4J x N block,
// J joints per column, each negated where needed so that every column lies
// on the same side as the one before it (a dot product >= 0 with it, joint
// by joint). Plain buffers, no host calls, no allocation. Only signs change,
// so every value is its input's, bit for bit, or that negated; every vector
// path and thread count gives the same bits
// (timeseries/rotunwrap/unwrap_signs_lanes.h holds the rule).
#ifndef ROTKIT_ROTUNWRAP_UNWRAP_SIGNS_H
#define ROTKIT_ROTUNWRAP_UNWRAP_SIGNS_H

#include <cstdint>

#include "simd/kernel_paths.h"

// out = q with the signs of its columns chosen as above, joint by joint; the
// first column as it is. Runs the widest vector path this processor has, a
// large call split over worker threads (parallel/worker_pool.h).
// Preconditions: q holds 4·joints·count doubles, out has room for as many,
// and they do not overlap. No alignment is required.
void unwrapSigns(const double* q, std::uint32_t joints, std::uint32_t count, double* out);

// Columns [begin, end) of every joint unwrapped on their own: column begin
// kept, each later one on the side of the one before it.
using UnwrapColumns = void (*)(const double* q, std::uint32_t joints, std::uint32_t begin, std::uint32_t end,
                               double* out);
// Every path of the unwrapping this build has, scalar first.
const KernelPaths<UnwrapColumns>& unwrapColumnsPaths();

#endif
