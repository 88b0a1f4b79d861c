// motwrite's writer: a table to an OpenSim MOT or STO file: the name,
// version=1, nRows, nColumns, inDegrees, the other header lines given,
// endheader, the labels, a row per column of the data. Not a kernel: it
// allocates, throws motionfiles::InputError for what it cannot write and
// motionfiles::FileError when the file cannot be written.
#ifndef ROTKIT_MOTIONFILES_MOT_WRITER_H
#define ROTKIT_MOTIONFILES_MOT_WRITER_H

#include <cstddef>
#include <string>
#include <vector>

namespace mot {

struct WriteInput {
  std::vector<std::string> labels;   // C
  std::size_t rows = 0;              // R
  const double* data = nullptr;      // C x R
  std::string name;                  // '' for the file's name
  int inDegrees = -1;                // 1 yes, 0 no, -1 left out
  std::vector<std::string> lines;    // the header's other lines
};

void writeMot(const WriteInput& input, const std::string& path);

} // namespace mot

#endif
