// motread's header parser (mot_header.h).
#include "motionfiles/motread/mot_header.h"

#include "motionfiles/field_names.h"
#include "motionfiles/file_error.h"
#include "motionfiles/table/header_lines.h"
#include "motionfiles/text_lines.h"

#include <cmath>
#include <cstdlib>

namespace mot {

namespace {

using motionfiles::failAt;

constexpr std::size_t kMaxColumns = (std::size_t{1} << 31) - 1;

bool wholeNumber(const std::string& text, std::uint64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (!motionfiles::isAsciiDigit(c)) return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

} // namespace

bool keyAndValue(const std::string& line, std::string& key, std::string& value) {
  const std::size_t equals = line.find('=');
  if (equals != std::string::npos) {
    key = table::trimmed(line.data(), line.data() + equals);
    value = table::trimmed(line.data() + equals + 1, line.data() + line.size());
    return !key.empty();
  }
  // Older files: a word, blanks, the rest.
  const std::string text = table::trimmed(line.data(), line.data() + line.size());
  std::size_t cut = 0;
  while (cut < text.size() && !motionfiles::isBlank(text[cut])) ++cut;
  if (cut == 0 || cut == text.size()) return false;
  key = text.substr(0, cut);
  value = table::trimmed(text.data() + cut, text.data() + text.size());
  return true;
}

Header parseHeader(const char* text, std::size_t size) {
  const char* end = text + size;
  motionfiles::LineReader lines(text, end);
  motionfiles::TextLine line;
  Header header;
  bool ended = false;
  while (lines.next(line)) {
    const std::string content(line.begin, line.end);
    if (motionfiles::sameName(table::trimmed(line.begin, line.end), "endheader")) {
      ended = true;
      break;
    }
    std::string key, value;
    const bool keyed = keyAndValue(content, key, value);
    if (line.number == 1 && content.find('=') == std::string::npos) {
      header.name = keyed && motionfiles::sameName(key, "name") ? value : table::trimmed(line.begin, line.end);
      continue;
    }
    header.lines.push_back(content);
    if (!keyed) continue;
    if (motionfiles::sameName(key, "inDegrees")) {
      if (motionfiles::sameName(value, "yes")) {
        header.inDegrees = 1;
      } else if (motionfiles::sameName(value, "no")) {
        header.inDegrees = 0;
      } else {
        failAt(line.number, "header", "inDegrees is \"%s\", not yes or no.", value.c_str());
      }
    } else if (motionfiles::sameName(key, "nRows") || motionfiles::sameName(key, "datarows")) {
      header.hasRowCount = wholeNumber(value, header.rowCount);
    }
  }
  if (!ended) failAt(lines.lineNumber(), "header", "no endheader line: the file ends in its header.");
  // The labels: the next line that is not blank.
  bool found = false;
  while (!found && lines.next(line)) found = !line.isBlankLine();
  if (!found) failAt(lines.lineNumber(), "header", "no column labels after endheader.");
  header.labels = table::lineFields(line);
  while (!header.labels.empty() && header.labels.back().empty()) header.labels.pop_back();
  if (header.labels.empty()) failAt(line.number, "header", "no column labels after endheader.");
  if (header.labels.size() > kMaxColumns) failAt(line.number, "tooLarge", "more columns than the toolbox counts (2^31 - 1).");
  header.rowsBegin = lines.position();
  return header;
}

} // namespace mot
