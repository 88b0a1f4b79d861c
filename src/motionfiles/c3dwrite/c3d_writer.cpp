// c3dwrite's writer (c3d_writer.h): the parameters the data need, those of
// D's parameters that do not contradict them, the header, and the frames,
// converted to floats on the worker threads in rounds of about 1 MiB.
#include "motionfiles/c3dwrite/c3d_writer.h"

#include "motionfiles/c3d/c3d_format.h"
#include "motionfiles/field_names.h"
#include "motionfiles/input_error.h"
#include "motionfiles/file_io.h"
#include "parallel/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace c3d {

namespace {

using motionfiles::refuseInput;

constexpr std::size_t kMaxCount = 65535;       // a 16-bit count, read without sign
constexpr std::size_t kMaxDimension = 255;     // a parameter's dimensions are bytes
constexpr std::size_t kMaxRecord = 32767;      // the offset to the next record is a signed 16-bit word
constexpr std::size_t kRoundBytes = std::size_t{1} << 20;

bool isWhole(double v) { return std::isfinite(v) && v == std::floor(v); }

// A count up to 65535 as the signed 16-bit word that holds its bits.
double countWord(std::size_t count) { return count > 32767 ? static_cast<double>(count) - 65536 : static_cast<double>(count); }

// The parameters the format keeps in floats whatever their values.
bool keptAsFloat(const std::string& name) {
  static const char* const names[] = {"SCALE", "RATE", "GEN_SCALE", "ORIGIN", "CORNERS", "CAL_MATRIX",
                                      "TIMES", "LONG_FRAMES", "FRAME_RATE"};
  for (const char* n : names) {
    if (motionfiles::sameName(name, n)) return true;
  }
  return false;
}

// NAME, NAME2, NAME3, ... (or NAME followed by digits alone).
bool isContinuation(const std::string& name, const char* base) {
  const std::size_t n = std::strlen(base);
  if (name.size() < n || !motionfiles::sameName(name.substr(0, n), base)) return false;
  for (std::size_t i = n; i < name.size(); ++i) {
    if (!motionfiles::isAsciiDigit(name[i])) return false;
  }
  return true;
}

class SectionWriter {
 public:
  // Appends a group record and returns its id.
  int group(const std::string& name) {
    const int id = ++groups_;
    if (id > 127) refuseInput("parameters", "more than 127 parameter groups.");
    std::vector<unsigned char> content = {0};  // no description
    record(name, -id, content);
    return id;
  }

  void parameter(int group, const ParameterToWrite& p, const char* where) {
    std::vector<unsigned char> content;
    if (p.isText) {
      std::size_t length = 0;
      for (const std::string& t : p.texts) length = std::max(length, t.size());
      if (length > kMaxDimension) {
        refuseInput("parameters", "%s.%s: a string of %zu characters; the format holds at most 255.", where,
                    p.name.c_str(), length);
      }
      content.push_back(0xFF);  // -1: char
      std::vector<std::size_t> dims = {p.dims.empty() ? length : std::max<std::size_t>(length, 1)};
      dims.insert(dims.end(), p.dims.begin(), p.dims.end());
      putDims(content, dims, where, p.name);
      for (const std::string& t : p.texts) {
        content.insert(content.end(), t.begin(), t.end());
        content.insert(content.end(), dims[0] - t.size(), ' ');
      }
    } else {
      bool integers = !keptAsFloat(p.name);
      for (double v : p.numbers) integers = integers && isWhole(v) && v >= -32768 && v <= 32767;
      content.push_back(integers ? 2 : 4);
      putDims(content, p.dims, where, p.name);
      for (double v : p.numbers) {
        unsigned char bytes[4];
        if (integers) {
          putI16(bytes, static_cast<std::int16_t>(v));
          content.insert(content.end(), bytes, bytes + 2);
        } else {
          if (std::isfinite(v) && std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
            refuseInput("parameters", "%s.%s: %g is beyond the range of the file's floats.", where, p.name.c_str(), v);
          }
          putFloat(bytes, static_cast<float>(v));
          content.insert(content.end(), bytes, bytes + 4);
        }
      }
    }
    content.push_back(0);  // no description
    if (content.size() + 2 > kMaxRecord) {
      refuseInput("parameters", "%s.%s holds %zu bytes; a parameter of the format holds at most 32,765.", where,
                  p.name.c_str(), content.size());
    }
    record(p.name, group, content);
  }

