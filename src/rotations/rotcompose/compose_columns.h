// rotcompose's kernel: the column-by-column Hamilton product of two
// quaternion arrays (4 x N blocks of doubles, scalar first), with a
// one-column side broadcast. Plain buffers, no host calls, no allocation.
// Results are defined bit for bit (quaternion/lanes.h holds the product and
// its term order), and every vector path gives the same bits.
#ifndef ROTKIT_COMPOSE_COLUMNS_H
#define ROTKIT_COMPOSE_COLUMNS_H

#include <cstdint>

#include "simd/kernel_paths.h"

// outData[:, k] = q1[:, k or 0] ⊗ q2[:, k or 0] for k < outCols, where a side
// with one column is read once and used for every column. Runs the widest
// vector path this processor has.
// Preconditions: outCols is the larger of q1Cols and q2Cols, and each of them
// equals outCols or 1; q1Data holds 4·q1Cols doubles, q2Data 4·q2Cols, and
// outData has room for 4·outCols. outData must not overlap the inputs.
// No alignment is required.
void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                    double* outData, std::uint32_t outCols);

using ComposeColumns = void (*)(const double* q1Data, std::uint32_t q1Cols, const double* q2Data,
                                std::uint32_t q2Cols, double* outData, std::uint32_t outCols);
// Every path of composeColumns this build has, scalar first.
const KernelPaths<ComposeColumns>& composeColumnsPaths();

#endif
