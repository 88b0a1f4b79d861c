// rotapply's kernel: vectors (3 x N, x y z) turned by quaternions (4 x N,
// scalar first, Hamilton product), column by column, with a one-column side
// broadcast: the active rotation q·v·q*, q not normalised. Plain buffers,
// no host calls, no allocation. Results are defined bit for bit
// (quaternion/lanes.h's rotateVector, as posechain uses it), and every
// vector path gives the same bits.
#ifndef ROTKIT_APPLY_ROTATION_H
#define ROTKIT_APPLY_ROTATION_H

#include <cstdint>

#include "simd/kernel_paths.h"

// outData[:, k] = v[:, k or 0] turned by q[:, k or 0] for k < outCols,
// where a side with one column is used for every column. Runs the widest
// vector path this processor has.
// Preconditions: when outCols > 0, each of qCols and vCols equals outCols
// or 1; qData holds 4·qCols doubles, vData 3·vCols, and outData has room
// for 3·outCols; outData overlaps neither input. With outCols = 0 nothing
// is read or written. No alignment is required.
void applyRotations(const double* qData, std::uint32_t qCols, const double* vData, std::uint32_t vCols,
                    double* outData, std::uint32_t outCols);

using ApplyRotations = void (*)(const double* qData, std::uint32_t qCols, const double* vData,
                                std::uint32_t vCols, double* outData, std::uint32_t outCols);
// Every path of applyRotations this build has, scalar first.
const KernelPaths<ApplyRotations>& applyRotationsPaths();

#endif
