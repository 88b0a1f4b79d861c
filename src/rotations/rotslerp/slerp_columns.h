// rotslerp's kernel: spherical interpolation column by column, between
// quaternions (scalar first: w, x, y, z) of two 4 x N blocks at the
// parameters of a 1 x N row, along the shorter arc, with a normalised linear
// blend where the two lie closer together than 0.999 (their dot product).
// Plain buffers, no host calls, no allocation. The formulas are
// quaternion/slerp_lanes.h's, the same as rotblend's, so column k is bit for
// bit rotblend(q1(:, k), q2(:, k), t(k)); no fused multiply-add, and every
// vector path gives the same bits.
#ifndef ROTKIT_SLERP_COLUMNS_H
#define ROTKIT_SLERP_COLUMNS_H

#include <cstdint>

#include "simd/kernel_paths.h"

// outData[:, k] = the rotation at t[k] between q1[:, k] and q2[:, k] for
// k < outCols, where a side with one column (t: one value) is read once and
// used for every column. Runs the widest vector path this processor has,
// a large call split over worker threads (parallel/worker_pool.h) in column
// ranges: the same bits for any thread count.
// Preconditions: q1Cols, q2Cols and tCols each equal outCols or 1 (all of
// them may be 1 with outCols 0); q1Data holds 4·q1Cols doubles, q2Data
// 4·q2Cols, tData tCols, and outData has room for 4·outCols. outData must
// not overlap the inputs. No alignment is required; nothing is read when
// outCols is 0.
void slerpColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                  const double* tData, std::uint32_t tCols, double* outData, std::uint32_t outCols);

using SlerpColumns = void (*)(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                              const double* tData, std::uint32_t tCols, double* outData, std::uint32_t outCols);
// Every path of slerpColumns this build has, scalar first.
const KernelPaths<SlerpColumns>& slerpColumnsPaths();

#endif
