// c3dwrite's writer: markers, analog channels, events and parameters to a
// C3D file in the Intel processor format with 32-bit float storage, the
// form every reader takes. Not a kernel: it allocates (through RAII only),
// throws motionfiles::InputError for what it cannot write and
// motionfiles::FileError when the file cannot be written.
#ifndef ROTKIT_MOTIONFILES_C3D_WRITER_H
#define ROTKIT_MOTIONFILES_C3D_WRITER_H

#include <cstddef>
#include <string>
#include <vector>

namespace c3d {

// A parameter to write: char strings, or numbers (written as 16-bit
// integers when every one is a whole number in range and the name is not
// one the format keeps in floats, else as floats).
struct ParameterToWrite {
  std::string name;
  bool isText = false;
  std::vector<std::string> texts;   // isText: the strings (the first dimension their length)
  std::vector<std::size_t> dims;    // the dimensions after the strings' length, or of the numbers
  std::vector<double> numbers;
};

struct GroupToWrite {
  std::string name;
  std::vector<ParameterToWrite> parameters;
};

// What the gateway read from D, checked for class and shape. Pointers are
// the host's column-major doubles.
struct WriteInput {
  std::size_t markers = 0;               // M
  std::size_t frames = 0;                // N
  const double* points = nullptr;        // 3M x N
  const double* residuals = nullptr;     // M x N, or null
  const double* cameras = nullptr;       // M x N, or null
  std::vector<std::string> labels;       // M
  std::string units;
  double pointRate = 0;                  // positive and finite
  double firstFrame = 1;                 // a whole number from 0
  std::size_t channels = 0;              // C
  std::size_t analogColumns = 0;         // S
  const double* analog = nullptr;        // C x S, or null
  double analogRate = 0;                 // 0 when D gives none
  std::vector<std::string> analogLabels;  // C
  std::vector<std::string> analogUnits;   // C
  std::vector<double> eventTimes;
  std::vector<std::string> eventLabels, eventContexts;
  double scaleHint = 0;                  // |parameters.POINT.SCALE|, 0 without one
  std::vector<GroupToWrite> groups;      // parameters, in D's order
};

// Writes `input` to `path` through a temporary file beside it
// (motionfiles::AtomicFile): on any error the file is as it was.
void writeC3d(const WriteInput& input, const std::string& path);

} // namespace c3d

#endif
