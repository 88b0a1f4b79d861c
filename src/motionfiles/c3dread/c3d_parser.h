// c3dread's parser: a C3D file in memory to its groups and parameters and
// the layout of its frames, checked in full before anything is decoded;
// then the frames themselves, decoded into the caller's buffers. Not a
// kernel: the parser allocates (through RAII only) and throws
// motionfiles::FileError for every fault; the decoding makes no host call
// and allocates nothing.
#ifndef ROTKIT_MOTIONFILES_C3D_PARSER_H
#define ROTKIT_MOTIONFILES_C3D_PARSER_H

#include "motionfiles/c3d/c3d_format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace c3d {

struct Group {
  int id = 0;  // 1 to 127 (stored negated in the file)
  std::string name;
};

struct Parameter {
  std::string name;
  int group = 0;                   // its group's id
  int type = 0;                    // -1 char, 1 byte (unsigned), 2 16-bit integer (signed), 4 float
  std::vector<std::size_t> dims;   // none for a single value
  std::vector<double> numbers;     // a numeric parameter's values, the first dimension fastest
  std::string text;                // a char parameter's bytes
};

struct Event {
  double time = 0;  // seconds
  std::string label;
  std::string context;
};

// Everything c3dread returns but the frames.
struct FileLayout {
  Processor processor = Processor::intel;
  std::vector<Group> groups;          // in the order of the file
  std::vector<Parameter> parameters;  // in the order of the file

  std::size_t points = 0;             // markers in a frame (M)
  std::size_t analogChannels = 0;     // C
  std::size_t samplesPerFrame = 0;    // analog samples of each channel in a point frame
  bool floats = false;                // 32-bit float storage (POINT:SCALE < 0), else 16-bit integers
  double scale = 0;                   // POINT:SCALE (the header's where it has none)
  std::uint64_t dataOffset = 0;       // the first frame's byte
  std::size_t frameBytes = 0;
  std::uint64_t announcedFrames = 0;  // what the header and parameters say
  std::size_t frames = 0;             // the complete frames read: at most announcedFrames
  double firstFrame = 0;
  double pointRate = 0;
  double analogRate = 0;
  std::string units;
  std::vector<std::string> labels;          // M, trimmed
  std::vector<std::string> analogLabels;    // C
  std::vector<std::string> analogUnits;     // C
  std::vector<double> analogOffsets;        // C
  std::vector<double> analogScales;         // C
  double generalScale = 1;
  bool unsignedAnalog = false;              // ANALOG:FORMAT UNSIGNED
  std::vector<Event> events;
};

// Parses the header and the parameter section of [data, data + size) and
// works out where every frame lies. Faults throw motionfiles::FileError
// (line 0; the reason is the identifier's last word).
FileLayout parseC3d(const unsigned char* data, std::size_t size);

// Decodes frames [first, first + count) of a parsed file into column k -
// first of: points (3M rows: x, y, z of each marker; NaN for a missing
// sample), residuals and cameras (M rows; NaN where missing) and analog
// (C rows, samplesPerFrame columns a frame, in physical units), each
// with room for its columns (analog may be null when C is 0).
void decodeFrames(const unsigned char* data, const FileLayout& layout, std::size_t first, std::size_t count,
                  double* points, double* residuals, double* cameras, double* analog);

// A char parameter's strings: one per column of its first dimension, each
// cut at its first NUL and trimmed of trailing blanks (and leading ones
// too when `both`).
std::vector<std::string> parameterTexts(const Parameter& parameter, bool both);

// The parameter group:name (ASCII case ignored), or null.
const Parameter* findParameter(const FileLayout& layout, const char* group, const char* name);

} // namespace c3d

#endif
