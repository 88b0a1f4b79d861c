// asfread's layout: an ASF skeleton and its AMC motion as posechain takes
// them, the way bvhread gives a BVH file. Every bone is a joint at its
// start (its parent's end), turned by the bone's rotation; a bone without
// children ends in an End Site at its end; the root comes first and
// parents before children, depth first in the order of :hierarchy.
// Quaternions scalar first, Hamilton product; the rotations are eul2rot's
// and rotcompose's bits.
#ifndef ROTKIT_MOTIONFILES_ASF_MOTION_H
#define ROTKIT_MOTIONFILES_ASF_MOTION_H

#include "motionfiles/asfread/asf_parser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace asf {

constexpr std::size_t kRoot = static_cast<std::size_t>(-1);

struct Joints {
  std::vector<std::uint32_t> parents;  // 1-based; 0 for the root
  std::vector<std::string> names;      // "root", the bones' names, "<bone>_end" for End Sites
  std::vector<double> offsets;         // 3 x J, in the rest pose's (world) axes
  std::vector<bool> endSites;
  std::vector<std::size_t> bone;       // the bone a joint stands for (its End Site's too), kRoot for the root
  // The rotation in a joint's rows of localRotations: its parent's bone
  // (kRoot: the root's), the End Site's own bone; none for the root.
  std::vector<std::size_t> turnedBy;
};

Joints jointsOf(const Skeleton& skeleton);

// motion.rootPositions, 3 x N: the root's position plus its translations.
void fillRootPositions(const Skeleton& skeleton, const Motion& motion, double* positions);

// motion.localRotations, 4J x N: each joint's rows hold the rotation that
// turns its offset, C M C^-1 (C the bone's axis frame, M the product of its
// degrees of freedom, first listed turning first); the root's rows the
// identity.
void fillRotations(const Skeleton& skeleton, const Motion& motion, const Joints& joints, double* local);

} // namespace asf

#endif
