// The header lines of the text tables (TRC, MOT, STO): a line's fields,
// parted at tabs when it has any (names may hold spaces) and at runs of
// blanks otherwise, each trimmed. Part of the motion-file layer.
#ifndef ROTKIT_MOTIONFILES_TABLE_HEADER_LINES_H
#define ROTKIT_MOTIONFILES_TABLE_HEADER_LINES_H

#include "motionfiles/text_lines.h"

#include <string>
#include <vector>

namespace table {

inline std::string trimmed(const char* begin, const char* end) {
  while (begin != end && motionfiles::isBlank(*begin)) ++begin;
  while (end != begin && motionfiles::isBlank(end[-1])) --end;
  return std::string(begin, end);
}

inline bool hasTab(const motionfiles::TextLine& line) {
  for (const char* p = line.begin; p != line.end; ++p) {
    if (*p == '\t') return true;
  }
  return false;
}

// The fields of a line: at tabs (empty ones kept) when it has a tab, else
// its words.
inline std::vector<std::string> lineFields(const motionfiles::TextLine& line) {
  std::vector<std::string> fields;
  if (hasTab(line)) {
    const char* start = line.begin;
    for (const char* p = line.begin;; ++p) {
      if (p == line.end || *p == '\t') {
        fields.push_back(trimmed(start, p));
        if (p == line.end) break;
        start = p + 1;
      }
    }
    return fields;
  }
  motionfiles::WordReader words(line);
  const char* begin = nullptr;
  const char* end = nullptr;
  while (words.next(begin, end)) fields.emplace_back(begin, end);
  return fields;
}

} // namespace table

#endif
