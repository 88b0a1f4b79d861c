// posechain's kernel: forward kinematics of a joint tree over many frames,
// on plain buffers, no host calls, no allocation. Quaternions scalar first
// (w, x, y, z), Hamilton product; results bit for bit (no fused
// multiply-add), nothing normalised. The formulas are in
// skeletons/posechain/evaluate_pose_lanes.h; every vector path gives the same bits.
#ifndef ROTKIT_EVALUATE_POSE_H
#define ROTKIT_EVALUATE_POSE_H

#include <cstdint>

#include "simd/kernel_paths.h"

// Evaluates frames 0 .. frameCount-1 of J = jointCount joints, joint 0 the
// root, frame k on columns of the host's matrices:
//   parents:    J doubles; element j (j >= 1) is joint j's parent as a
//               1-based joint number. Element 0 is never read.
//   offsets:    3J doubles; joint j's offset from its parent is elements
//               3j..3j+2. The first three are never read.
//   rootData:   frame k's root position at 3k..3k+2.
//   localData:  frame k's column at localRows·k; joint j's local rotation
//               at rows 4j..4j+3.
//   globalData: receives each joint's global rotation (parent's global ⊗
//               own local, the root's a copy of its local rotation) in the
//               layout of localData.
//   jointData:  receives each joint's position, its parent's position plus
//               its offset turned by its own global rotation, the root's a
//               copy of its root position, frame k's at jointRows·k.
// Preconditions: for j = 1..J-1, parents[j] is finite and truncates to a
// value in 1..j, so every parent is evaluated before its children;
// localRows >= 4J and jointRows >= 3J; the outputs overlap no input. Rows
// from 4J (3J) on are neither read nor written. Runs the widest vector path
// this processor has, several frames at once.
void evaluatePoses(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                   const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                   std::uint32_t jointRows, std::uint32_t frameCount);

// One frame on the scalar path: the same as evaluatePoses with one frame.
void evaluatePose(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootColumn,
                  const double* localColumn, double* globalColumn, double* jointColumn);

using EvaluatePoses = void (*)(std::uint32_t jointCount, const double* parents, const double* offsets,
                               const double* rootData, const double* localData, std::uint32_t localRows,
                               double* globalData, double* jointData, std::uint32_t jointRows,
                               std::uint32_t frameCount);
// Every path of evaluatePoses this build has, scalar first.
const KernelPaths<EvaluatePoses>& evaluatePosesPaths();

// evaluatePoses with a set of offsets per frame (poseglobal): frame k's
// offsets at offsets + offsetRows·k, joint j's at 3j..3j+2 of them (the
// first three never read), offsetRows >= 3J. The same formulas: with every
// frame's offsets equal to posechain's, the same bits.
using EvaluatePosesFrameOffsets = void (*)(std::uint32_t jointCount, const double* parents, const double* offsets,
                                           std::uint32_t offsetRows, const double* rootData, const double* localData,
                                           std::uint32_t localRows, double* globalData, double* jointData,
                                           std::uint32_t jointRows, std::uint32_t frameCount);
// Every path of evaluatePosesFrameOffsets this build has, scalar first.
const KernelPaths<EvaluatePosesFrameOffsets>& evaluatePosesFrameOffsetsPaths();

#endif
