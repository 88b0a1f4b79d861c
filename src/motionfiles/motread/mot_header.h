// motread's header parser: the lines of an OpenSim MOT or STO file up to
// "endheader" (the name, key=value lines such as nRows and inDegrees, and
// free text), then the line of column labels. Not a kernel: it allocates
// and throws motionfiles::FileError naming the line.
#ifndef ROTKIT_MOTIONFILES_MOT_HEADER_H
#define ROTKIT_MOTIONFILES_MOT_HEADER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mot {

struct Header {
  std::string name;                  // the first line when it is a name ("name N" in older files: N)
  std::vector<std::string> lines;    // the other lines before endheader, as written
  int inDegrees = -1;                // inDegrees=yes 1, =no 0, absent -1
  bool hasRowCount = false;          // nRows=N (datarows N in older files)
  std::uint64_t rowCount = 0;
  std::vector<std::string> labels;   // the column labels
  const char* rowsBegin = nullptr;   // the text after the labels
};

Header parseHeader(const char* text, std::size_t size);

// The key of a header line "key=value" or "key value" (older files), and
// its value, both trimmed; false for a line that is neither.
bool keyAndValue(const std::string& line, std::string& key, std::string& value);

} // namespace mot

#endif
