// Column-by-column Hamilton product of two quaternion arrays (4 x N blocks
// of doubles, scalar first), with a one-column side broadcast.
//
// Every path below gives the same bits: each lane of a vector path performs
// the scalar path's operations in its order, without fused multiply-add.
#ifndef ROTKIT_COMPOSE_COLUMNS_H
#define ROTKIT_COMPOSE_COLUMNS_H

#include <cstdint>

#include "simd/vector_path.h"

// outData[:, k] = q1[:, k or 0] ⊗ q2[:, k or 0] for k < outCols, where a side
// with one column is read once and used for every column. Runs the widest
// vector path this processor has.
// Preconditions: outCols is the larger of q1Cols and q2Cols, and each of them
// equals outCols or 1; q1Data holds 4·q1Cols doubles, q2Data 4·q2Cols, and
// outData has room for 4·outCols. outData must not overlap the inputs.
// No alignment is required.
void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                    double* outData, std::uint32_t outCols);

// The same, one path each; the vector paths exist where ROTKIT_BUILD_SSE2 or
// ROTKIT_BUILD_AVX2 is defined, and the AVX2 path runs only where
// widestVectorPath() says so.
void composeColumnsScalar(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                          double* outData, std::uint32_t outCols);
#if defined(ROTKIT_BUILD_SSE2)
void composeColumnsSse2(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                        double* outData, std::uint32_t outCols);
#endif
#if defined(ROTKIT_BUILD_AVX2)
void composeColumnsAvx2(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                        double* outData, std::uint32_t outCols);
#endif

#endif
