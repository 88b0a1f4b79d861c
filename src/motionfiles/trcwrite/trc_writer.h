// trcwrite's writer: markers to an OpenSim TRC file, the header OpenSim
// reads (DataRate, CameraRate, NumFrames, NumMarkers, Units, OrigDataRate,
// OrigDataStartFrame, OrigNumFrames), the labels over their columns, then
// a row per frame. Not a kernel: it allocates, throws
// motionfiles::InputError for what it cannot write and
// motionfiles::FileError when the file cannot be written.
#ifndef ROTKIT_MOTIONFILES_TRC_WRITER_H
#define ROTKIT_MOTIONFILES_TRC_WRITER_H

#include <cstddef>
#include <string>
#include <vector>

namespace trc {

struct WriteInput {
  std::size_t markers = 0;             // M
  std::size_t frames = 0;              // N
  const double* points = nullptr;      // 3M x N; NaN is a missing sample
  std::vector<std::string> labels;     // M
  double pointRate = 0;                // positive, finite
  std::string units = "mm";
  const double* frameNumbers = nullptr;  // 1 x N, or null: firstFrame, firstFrame + 1, ...
  const double* time = nullptr;          // 1 x N, or null: (frame number - 1) / pointRate
  double firstFrame = 1;
  // The header's other values, NaN where D gives none (then the rate, the
  // first frame number and N).
  double cameraRate = 0, originalRate = 0, originalFirstFrame = 0, originalFrames = 0;
};

void writeTrc(const WriteInput& input, const std::string& path);

} // namespace trc

#endif
