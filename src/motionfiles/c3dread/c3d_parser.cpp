// c3dread's parser (c3d_parser.h): the header, every record of the
// parameter section, the counts that place the frames, the frames.
#include "motionfiles/c3dread/c3d_parser.h"

#include "motionfiles/field_names.h"
#include "motionfiles/file_error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace c3d {

namespace {

using motionfiles::failAt;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Frames and samples beyond these do not fit the data model.
constexpr std::uint64_t kMaxColumns = (std::uint64_t{1} << 31) - 1;

struct HeaderWords {
  const unsigned char* data;
  Processor processor;
  // Word w of the header, counting from 1 as the format's documents do.
  std::uint16_t word(int w) const { return readU16(data + 2 * (w - 1), processor); }
  double floatAt(int w) const { return readFloat(data + 2 * (w - 1), processor); }
};

std::string printable(const std::string& name) {
  std::string out;
  for (char c : name) out += (c >= 32 && c < 127) ? c : '?';
  return out;
}

// Parses one parameter's type, dimensions and data at [p, end); returns
// the byte after its data.
std::size_t readParameterData(const unsigned char* data, std::size_t p, std::size_t end, Processor processor,
                              Parameter& parameter, std::size_t recordStart) {
  if (p + 2 > end) failAt(0, "parameters", "the parameter \"%s\" at byte %zu ends before its type and dimensions.",
                          printable(parameter.name).c_str(), recordStart);
  const int type = static_cast<signed char>(data[p]);
  if (type != -1 && type != 1 && type != 2 && type != 4) {
    failAt(0, "parameters", "the parameter \"%s\" at byte %zu has the type %d (known: -1 char, 1 byte, 2 integer, 4 float).",
           printable(parameter.name).c_str(), recordStart, type);
  }
  parameter.type = type;
  const std::size_t dimCount = data[p + 1];
  p += 2;
  if (p + dimCount > end) failAt(0, "parameters", "the parameter \"%s\" at byte %zu ends in its dimensions.",
                                 printable(parameter.name).c_str(), recordStart);
  const std::size_t width = static_cast<std::size_t>(type < 0 ? 1 : type);
  std::size_t count = 1;
  for (std::size_t d = 0; d < dimCount; ++d) {
    const std::size_t dim = data[p + d];
    parameter.dims.push_back(dim);
    // Bounded by the bytes left, so the product cannot wrap.
    if (count != 0) count = dim == 0 ? 0 : (count <= (end - p) / dim ? count * dim : end);
  }
  p += dimCount;
  if (count > (end - p) / width) {
    failAt(0, "parameters", "the data of the parameter \"%s\" at byte %zu runs past its record.",
           printable(parameter.name).c_str(), recordStart);
  }
  const unsigned char* values = data + p;
  if (type == -1) {
    parameter.text.assign(reinterpret_cast<const char*>(values), count);
  } else {
    parameter.numbers.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const unsigned char* v = values + width * i;
      parameter.numbers[i] = type == 1 ? static_cast<double>(v[0])
                             : type == 2 ? static_cast<double>(readI16(v, processor))
                                         : readFloat(v, processor);
    }
  }
  return p + count * width;
}

// The records of the parameter section, from `start` (after its four
// bytes) to `limit`; returns the byte after the last record's data.
std::size_t readRecords(const unsigned char* data, std::size_t start, std::size_t limit, FileLayout& layout) {
  std::size_t p = start;
  std::size_t last = start;
  while (p + 2 <= limit) {
    const int nameLength = static_cast<signed char>(data[p]);
    const int id = static_cast<signed char>(data[p + 1]);
    if (nameLength == 0 || id == 0) break;  // the section's end
    const std::size_t n = static_cast<std::size_t>(nameLength < 0 ? -nameLength : nameLength);  // negative: locked
    if (p + 2 + n + 2 > limit) {
      failAt(0, "parameters", "the record at byte %zu runs past the parameter section.", p);
    }
    const std::string name(reinterpret_cast<const char*>(data + p + 2), n);
    const std::size_t offsetAt = p + 2 + n;
    const int next = readI16(data + offsetAt, layout.processor);
    if (next < 0) {
      failAt(0, "parameters", "the record \"%s\" at byte %zu points back to an earlier byte (%d).",
             printable(name).c_str(), p, next);
    }
    const std::size_t nextAt = offsetAt + static_cast<std::size_t>(next);
    const std::size_t end = next > 0 ? std::min(nextAt, limit) : limit;
    if (id < 0) {
      Group group;
      group.id = -id;
      group.name = name;
      layout.groups.push_back(std::move(group));
      last = std::max(last, offsetAt + 2);
    } else {
      Parameter parameter;
      parameter.name = name;
      parameter.group = id;
      last = std::max(last, readParameterData(data, offsetAt + 2, end, layout.processor, parameter, p));
      layout.parameters.push_back(std::move(parameter));
    }
    // 0 marks the last record; an offset at or past the section's end
    // too (writers point the last one at the end of its block).
    if (next == 0 || nextAt >= limit) break;
    p = nextAt;
  }
  return last;
}