  // The section: its four bytes, the records, the last one's offset 0,
  // padded to whole blocks.
  std::vector<unsigned char> finish() {
    if (lastOffset_ != 0) putI16(&bytes_[lastOffset_], 0);
    const std::size_t blocks = (4 + bytes_.size() + 2 + kBlock - 1) / kBlock;
    if (blocks > 255) refuseInput("parameters", "the parameters take %zu blocks; the format counts at most 255.", blocks);
    std::vector<unsigned char> section(blocks * kBlock, 0);
    section[0] = 1;
    section[1] = kKey;
    section[2] = static_cast<unsigned char>(blocks);
    section[3] = static_cast<unsigned char>(Processor::intel);
    std::copy(bytes_.begin(), bytes_.end(), section.begin() + 4);
    return section;
  }

 private:
  void putDims(std::vector<unsigned char>& content, const std::vector<std::size_t>& dims, const char* where,
               const std::string& name) {
    if (dims.size() > 7) refuseInput("parameters", "%s.%s has more than 7 dimensions.", where, name.c_str());
    content.push_back(static_cast<unsigned char>(dims.size()));
    for (std::size_t d : dims) {
      if (d > kMaxDimension) {
        refuseInput("parameters", "%s.%s has a dimension of %zu; the format holds at most 255.", where, name.c_str(), d);
      }
      content.push_back(static_cast<unsigned char>(d));
    }
  }

  void record(const std::string& name, int id, const std::vector<unsigned char>& content) {
    bytes_.push_back(static_cast<unsigned char>(name.size()));
    bytes_.push_back(static_cast<unsigned char>(id < 0 ? id + 256 : id));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    lastOffset_ = bytes_.size();
    unsigned char offset[2];
    putI16(offset, static_cast<std::int16_t>(content.size() + 2));
    bytes_.insert(bytes_.end(), offset, offset + 2);
    bytes_.insert(bytes_.end(), content.begin(), content.end());
  }

  std::vector<unsigned char> bytes_;
  std::size_t lastOffset_ = 0;
  int groups_ = 0;
};

ParameterToWrite numbers(const char* name, std::vector<double> values, bool scalar = false) {
  ParameterToWrite p;
  p.name = name;
  if (!scalar) p.dims = {values.size()};
  p.numbers = std::move(values);
  return p;
}

ParameterToWrite texts(const std::string& name, std::vector<std::string> values) {
  ParameterToWrite p;
  p.name = name;
  p.isText = true;
  p.dims = {values.size()};
  p.texts = std::move(values);
  return p;
}

ParameterToWrite text(const char* name, const std::string& value) {
  ParameterToWrite p;
  p.name = name;
  p.isText = true;
  p.texts = {value};
  return p;
}

// Numbers and strings in parameters of at most 255 values each: NAME,
// NAME2, NAME3, ...
void addChunks(std::vector<ParameterToWrite>& list, const char* name, const std::vector<double>* values,
               const std::vector<std::string>* strings, std::size_t count) {
  std::size_t perChunk = kMaxDimension;
  if (strings != nullptr) {
    std::size_t length = 1;
    for (const std::string& s : *strings) length = std::max(length, s.size());
    perChunk = std::max<std::size_t>(1, std::min(perChunk, (kMaxRecord - 16) / length));
  }
  for (std::size_t first = 0, k = 1; first < count || first == 0; first += perChunk, ++k) {
    const std::size_t n = std::min(perChunk, count - first);
    const std::string part = k == 1 ? std::string(name) : std::string(name) + std::to_string(k);
    if (strings != nullptr) {
      list.push_back(texts(part, std::vector<std::string>(strings->begin() + static_cast<long>(first),
                                                          strings->begin() + static_cast<long>(first + n))));
    } else {
      ParameterToWrite p = numbers("", std::vector<double>(values->begin() + static_cast<long>(first),
                                                           values->begin() + static_cast<long>(first + n)));
      p.name = part;
      list.push_back(std::move(p));
    }
    if (count == 0) break;
  }
}

// The scale: |POINT:SCALE| of D's parameters when the residuals fit its
// 255 steps, else the smallest power of two that holds the residuals in
// 255 steps and the coordinates in 32,767 (what 16-bit storage would need).
double chooseScale(const WriteInput& in) {
  double residualMax = 0, coordinateMax = 0;
  const std::size_t M = in.markers;
  for (std::size_t i = 0; i < M * in.frames; ++i) {
    const double* p = in.points + 3 * i;
    if (std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2])) continue;
    coordinateMax = std::max({coordinateMax, std::fabs(p[0]), std::fabs(p[1]), std::fabs(p[2])});
    if (in.residuals != nullptr && !std::isnan(in.residuals[i])) residualMax = std::max(residualMax, in.residuals[i]);
  }
  const double hint = static_cast<double>(static_cast<float>(in.scaleHint));
  if (hint > 0 && std::isfinite(hint) && residualMax <= 255 * hint) return hint;
  if (residualMax == 0 && coordinateMax == 0) return 1;
  int exponent = -60;
  while (exponent < 60 && (std::ldexp(255.0, exponent) < residualMax || std::ldexp(32767.0, exponent) < coordinateMax)) ++exponent;
  return std::ldexp(1.0, exponent);
}

