// poseglobal's kernel: forward kinematics of a joint tree over many frames,
// every joint's position and global rotation, the offsets the same in
// every frame or a set per frame. Quaternions scalar first (w, x, y, z),
// Hamilton product; results bit for bit (no fused multiply-add): the
// formulas are posechain's (skeletons/posechain/evaluate_pose_lanes.h), so
// with constant offsets the positions are posechain's and the global
// rotations the ones it chains. Plain buffers, no host calls, no allocation.
#ifndef ROTKIT_POSEGLOBAL_POSE_GLOBAL_H
#define ROTKIT_POSEGLOBAL_POSE_GLOBAL_H

#include <cstdint>

// Frames 0 .. frameCount-1 of J = jointCount joints, joint 0 the root:
//   parents    J doubles, joint j's parent (1-based) at j >= 1, a whole
//              number from 1 to j; element 0 never read.
//   offsets    3J doubles (frameOffsets false: the same for every frame) or
//              3J x frameCount (true: frame k's at 3J·k); joint j's at 3j.
//              The root's never read.
//   rootData   3 x frameCount: the root's position in each frame.
//   localData  4J x frameCount: joint j's local rotation at rows 4j..4j+3.
//   globalData 4J x frameCount: receives the global rotations (parent's
//              global ⊗ own local; the root's its local).
//   jointData  3J x frameCount: receives the positions (parent's position
//              plus own offset turned by own global rotation; the root's
//              its rootData).
// The outputs overlap no input. Large calls split their frames over the
// worker threads (parallel/worker_pool.h); the bits do not depend on it.
void poseGlobal(std::uint32_t jointCount, const double* parents, const double* offsets, bool frameOffsets,
                const double* rootData, const double* localData, double* globalData, double* jointData,
                std::uint32_t frameCount);

#endif