// A count a parameter holds in its first value: a 16-bit integer read
// without sign (the format's counts go to 65535), or a whole float.
bool countOf(const Parameter* parameter, std::uint64_t& count) {
  if (parameter == nullptr || parameter->numbers.empty()) return false;
  double v = parameter->numbers[0];
  if (parameter->type == 2 && v < 0) v += 65536;
  if (!(v >= 0 && v < 4294967296.0 && v == std::floor(v))) return false;
  count = static_cast<std::uint64_t>(v);
  return true;
}

// A 32-bit count from two 16-bit words, low word first (TRIAL:ACTUAL_START_FIELD).
bool longCountOf(const Parameter* parameter, std::uint64_t& count) {
  if (parameter == nullptr || parameter->numbers.size() < 2 || parameter->type != 2) return false;
  double low = parameter->numbers[0], high = parameter->numbers[1];
  if (low < 0) low += 65536;
  if (high < 0) high += 65536;
  count = static_cast<std::uint64_t>(low) + 65536 * static_cast<std::uint64_t>(high);
  return true;
}

// The strings of a parameter and its continuations (LABELS, LABELS2, ...).
std::vector<std::string> continuedTexts(const FileLayout& layout, const char* group, const char* name) {
  std::vector<std::string> texts;
  for (int k = 1; k < 1000; ++k) {
    const std::string part = k == 1 ? std::string(name) : std::string(name) + std::to_string(k);
    const Parameter* parameter = findParameter(layout, group, part.c_str());
    if (parameter == nullptr) break;
    if (parameter->type != -1) continue;
    const std::vector<std::string> more = parameterTexts(*parameter, true);
    texts.insert(texts.end(), more.begin(), more.end());
  }
  return texts;
}

std::vector<double> continuedNumbers(const FileLayout& layout, const char* group, const char* name) {
  std::vector<double> numbers;
  for (int k = 1; k < 1000; ++k) {
    const std::string part = k == 1 ? std::string(name) : std::string(name) + std::to_string(k);
    const Parameter* parameter = findParameter(layout, group, part.c_str());
    if (parameter == nullptr) break;
    numbers.insert(numbers.end(), parameter->numbers.begin(), parameter->numbers.end());
  }
  return numbers;
}

// Texts cut or padded with empty ones to n.
std::vector<std::string> fitted(std::vector<std::string> texts, std::size_t n) {
  texts.resize(n);
  return texts;
}

double firstNumber(const Parameter* parameter, double otherwise) {
  return parameter != nullptr && !parameter->numbers.empty() ? parameter->numbers[0] : otherwise;
}

std::string firstText(const Parameter* parameter) {
  if (parameter == nullptr || parameter->type != -1) return std::string();
  const std::vector<std::string> texts = parameterTexts(*parameter, true);
  return texts.empty() ? std::string() : texts[0];
}