void checkSamples(const WriteInput& in) {
  const std::size_t count = in.markers * in.frames;
  const double largest = static_cast<double>(std::numeric_limits<float>::max());
  for (std::size_t i = 0; i < 3 * count; ++i) {
    const double v = in.points[i];
    if (std::isinf(v) || std::fabs(v) > largest) {
      refuseInput("points", "D.points(%zu, %zu) is %g: coordinates must be NaN (missing) or within the range of floats.",
                  i % (3 * in.markers) + 1, i / (3 * in.markers) + 1, v);
    }
  }
  for (std::size_t i = 0; in.residuals != nullptr && i < count; ++i) {
    const double v = in.residuals[i];
    if (!std::isnan(v) && !(v >= 0 && v < std::numeric_limits<double>::infinity())) {
      refuseInput("residuals", "D.residuals must be NaN or finite and at least 0; element %zu is %g.", i + 1, v);
    }
  }
  for (std::size_t i = 0; in.cameras != nullptr && i < count; ++i) {
    const double v = in.cameras[i];
    if (!std::isnan(v) && !(isWhole(v) && v >= 0 && v <= 127)) {
      refuseInput("cameras", "D.cameras must be NaN or whole numbers from 0 to 127 (7 cameras' bits); element %zu is %g.",
                  i + 1, v);
    }
  }
}

// Converts frames [first, first + n) to the file's bytes at `out`.
void encodeFrames(const WriteInput& in, std::size_t samples, double scale, std::size_t first, std::size_t n,
                  unsigned char* out) {
  const std::size_t M = in.markers;
  const std::size_t A = in.channels * samples;
  for (std::size_t k = first; k < first + n; ++k) {
    for (std::size_t m = 0; m < M; ++m) {
      const double* p = in.points + 3 * (M * k + m);
      const bool missing = std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]);
      float values[4] = {0, 0, 0, -1};
      if (!missing) {
        double residual = in.residuals != nullptr ? in.residuals[M * k + m] : 0;
        double camera = in.cameras != nullptr ? in.cameras[M * k + m] : 0;
        if (std::isnan(residual)) residual = 0;
        if (std::isnan(camera)) camera = 0;
        const double steps = std::min(255.0, std::nearbyint(residual / scale));
        for (int i = 0; i < 3; ++i) values[i] = static_cast<float>(p[i]);
        values[3] = static_cast<float>(camera * 256 + steps);
      }
      for (int i = 0; i < 4; ++i) putFloat(out + 4 * i, values[i]);
      out += 16;
    }
    const double* a = in.analog + A * k;
    for (std::size_t i = 0; i < A; ++i) {
      putFloat(out, static_cast<float>(a[i]));
      out += 4;
    }
  }
}

} // namespace

