// bvhread's parser: the text of a BVH file, in memory, to its joint tree
// and its channel values. Not a kernel: it allocates (through RAII only)
// and throws motionfiles::FileError, naming the line, for every fault.
#ifndef ROTKIT_MOTIONFILES_BVH_PARSER_H
#define ROTKIT_MOTIONFILES_BVH_PARSER_H

#include "motionfiles/bvh/bvh_skeleton.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bvh {

struct ParsedFile {
  Skeleton skeleton;
  double frameTime = 0;
  std::size_t frames = 0;     // frames read
  std::vector<double> values;  // channelCount x frames: frame k's values at channelCount·k, in file order
  // "Frames:" as the file says it (saturated), and where the frame lines
  // begin; a count that differs from `frames` is the caller's to report.
  std::uint64_t announcedFrames = 0;
};

// Parses the text [text, text + size). The file: HIERARCHY, one ROOT with
// JOINT and End Site blocks in braces, each with one OFFSET and (but End
// Sites) at most one CHANNELS; a line MOTION; "Frames: N"; "Frame Time: T"
// (T > 0); then a line per frame with a number per channel, blank lines
// skipped. Keywords in any case. A count of frame lines other than N is
// read as the lines are (every complete frame); a frame line with too few
// or too many values is an error. Faults throw FileError.
ParsedFile parseBvh(const char* text, std::size_t size);

} // namespace bvh

#endif
