// bvhread's motion: a parsed BVH file (bvh_parser.h) laid out as posechain
// and poseglobal take it. Quaternions scalar first (w, x, y, z), Hamilton
// product; the rotations are eul2rot's and rotcompose's bits, as the
// toolbox's functions give them. Every output buffer is the host's, zero
// filled, column-major.
#ifndef ROTKIT_MOTIONFILES_BVH_MOTION_H
#define ROTKIT_MOTIONFILES_BVH_MOTION_H

#include "motionfiles/bvhread/bvh_parser.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bvh {

// What the outputs hold, known before any is created.
struct MotionLayout {
  std::size_t joints = 0;
  std::size_t frames = 0;
  std::vector<std::uint32_t> leafJoints;  // 1-based: joints (not End Sites) without children
  std::vector<bool> changing;             // joints (not the root) whose translation changes over frames
  bool anyChanging = false;               // then motion.offsets is returned
  std::vector<std::size_t> firstChannel;  // each joint's first channel among a frame's values
};

MotionLayout layoutOf(const ParsedFile& file);

// A joint's translation in frame k along an axis: the OFFSET's coordinate,
// or the position channel's value where the joint has one for that axis.
// (Where the OFFSET's coordinate is zero the two are added, which earlier
// versions did for the root: the same value, and the same sign of zero.)
double translation(const ParsedFile& file, const MotionLayout& layout, std::size_t joint, int axis, std::size_t k);

// skel.offsets, 3 x J: each joint's translation where it is the same in
// every frame, NaN where it changes; the root's column is its OFFSET.
void fillJointOffsets(const ParsedFile& file, const MotionLayout& layout, double* offsets);
// motion.rootPositions, 3 x N: the root's translation in every frame.
void fillRootPositions(const ParsedFile& file, const MotionLayout& layout, double* positions);
// motion.offsets, 3J x N: every joint's translation in every frame.
void fillFrameOffsets(const ParsedFile& file, const MotionLayout& layout, double* offsets);
// motion.localRotations (4J x N: joint j's rows hold the BVH rotation of
// its parent, the root's the identity) and motion.leafRotations (4L x N:
// the rotations of layout.leafJoints).
void fillRotations(const ParsedFile& file, const MotionLayout& layout, double* local, double* leaf);

} // namespace bvh

#endif
