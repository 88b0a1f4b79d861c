// trcread's header parser: the five lines of an OpenSim TRC marker file
// before its rows (PathFileType, the names and values of the header, the
// marker labels, the coordinate names). Not a kernel: it allocates and
// throws motionfiles::FileError naming the line.
#ifndef ROTKIT_MOTIONFILES_TRC_HEADER_H
#define ROTKIT_MOTIONFILES_TRC_HEADER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trc {

struct HeaderValue {
  std::string name;
  std::string text;
  bool isNumber = false;
  double number = 0;
};

struct Header {
  std::vector<HeaderValue> values;   // the second and third lines, paired
  std::vector<std::string> labels;   // M: the markers, '' for one without a label
  double pointRate = 0;              // DataRate (CameraRate without one)
  std::string units;
  bool hasFrameCount = false;        // NumFrames, as a whole number
  std::uint64_t frameCount = 0;
  const char* rowsBegin = nullptr;   // the text after the header
  std::size_t rowsLine = 0;          // the line number of the first line there
};

// Parses the header of the text [text, text + size).
Header parseHeader(const char* text, std::size_t size);

} // namespace trc

#endif
