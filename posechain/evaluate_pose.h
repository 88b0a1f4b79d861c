// Forward kinematics of one frame of a joint tree: plain buffers, no host
// calls, no allocation. Quaternions scalar first (w, x, y, z), Hamilton
// product; results bit for bit (no fused multiply-add), nothing normalised.
#ifndef ROTKIT_EVALUATE_POSE_H
#define ROTKIT_EVALUATE_POSE_H

#include <cstdint>

#include "simd/vector_path.h"

// Evaluates one frame of J = jointCount joints, joint 0 the root.
//   parents:      J doubles; element j (j >= 1) is joint j's parent as a
//                 1-based joint number. Element 0 is never read.
//   offsets:      3J doubles; joint j's offset from its parent is elements
//                 3j..3j+2. The first three are never read.
//   rootColumn:   3 doubles, the root's position in this frame.
//   localColumn:  4J doubles, joint j's local rotation at rows 4j..4j+3.
//   globalColumn: room for 4J doubles; receives each joint's global
//                 rotation (parent's global ⊗ own local), the root's a copy
//                 of its local rotation.
//   jointColumn:  room for 3J doubles; receives each joint's position, its
//                 parent's position plus its offset turned by its own global
//                 rotation; the root's is a copy of rootColumn.
// Precondition: for j = 1..J-1, parents[j] is finite and truncates to a
// value in 1..j, so every parent is evaluated before its children. The
// output buffers must not overlap the inputs. With J = 0 nothing is written.
void evaluatePose(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootColumn,
                  const double* localColumn, double* globalColumn, double* jointColumn);

// Evaluates frames 0 .. frameCount-1, each exactly as evaluatePose does, on
// columns of the host's matrices: frame k reads rootData + 3k and localData +
// localRows·k, and writes globalData + localRows·k and jointData +
// jointRows·k. Frames are independent, so the vector paths evaluate several
// at once, one per lane; every path gives evaluatePose's bits. Runs the
// widest vector path this processor has.
// Preconditions: evaluatePose's, and localRows >= 4J, jointRows >= 3J.
// Rows from 4J (3J) on are neither read nor written.
void evaluatePoses(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                   const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                   std::uint32_t jointRows, std::uint32_t frameCount);

// The same, one path each; the vector paths exist where ROTKIT_BUILD_SSE2 or
// ROTKIT_BUILD_AVX2 is defined, and the AVX2 path runs only where
// widestVectorPath() says so.
void evaluatePosesScalar(std::uint32_t jointCount, const double* parents, const double* offsets,
                         const double* rootData, const double* localData, std::uint32_t localRows, double* globalData,
                         double* jointData, std::uint32_t jointRows, std::uint32_t frameCount);
#if defined(ROTKIT_BUILD_SSE2)
void evaluatePosesSse2(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                       const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                       std::uint32_t jointRows, std::uint32_t frameCount);
#endif
#if defined(ROTKIT_BUILD_AVX2)
void evaluatePosesAvx2(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                       const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                       std::uint32_t jointRows, std::uint32_t frameCount);
#endif

#endif
