// motwrite's writer (mot_writer.h).
#include "motionfiles/motwrite/mot_writer.h"

#include "motionfiles/field_names.h"
#include "motionfiles/file_io.h"
#include "motionfiles/input_error.h"
#include "motionfiles/motread/mot_header.h"
#include "motionfiles/table/header_lines.h"
#include "motionfiles/table/row_writer.h"

namespace mot {

namespace {

using motionfiles::refuseInput;

bool holdsLineEnd(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// The name of the file without its folders and extension.
std::string stem(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The lines motwrite writes itself.
bool isOwnLine(const std::string& line) {
  if (motionfiles::sameName(table::trimmed(line.data(), line.data() + line.size()), "endheader")) return true;
  std::string key, value;
  if (!keyAndValue(line, key, value)) return false;
  for (const char* own : {"version", "nRows", "nColumns", "inDegrees", "datarows", "datacolumns"}) {
    if (motionfiles::sameName(key, own)) return true;
  }
  return false;
}

} // namespace

void writeMot(const WriteInput& in, const std::string& path) {
  const std::size_t C = in.labels.size();
  for (std::size_t c = 0; c < C; ++c) {
    const std::string& label = in.labels[c];
    if (label.empty() || label.find_first_of("\t\r\n") != std::string::npos) {
      refuseInput("labels", "label %zu must not be empty, nor hold a tab or a line end.", c + 1);
    }
  }
  const std::string name = in.name.empty() ? stem(path) : in.name;
  if (holdsLineEnd(name) || name.find('=') != std::string::npos) {
    refuseInput("name", "T.name must be one line without \"=\".");
  }
  std::string header = name + "\nversion=1\nnRows=" + std::to_string(in.rows) + "\nnColumns=" + std::to_string(C) + "\n";
  if (in.inDegrees >= 0) header += in.inDegrees > 0 ? "inDegrees=yes\n" : "inDegrees=no\n";
  for (const std::string& line : in.lines) {
    if (holdsLineEnd(line)) refuseInput("header", "T.header holds a line with a line end in it.");
    if (!isOwnLine(line)) header += line + "\n";
  }
  header += "endheader\n";
  for (std::size_t c = 0; c < C; ++c) header += (c > 0 ? "\t" : "") + in.labels[c];
  header += "\n";

  motionfiles::AtomicFile file(path);
  file.write(header.data(), header.size());
  const double* data = in.data;
  table::writeRows(file, in.rows, C, table::NotFinite::words, [&](std::size_t r, std::size_t c) { return data[C * r + c]; });
  file.commit();
}

} // namespace mot
