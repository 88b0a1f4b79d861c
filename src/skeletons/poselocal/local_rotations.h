// poselocal's kernel: the local rotations of a joint tree from its global
// rotations, frame by frame, on plain buffers, no host calls, no
// allocation. Quaternions scalar first (w, x, y, z), Hamilton product;
// results bit for bit (no fused multiply-add), nothing normalised. It undoes
// posechain's chaining (a joint's global rotation is its parent's global
// times its own local): a joint's local rotation is the inverse of its
// parent's global rotation times its own, each column of it exactly
// rotcompose(rotreverse(parent), joint). The formulas are in
// skeletons/poselocal/local_rotations_lanes.h; every vector path gives the
// same bits.
#ifndef ROTKIT_POSELOCAL_LOCAL_ROTATIONS_H
#define ROTKIT_POSELOCAL_LOCAL_ROTATIONS_H

#include <cstdint>

#include "simd/kernel_paths.h"

// For frames 0 .. frameCount-1 of J = jointCount joints (joint 0 the root),
// frame k's column at 4J·k of globalData and localData, joint j at rows
// 4j .. 4j+3 of it:
//   localData's joint 0 = globalData's joint 0 (copied);
//   localData's joint j = inverse(global of parent) ⊗ global of j, the
//     parent being joint parents[j] − 1 (parents holds 1-based numbers).
// Preconditions: for j = 1 .. J-1, parents[j] is finite and truncates to a
// value in 1 .. j (element 0 is never read); 4J·frameCount fits in
// size_t; localData does not overlap globalData. Runs the widest vector
// path this processor has, a large call split over worker threads
// (parallel/worker_pool.h) in frame ranges: the same bits for any split.
void localRotations(std::uint32_t jointCount, const double* parents, const double* globalData, double* localData,
                    std::uint32_t frameCount);

using LocalRotations = void (*)(std::uint32_t jointCount, const double* parents, const double* globalData,
                                double* localData, std::uint32_t frameCount);
// Every path of localRotations this build has, scalar first; each runs on
// the calling thread alone.
const KernelPaths<LocalRotations>& localRotationsPaths();

#endif