void writeC3d(const WriteInput& in, const std::string& path) {
  const std::size_t M = in.markers;
  const std::size_t N = in.frames;
  const std::size_t C = in.channels;
  if (M > kMaxCount) refuseInput("points", "%zu markers; a C3D file holds at most 65,535.", M);
  // Analog samples in each point frame.
  std::size_t samples = 0;
  if (C > 0) {
    if (N > 0) {
      if (in.analogColumns % N != 0 || in.analogColumns == 0) {
        refuseInput("analog", "D.analog has %zu columns: a whole number of samples (at least 1) for each of the %zu frames.",
                    in.analogColumns, N);
      }
      samples = in.analogColumns / N;
    } else {
      const double ratio = in.analogRate / in.pointRate;
      if (!(isWhole(ratio) && ratio >= 1)) {
        refuseInput("analog", "without frames, D.analogRate must be a whole multiple of D.pointRate.");
      }
      samples = static_cast<std::size_t>(ratio);
    }
    if (C * samples > kMaxCount) refuseInput("analog", "%zu analog values a frame; a C3D file holds at most 65,535.", C * samples);
  }
  const double analogRate = in.analogRate > 0 ? in.analogRate : in.pointRate * static_cast<double>(samples);
  if (C > 0 && analogRate != in.pointRate * static_cast<double>(samples)) {
    refuseInput("analog", "D.analogRate (%g) must be D.pointRate times the %zu analog samples of each frame.", analogRate,
                samples);
  }
  if (in.eventTimes.size() > kMaxDimension) {
    refuseInput("events", "%zu events; a C3D file's EVENT group holds at most 255.", in.eventTimes.size());
  }
  checkSamples(in);
  const auto checkLengths = [](const std::vector<std::string>& texts, const char* reason, const char* field) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (texts[i].size() > kMaxDimension) {
        refuseInput(reason, "D.%s{%zu} has %zu characters; a C3D file holds at most 255.", field, i + 1, texts[i].size());
      }
    }
  };
  checkLengths(in.labels, "labels", "labels");
  checkLengths(in.analogLabels, "analog", "analogLabels");
  checkLengths(in.analogUnits, "analog", "analogUnits");
  checkLengths(in.eventLabels, "events", "events.labels");
  checkLengths(in.eventContexts, "events", "events.contexts");
  if (in.units.size() > kMaxDimension) refuseInput("units", "D.units has more than 255 characters.");
  const double scale = chooseScale(in);
  const double last = in.firstFrame + static_cast<double>(N) - 1;
  if (last > 4294967295.0) refuseInput("firstFrame", "the last frame's number is beyond 2^32 - 1.");
  const bool longFrames = in.firstFrame > 65535 || last > 65535;

  // The groups the data need, with D's other parameters of those groups.
  const GroupToWrite* given[4] = {nullptr, nullptr, nullptr, nullptr};
  static const char* const derivedGroups[4] = {"POINT", "ANALOG", "EVENT", "TRIAL"};
  for (const GroupToWrite& g : in.groups) {
    for (int i = 0; i < 4; ++i) {
      if (motionfiles::sameName(g.name, derivedGroups[i]) && given[i] == nullptr) given[i] = &g;
    }
  }
  std::vector<ParameterToWrite> point = {
      numbers("USED", {countWord(M)}, true),
      numbers("SCALE", {-scale}, true), numbers("RATE", {in.pointRate}, true), numbers("DATA_START", {0}, true),
      numbers("FRAMES", {countWord(std::min(N, kMaxCount))}, true)};
  addChunks(point, "LABELS", nullptr, &in.labels, M);
  if (!in.units.empty()) point.push_back(text("UNITS", in.units));
  std::vector<ParameterToWrite> analog = {numbers("USED", {countWord(C)}, true), numbers("RATE", {analogRate}, true)};
  const std::vector<double> ones(C, 1.0), zeros(C, 0.0);
  addChunks(analog, "SCALE", &ones, nullptr, C);
  addChunks(analog, "OFFSET", &zeros, nullptr, C);
  analog.push_back(numbers("GEN_SCALE", {1.0}, true));
  analog.push_back(text("FORMAT", "SIGNED"));
  analog.push_back(numbers("BITS", {16}, true));
  addChunks(analog, "LABELS", nullptr, &in.analogLabels, C);
  addChunks(analog, "UNITS", nullptr, &in.analogUnits, C);
  const std::size_t E = in.eventTimes.size();
  std::vector<ParameterToWrite> event;
  if (E > 0 || given[2] != nullptr) {
    event.push_back(numbers("USED", {static_cast<double>(E)}, true));
    ParameterToWrite times = numbers("TIMES", {});
    times.dims = {2, E};
    for (double t : in.eventTimes) times.numbers.insert(times.numbers.end(), {0.0, t});
    event.push_back(std::move(times));
    addChunks(event, "LABELS", nullptr, &in.eventLabels, E);
    addChunks(event, "CONTEXTS", nullptr, &in.eventContexts, E);
  }
  std::vector<ParameterToWrite> trial;
  if (longFrames) {
    const auto words = [](double v) {
      const double high = std::floor(v / 65536), low = v - 65536 * high;
      return std::vector<double>{low > 32767 ? low - 65536 : low, high > 32767 ? high - 65536 : high};
    };
    trial.push_back(numbers("ACTUAL_START_FIELD", words(in.firstFrame)));
    trial.push_back(numbers("ACTUAL_END_FIELD", words(last)));
  }
  const auto isDerived = [](int group, const std::string& name) {
    switch (group) {
      case 0:
        return motionfiles::sameName(name, "USED") || motionfiles::sameName(name, "SCALE") ||
               motionfiles::sameName(name, "RATE") || motionfiles::sameName(name, "DATA_START") ||
               motionfiles::sameName(name, "FRAMES") || motionfiles::sameName(name, "LONG_FRAMES") ||
               motionfiles::sameName(name, "UNITS") || isContinuation(name, "LABELS");
      case 1:
        return motionfiles::sameName(name, "USED") || motionfiles::sameName(name, "RATE") ||
               motionfiles::sameName(name, "GEN_SCALE") || motionfiles::sameName(name, "FORMAT") ||
               motionfiles::sameName(name, "BITS") || isContinuation(name, "SCALE") || isContinuation(name, "OFFSET") ||
               isContinuation(name, "LABELS") || isContinuation(name, "UNITS");
      case 2:
        return motionfiles::sameName(name, "USED") || motionfiles::sameName(name, "TIMES") ||
               isContinuation(name, "LABELS") || isContinuation(name, "CONTEXTS");
      default:
        return motionfiles::sameName(name, "ACTUAL_START_FIELD") || motionfiles::sameName(name, "ACTUAL_END_FIELD");
    }
  };
  std::vector<ParameterToWrite>* lists[4] = {&point, &analog, &event, &trial};
  for (int i = 0; i < 4; ++i) {
    if (given[i] == nullptr) continue;
    for (const ParameterToWrite& p : given[i]->parameters) {
      if (!isDerived(i, p.name)) lists[i]->push_back(p);
    }
  }

  // The parameter section, twice: the data start in POINT:DATA_START is
  // known once the section's size is.
  std::vector<unsigned char> section;
  for (int pass = 0; pass < 2; ++pass) {
    SectionWriter writer;
    for (int i = 0; i < 4; ++i) {
      if (lists[i]->empty() && i >= 2) continue;
      const int id = writer.group(derivedGroups[i]);
      for (const ParameterToWrite& p : *lists[i]) writer.parameter(id, p, derivedGroups[i]);
    }
    for (const GroupToWrite& g : in.groups) {
      bool derived = false;
      for (int i = 0; i < 4; ++i) derived = derived || given[i] == &g;
      if (derived) continue;
      const int id = writer.group(g.name);
      for (const ParameterToWrite& p : g.parameters) writer.parameter(id, p, g.name.c_str());
    }
    section = writer.finish();
    point[3].numbers[0] = static_cast<double>(2 + section.size() / kBlock);
  }
  const std::size_t dataStart = 2 + section.size() / kBlock;

  // The header, words counted from 1.
  unsigned char header[kBlock] = {};
  const auto word = [&header](int w, std::size_t value) { putU16(header + 2 * (w - 1), static_cast<std::uint16_t>(value)); };
  header[0] = 2;
  header[1] = kKey;
  word(2, M);
  word(3, C * samples);
  word(4, static_cast<std::size_t>(std::min(in.firstFrame, 65535.0)));
  word(5, static_cast<std::size_t>(std::max(0.0, std::min(last, 65535.0))));
  putFloat(header + 12, static_cast<float>(-scale));
  word(9, dataStart);
  word(10, samples);
  putFloat(header + 20, static_cast<float>(in.pointRate));
  if (E > 0) {
    const std::size_t shown = std::min(E, kHeaderEvents);
    word(150, kEventKey);
    word(151, shown);
    for (std::size_t e = 0; e < shown; ++e) {
      putFloat(header + 304 + 4 * e, static_cast<float>(in.eventTimes[e]));
      std::string label = in.eventLabels[e].substr(0, 4);
      label.resize(4, ' ');
      std::copy(label.begin(), label.end(), header + 396 + 4 * e);
    }
  }

  motionfiles::AtomicFile file(path);
  file.write(reinterpret_cast<const char*>(header), kBlock);
  file.write(reinterpret_cast<const char*>(section.data()), section.size());
  const std::size_t frameBytes = (4 * M + C * samples) * 4;
  if (frameBytes > 0 && N > 0) {
    const std::size_t round = std::max<std::size_t>(1, kRoundBytes / frameBytes);
    std::vector<unsigned char> buffer(std::min(round, N) * frameBytes);
    for (std::size_t first = 0; first < N; first += round) {
      const std::size_t n = std::min(round, N - first);
      const std::uint32_t perThread = static_cast<std::uint32_t>(std::max<std::size_t>(1, (std::size_t{1} << 17) / frameBytes));
      parallel::forColumns(static_cast<std::uint32_t>(n), perThread, [&](std::uint32_t begin, std::uint32_t end) {
        encodeFrames(in, samples, scale, first + begin, end - begin, buffer.data() + begin * frameBytes);
      });
      file.write(reinterpret_cast<const char*>(buffer.data()), n * frameBytes);
    }
    const std::size_t tail = (kBlock - (N * frameBytes) % kBlock) % kBlock;
    const std::vector<char> zerosTail(tail, 0);
    file.write(zerosTail.data(), tail);
  }
  file.commit();
}

} // namespace c3d
