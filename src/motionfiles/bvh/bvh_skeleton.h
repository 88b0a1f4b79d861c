// What bvhread and bvhwrite share: a BVH file's joint tree and channels as
// the file has them. Joints are numbered in the order of the file (parents
// before their children, the root first); an End Site is a joint without
// channels. Quaternions elsewhere are scalar first, Hamilton product.
#ifndef ROTKIT_MOTIONFILES_BVH_SKELETON_H
#define ROTKIT_MOTIONFILES_BVH_SKELETON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bvh {

// A channel: its axis (0 x, 1 y, 2 z) and whether it turns or moves.
enum Channel : std::uint8_t { Xposition, Yposition, Zposition, Xrotation, Yrotation, Zrotation };

inline int axisOf(std::uint8_t channel) { return channel % 3; }
inline bool isRotation(std::uint8_t channel) { return channel >= Xrotation; }

// The names, as bvhread returns them whatever the file's case.
inline const char* channelName(std::uint8_t channel) {
  static const char* const names[6] = {"Xposition", "Yposition", "Zposition",
                                       "Xrotation", "Yrotation", "Zrotation"};
  return names[channel];
}

struct Joint {
  std::string name;
  std::uint32_t parent = 0;  // 1-based; 0 for the root
  double offset[3] = {0, 0, 0};
  bool endSite = false;
  std::vector<std::uint8_t> channels;  // in the order of its CHANNELS
};

struct Skeleton {
  std::vector<Joint> joints;
  std::size_t channelCount = 0;  // of all joints
};

} // namespace bvh

#endif
