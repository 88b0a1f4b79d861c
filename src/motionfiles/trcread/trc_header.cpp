// trcread's header parser (trc_header.h).
#include "motionfiles/trcread/trc_header.h"

#include "motionfiles/field_names.h"
#include "motionfiles/file_error.h"
#include "motionfiles/table/header_lines.h"
#include "motionfiles/table/number_rows.h"
#include "motionfiles/text_lines.h"

#include <algorithm>
#include <cmath>

namespace trc {

namespace {

using motionfiles::failAt;

// The markers the file has: more than the toolbox counts is refused.
constexpr std::size_t kMaxMarkers = (std::size_t{1} << 29) - 1;

bool nextLine(motionfiles::LineReader& lines, motionfiles::TextLine& line, std::size_t& number, const char* what) {
  if (!lines.next(line)) failAt(number, "header", "the file ends before %s.", what);
  number = line.number;
  return true;
}

bool isNumber(const std::string& text) {
  double value = 0;
  return !text.empty() && table::readTableNumber(text.data(), text.data() + text.size(), value) == table::Number::number;
}

// The marker labels of the line "Frame#, Time, labels...": each label
// stands over its marker's three columns (fields 3, 6, 9, ... from 1),
// empty fields between; a line whose labels stand elsewhere (parted by
// single tabs or blanks) lists them one after another.
std::vector<std::string> labelsOf(const std::vector<std::string>& fields) {
  std::vector<std::string> labels;
  bool placed = true;
  for (std::size_t f = 2; f < fields.size(); ++f) {
    if (!fields[f].empty() && (f - 2) % 3 != 0) placed = false;
  }
  if (placed) {
    std::size_t last = 2;
    for (std::size_t f = 2; f < fields.size(); ++f) {
      if (!fields[f].empty()) last = f + 1;
    }
    for (std::size_t f = 2; f < last; f += 3) labels.push_back(fields[f]);
    return labels;
  }
  for (std::size_t f = 2; f < fields.size(); ++f) {
    if (!fields[f].empty()) labels.push_back(fields[f]);
  }
  return labels;
}

} // namespace

Header parseHeader(const char* text, std::size_t size) {
  const char* end = text + size;
  motionfiles::LineReader lines(text, end);
  motionfiles::TextLine line;
  std::size_t number = 0;
  Header header;
  nextLine(lines, line, number, "its first line");
  std::vector<std::string> fields = table::lineFields(line);
  if (fields.empty() || !motionfiles::sameName(fields[0], "PathFileType")) {
    failAt(1, "header", "not a TRC file: the first line does not start with PathFileType.");
  }
  nextLine(lines, line, number, "the header's names (DataRate, CameraRate, ...)");
  const std::vector<std::string> names = table::lineFields(line);
  nextLine(lines, line, number, "the header's values");
  const std::vector<std::string> values = table::lineFields(line);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) continue;
    HeaderValue v;
    v.name = names[i];
    v.text = i < values.size() ? values[i] : std::string();
    v.isNumber = isNumber(v.text);
    if (v.isNumber) table::readTableNumber(v.text.data(), v.text.data() + v.text.size(), v.number);
    header.values.push_back(std::move(v));
  }
  const HeaderValue* rate = nullptr;
  for (const char* name : {"DataRate", "CameraRate"}) {
    for (const HeaderValue& v : header.values) {
      if (rate == nullptr && v.isNumber && motionfiles::sameName(v.name, name)) rate = &v;
    }
  }
  if (rate == nullptr) failAt(3, "header", "the header gives no DataRate (nor CameraRate).");
  header.pointRate = rate->number;
  for (const HeaderValue& v : header.values) {
    if (motionfiles::sameName(v.name, "Units")) header.units = v.text;
    if (motionfiles::sameName(v.name, "NumFrames") && v.isNumber && v.number >= 0 && v.number == std::floor(v.number) &&
        v.number < 1e18) {
      header.hasFrameCount = true;
      header.frameCount = static_cast<std::uint64_t>(v.number);
    }
  }
  nextLine(lines, line, number, "the marker labels (Frame#, Time, ...)");
  fields = table::lineFields(line);
  if (fields.size() < 2 || !motionfiles::sameName(fields[0], "Frame#")) {
    failAt(number, "header", "expected the marker labels, starting with Frame# and Time.");
  }
  header.labels = labelsOf(fields);
  // The coordinate names (X1, Y1, Z1, ...), where the file has them: a
  // line that does not start with a number.
  header.rowsBegin = lines.position();
  header.rowsLine = number + 1;
  if (lines.next(line)) {
    fields = table::lineFields(line);
    std::size_t first = 0;
    while (first < fields.size() && fields[first].empty()) ++first;
    if (first == fields.size() || !isNumber(fields[first])) {
      std::size_t coordinates = 0;
      for (const std::string& f : fields) coordinates += f.empty() ? 0 : 1;
      // Markers named here but not over the labels: unlabelled ones.
      header.labels.resize(std::max(header.labels.size(), (coordinates + 2) / 3));
      header.rowsBegin = lines.position();
      header.rowsLine = line.number + 1;
    }
  }
  if (header.labels.size() > kMaxMarkers) failAt(number, "tooLarge", "more markers than the toolbox counts (2^29 - 1).");
  return header;
}

} // namespace trc