void readEvents(const HeaderWords& header, FileLayout& layout) {
  std::uint64_t used = 0;
  if (countOf(findParameter(layout, "EVENT", "USED"), used) && used > 0) {
    const Parameter* times = findParameter(layout, "EVENT", "TIMES");
    const std::vector<std::string> labels = fitted(continuedTexts(layout, "EVENT", "LABELS"), used);
    const std::vector<std::string> contexts = fitted(continuedTexts(layout, "EVENT", "CONTEXTS"), used);
    const bool pairs = times != nullptr && !times->dims.empty() && times->dims[0] == 2;
    for (std::size_t e = 0; e < used; ++e) {
      Event event;
      event.time = kNaN;
      if (pairs && 2 * e + 1 < times->numbers.size()) {
        event.time = times->numbers[2 * e] * 60.0 + times->numbers[2 * e + 1];  // minutes and seconds
      } else if (times != nullptr && !pairs && e < times->numbers.size()) {
        event.time = times->numbers[e];
      }
      event.label = labels[e];
      event.context = contexts[e];
      layout.events.push_back(std::move(event));
    }
    return;
  }
  // The header's events: word 151 counts them, up to 18, with times from
  // word 153 and labels from word 199 (4 characters each with the key
  // 12345 in word 150, 2 in older files).
  const std::uint16_t count = header.word(151);
  if (count == 0 || count > kHeaderEvents) return;
  const std::size_t labelLength = header.word(150) == kEventKey ? 4 : 2;
  for (std::size_t e = 0; e < count; ++e) {
    Event event;
    event.time = header.floatAt(153 + 2 * static_cast<int>(e));
    Parameter label;
    label.type = -1;
    label.dims = {labelLength};
    label.text.assign(reinterpret_cast<const char*>(header.data + 396 + 4 * e), labelLength);
    event.label = parameterTexts(label, true)[0];
    layout.events.push_back(std::move(event));
  }
}

} // namespace

std::vector<std::string> parameterTexts(const Parameter& parameter, bool both) {
  // The first dimension is the length of each string; the others count them.
  const std::size_t length = parameter.dims.empty() ? 1 : parameter.dims[0];
  std::size_t strings = 1;
  for (std::size_t d = 1; d < parameter.dims.size(); ++d) strings *= parameter.dims[d];
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < strings; ++i) {
    std::string s = parameter.text.substr(std::min(parameter.text.size(), i * length), length);
    const std::size_t nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    std::size_t endAt = s.size();
    while (endAt > 0 && (s[endAt - 1] == ' ' || s[endAt - 1] == '\t')) --endAt;
    std::size_t begin = 0;
    while (both && begin < endAt && (s[begin] == ' ' || s[begin] == '\t')) ++begin;
    texts.push_back(s.substr(begin, endAt - begin));
  }
  return texts;
}

const Parameter* findParameter(const FileLayout& layout, const char* group, const char* name) {
  for (const Group& g : layout.groups) {
    if (!motionfiles::sameName(g.name, group)) continue;
    for (const Parameter& p : layout.parameters) {
      if (p.group == g.id && motionfiles::sameName(p.name, name)) return &p;
    }
  }
  return nullptr;
}

