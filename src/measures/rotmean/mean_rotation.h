// rotmean's kernel: the weighted chordal L2 mean of the rotations in each
// joint's rows of a 4J x N block of quaternions (scalar first, w x y z;
// need not be unit): the unit eigenvector, w >= 0, of the largest
// eigenvalue of Σ_k w_k·q_k·q_kᵀ/|q_k|² (Markley, Cheng, Crassidis and
// Oshman 2007). Plain buffers, no host calls, no allocation. Results are
// defined bit for bit (measures/rotmean/mean_rotation_lanes.h holds the
// formulas and the fixed order of every sum; never a fused multiply-add),
// the same on every vector path and for any number of threads.
#ifndef ROTKIT_ROTMEAN_MEAN_ROTATION_H
#define ROTKIT_ROTMEAN_MEAN_ROTATION_H

#include <cstddef>
#include <cstdint>

#include "simd/kernel_paths.h"

// The doubles of scratch meanRotations needs for J joints over N frames.
std::size_t meanRotationsScratch(std::uint32_t jointCount, std::uint32_t frameCount);

// out[4j .. 4j+3] = the mean rotation of joint j: of the quaternions at
// q[4J·k + 4j .. 4J·k + 4j + 3] for frames k < frameCount, frame k weighted
// by weights[k] (all 1 when weights is null). A frame whose quaternion has
// a NaN or infinite component, is zero, or has weight 0 is left out of
// that joint's mean. Where no frame is left, or the largest eigenvalue is
// not unique (the two largest lie within 2^-44 of the total weight of each
// other), the mean is NaN. Runs the widest vector path this processor has,
// large calls split over worker threads (parallel/worker_pool.h).
// Preconditions: weights, when given, are finite and >= 0; scratch holds
// meanRotationsScratch(jointCount, frameCount) doubles; out has room for 4J
// and overlaps nothing else.
void meanRotations(const double* q, std::uint32_t jointCount, std::uint32_t frameCount, const double* weights,
                   double* out, double* scratch);

using MeanRotations = void (*)(const double* q, std::uint32_t jointCount, std::uint32_t frameCount,
                               const double* weights, double* out, double* scratch);
// Every path of meanRotations this build has, scalar first; each runs on
// the calling thread alone and gives the bits of meanRotations.
const KernelPaths<MeanRotations>& meanRotationsPaths();

#endif
