// rotdist's kernel: the angle, in [0, π], of the rotation that carries each
// quaternion of one 4 x N block onto its partner in another (scalar first,
// w x y z; Hamilton product; need not be unit; q and −q the same rotation).
// Plain buffers, no host calls, no allocation. Results are defined bit for
// bit (measures/rotdist/rotation_distance_lanes.h holds the formula; never a
// fused multiply-add), and every vector path gives the same bits.
#ifndef ROTKIT_ROTDIST_ROTATION_DISTANCE_H
#define ROTKIT_ROTDIST_ROTATION_DISTANCE_H

#include <cstdint>

#include "simd/kernel_paths.h"

// out[k] = the angle between q1[:, k or 0] and q2[:, k or 0] for k < outCols,
// where a side with one column is read once and used for every column.
// Runs the widest vector path this processor has, a large call split over
// worker threads (parallel/worker_pool.h) in column ranges: the same bits
// for any split.
// Preconditions: q1Cols and q2Cols each equal outCols or 1; q1Data holds
// 4·q1Cols doubles, q2Data 4·q2Cols, out has room for outCols and overlaps
// neither. Nothing is read when outCols is 0.
void rotationDistances(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                       double* out, std::uint32_t outCols);

using RotationDistances = void (*)(const double* q1Data, std::uint32_t q1Cols, const double* q2Data,
                                   std::uint32_t q2Cols, double* out, std::uint32_t outCols);
// Every path of rotationDistances this build has, scalar first; each runs
// on the calling thread alone.
const KernelPaths<RotationDistances>& rotationDistancesPaths();

#endif