FileLayout parseC3d(const unsigned char* data, std::size_t size) {
  if (size < kBlock) failAt(0, "header", "not a C3D file: %zu bytes, shorter than the header's 512.", size);
  if (data[1] != kKey) failAt(0, "header", "not a C3D file: the header's second byte is %u, not 80 (0x50).", data[1]);
  const std::size_t parameterBlock = data[0];
  if (parameterBlock == 0) failAt(0, "header", "the header points to block 0 for the parameters.");
  const std::size_t parameterStart = (parameterBlock - 1) * kBlock;
  if (parameterStart + 4 > size) {
    failAt(0, "parameters", "the parameter section (block %zu) lies beyond the end of the file.", parameterBlock);
  }
  FileLayout layout;
  const unsigned processor = data[parameterStart + 3];
  if (processor != 84 && processor != 85 && processor != 86) {
    failAt(0, "parameters", "unknown processor type %u (84 Intel, 85 DEC, 86 MIPS).", processor);
  }
  layout.processor = static_cast<Processor>(processor);
  const HeaderWords header{data, layout.processor};

  // The records may run past the blocks the section declares; they end at
  // the data (when it starts after them) or at the end of the file.
  const std::size_t dataBlock = header.word(9);
  std::size_t limit = size;
  if (dataBlock > parameterBlock) limit = std::min<std::size_t>(size, (dataBlock - 1) * kBlock);
  const std::size_t parametersEnd = readRecords(data, parameterStart + 4, limit, layout);

  // Markers, storage and analog channels.
  std::uint64_t count = 0;
  layout.points = header.word(2);
  if (countOf(findParameter(layout, "POINT", "USED"), count) && count != layout.points) {
    failAt(0, "layout", "POINT:USED says %llu markers and the header %zu.", static_cast<unsigned long long>(count),
           layout.points);
  }
  const double pointScale = firstNumber(findParameter(layout, "POINT", "SCALE"), kNaN);
  layout.scale = (pointScale != 0 && !std::isnan(pointScale)) ? pointScale : header.floatAt(7);
  const std::size_t analogValues = header.word(3);
  if (countOf(findParameter(layout, "ANALOG", "USED"), count)) {
    layout.analogChannels = static_cast<std::size_t>(count);
    layout.samplesPerFrame = count > 0 ? analogValues / count : 0;
  } else {
    layout.samplesPerFrame = header.word(10) > 0 ? header.word(10) : (analogValues > 0 ? 1 : 0);
    layout.analogChannels = layout.samplesPerFrame > 0 ? analogValues / layout.samplesPerFrame : 0;
  }
  if (layout.analogChannels * layout.samplesPerFrame != analogValues) {
    failAt(0, "layout", "the header's %zu analog values a frame are not a whole number of samples of %zu channels.",
           analogValues, layout.analogChannels);
  }
  const std::size_t values = 4 * layout.points + analogValues;
  if (values > 0 && !(layout.scale != 0 && !std::isnan(layout.scale))) {
    failAt(0, "layout", "POINT:SCALE is %g: neither integer nor float storage.", layout.scale);
  }
  layout.floats = layout.scale < 0;
  layout.frameBytes = values * (layout.floats ? 4 : 2);

  // Where the frames start, and how many the file holds.
  std::uint64_t dataStart = dataBlock;
  if (dataStart == 0 && countOf(findParameter(layout, "POINT", "DATA_START"), count)) dataStart = count;
  if (dataStart == 0 && layout.frameBytes > 0) failAt(0, "layout", "neither the header nor POINT:DATA_START says where the data start.");
  layout.dataOffset = dataStart > 0 ? (dataStart - 1) * kBlock : size;
  if (layout.frameBytes > 0 && layout.dataOffset < parametersEnd) {
    failAt(0, "layout", "the data start (block %llu) inside the parameter section, which ends at byte %zu.",
           static_cast<unsigned long long>(dataStart), parametersEnd);
  }
  std::uint64_t start = 0, end = 0;
  layout.firstFrame = header.word(4);
  if (longCountOf(findParameter(layout, "TRIAL", "ACTUAL_START_FIELD"), start) &&
      longCountOf(findParameter(layout, "TRIAL", "ACTUAL_END_FIELD"), end)) {
    layout.firstFrame = static_cast<double>(start);
    layout.announcedFrames = end >= start ? end - start + 1 : 0;
  } else if (countOf(findParameter(layout, "POINT", "LONG_FRAMES"), count)) {
    layout.announcedFrames = count;
  } else if (countOf(findParameter(layout, "POINT", "FRAMES"), count)) {
    layout.announcedFrames = count;
  } else {
    const std::uint64_t first = header.word(4), lastFrame = header.word(5);
    layout.announcedFrames = lastFrame >= first ? lastFrame - first + 1 : 0;
  }
  std::uint64_t frames = layout.announcedFrames;
  if (layout.frameBytes > 0) {
    const std::uint64_t held = layout.dataOffset <= size ? (size - layout.dataOffset) / layout.frameBytes : 0;
    frames = std::min(frames, held);
  }
  if (frames > kMaxColumns || frames * layout.samplesPerFrame > kMaxColumns) {
    failAt(0, "tooLarge", "%llu frames: more columns than the toolbox counts (2^31 - 1).",
           static_cast<unsigned long long>(frames));
  }
  layout.frames = static_cast<std::size_t>(frames);

  // Rates, labels, units, the analog scales.
  layout.pointRate = firstNumber(findParameter(layout, "POINT", "RATE"), header.floatAt(11));
  layout.analogRate = firstNumber(findParameter(layout, "ANALOG", "RATE"),
                                  layout.pointRate * static_cast<double>(layout.samplesPerFrame));
  layout.units = firstText(findParameter(layout, "POINT", "UNITS"));
  layout.labels = fitted(continuedTexts(layout, "POINT", "LABELS"), layout.points);
  const std::size_t C = layout.analogChannels;
  layout.analogLabels = fitted(continuedTexts(layout, "ANALOG", "LABELS"), C);
  layout.analogUnits = fitted(continuedTexts(layout, "ANALOG", "UNITS"), C);
  layout.unsignedAnalog = motionfiles::sameName(firstText(findParameter(layout, "ANALOG", "FORMAT")), "UNSIGNED");
  layout.analogOffsets = continuedNumbers(layout, "ANALOG", "OFFSET");
  layout.analogOffsets.resize(C, 0.0);
  if (layout.unsignedAnalog) {
    for (double& offset : layout.analogOffsets) offset = offset < 0 ? offset + 65536 : offset;
  }
  layout.analogScales = continuedNumbers(layout, "ANALOG", "SCALE");
  layout.analogScales.resize(C, 1.0);
  layout.generalScale = firstNumber(findParameter(layout, "ANALOG", "GEN_SCALE"), 1.0);
  readEvents(header, layout);
  return layout;
}

namespace {

// One marker's sample from its coordinates and its residual word: the
// word's low byte is the residual in units of |POINT:SCALE|, its high byte
// the mask of the cameras that saw the marker.
inline void storeSample(const double* xyz, bool present, unsigned word, double residualUnit, double* point,
                        double* residual, double* camera) {
  if (!present) {
    point[0] = point[1] = point[2] = *residual = *camera = kNaN;
    return;
  }
  point[0] = xyz[0];
  point[1] = xyz[1];
  point[2] = xyz[2];
  *residual = static_cast<double>(word & 0xFFu) * residualUnit;
  *camera = static_cast<double>(word >> 8);
}

template <Processor P, bool Floats>
void decodeWith(const unsigned char* data, const FileLayout& layout, std::size_t first, std::size_t count, double* points,
                double* residuals, double* cameras, double* analog) {
  const std::size_t M = layout.points;
  const std::size_t C = layout.analogChannels;
  const std::size_t s = layout.samplesPerFrame;
  const std::size_t width = Floats ? 4 : 2;
  const double scale = layout.scale;
  const double residualUnit = std::fabs(scale);
  for (std::size_t k = 0; k < count; ++k) {
    const unsigned char* frame = data + layout.dataOffset + (first + k) * layout.frameBytes;
    for (std::size_t m = 0; m < M; ++m) {
      const unsigned char* v = frame + 4 * width * m;
      double xyz[3];
      bool present;
      unsigned word;
      if (Floats) {
        for (int i = 0; i < 3; ++i) xyz[i] = readFloat(v + 4 * i, P);
        // The word as a float: negative (or beyond 16 bits, or NaN) marks
        // the sample missing.
        const double w = readFloat(v + 12, P);
        present = w >= 0 && w < 32768;
        word = present ? static_cast<unsigned>(w) : 0;
      } else {
        for (int i = 0; i < 3; ++i) xyz[i] = static_cast<double>(readI16(v + 2 * i, P)) * scale;
        const int w = readI16(v + 6, P);
        present = w >= 0;
        word = present ? static_cast<unsigned>(w) : 0;
      }
      storeSample(xyz, present, word, residualUnit, points + 3 * (M * k + m), residuals + M * k + m,
                  cameras + M * k + m);
    }
    if (C == 0 || s == 0) continue;
    const unsigned char* a = frame + 4 * width * M;
    double* out = analog + C * s * k;
    for (std::size_t i = 0; i < s; ++i) {
      for (std::size_t c = 0; c < C; ++c) {
        const unsigned char* v = a + width * (C * i + c);
        double raw;
        if (Floats) {
          raw = readFloat(v, P);
        } else if (layout.unsignedAnalog) {
          raw = static_cast<double>(readU16(v, P));
        } else {
          raw = static_cast<double>(readI16(v, P));
        }
        // (raw - offset) x scale x general scale, each step rounded.
        out[C * i + c] = ((raw - layout.analogOffsets[c]) * layout.analogScales[c]) * layout.generalScale;
      }
    }
  }
}

template <Processor P>
void decodeFor(const unsigned char* data, const FileLayout& layout, std::size_t first, std::size_t count, double* points,
               double* residuals, double* cameras, double* analog) {
  if (layout.floats) {
    decodeWith<P, true>(data, layout, first, count, points, residuals, cameras, analog);
  } else {
    decodeWith<P, false>(data, layout, first, count, points, residuals, cameras, analog);
  }
}

} // namespace

void decodeFrames(const unsigned char* data, const FileLayout& layout, std::size_t first, std::size_t count,
                  double* points, double* residuals, double* cameras, double* analog) {
  switch (layout.processor) {
    case Processor::intel:
      decodeFor<Processor::intel>(data, layout, first, count, points, residuals, cameras, analog);
      break;
    case Processor::dec:
      decodeFor<Processor::dec>(data, layout, first, count, points, residuals, cameras, analog);
      break;
    case Processor::mips:
      decodeFor<Processor::mips>(data, layout, first, count, points, residuals, cameras, analog);
      break;
  }
}

} // namespace c3d
