// asfread's parsers (asf_parser.h): the ASF section by section, line by
// line; the AMC line by line, a bone's line found by its name (the order
// of the previous frame guessed first).
#include "motionfiles/asfread/asf_parser.h"

#include "motionfiles/decimal.h"
#include "motionfiles/field_names.h"
#include "motionfiles/file_error.h"
#include "motionfiles/plain_decimal.h"
#include "motionfiles/text_lines.h"
#include "parallel/worker_pool.h"

#include <algorithm>
#include <memory>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace asf {

namespace {

using motionfiles::failAt;

constexpr std::size_t kMaxBones = (std::size_t{1} << 27) - 1;  // 2 joints a bone, 4 rows a joint, below 2^31
constexpr std::size_t kMaxFrames = (std::size_t{1} << 31) - 1;

using Words = std::vector<std::string_view>;

void checkText(const char* text, std::size_t size) {
  const motionfiles::TextFault fault = motionfiles::findTextFault(text, text + size);
  if (fault.kind == motionfiles::TextFault::control) {
    failAt(motionfiles::lineOf(text, fault.at), "encoding", "the text holds a control character (byte %u).",
           static_cast<unsigned>(static_cast<unsigned char>(*fault.at)));
  }
  if (fault.kind == motionfiles::TextFault::notUtf8) {
    failAt(motionfiles::lineOf(text, fault.at), "encoding", "the text is not UTF-8 (a byte above 127 out of place).");
  }
}

// The words of a line up to a '#', which starts a comment.
Words wordsOf(const motionfiles::TextLine& line) {
  const char* end = line.begin;
  while (end != line.end && *end != '#') ++end;
  Words words;
  motionfiles::WordReader reader(line.begin, end);
  const char* b = nullptr;
  const char* e = nullptr;
  while (reader.next(b, e)) words.emplace_back(b, static_cast<std::size_t>(e - b));
  return words;
}

bool same(std::string_view word, const char* name) {
  return motionfiles::sameWordAnyCase(word.data(), word.data() + word.size(), name);
}

std::string quoted(std::string_view word) {
  return word.size() <= 60 ? std::string(word) : std::string(word.substr(0, 57)) + "...";
}

double numberAt(std::string_view word, std::size_t line, const char* what) {
  double value = 0;
  if (motionfiles::readPlainDecimal(word.data(), word.data() + word.size(), value)) return value;
  const motionfiles::Decimal read = motionfiles::readDecimal(word.data(), word.data() + word.size(), value);
  if (read == motionfiles::Decimal::overflow) failAt(line, "number", "%s: \"%s\" is beyond the largest double.", what, quoted(word).c_str());
  if (read != motionfiles::Decimal::number) failAt(line, "number", "%s: \"%s\" is not a number.", what, quoted(word).c_str());
  return value;
}

void numbersAt(const Words& words, double* out, std::size_t count, std::size_t line, const char* what) {
  if (words.size() < count + 1) failAt(line, "asf", "%s takes %zu numbers, found %zu.", what, count, words.size() - 1);
  for (std::size_t i = 0; i < count; ++i) out[i] = numberAt(words[i + 1], line, what);
}

// A channel name in any case: tx ty tz rx ry rz; l (a length change) is
// known but not read.
int channelOf(std::string_view word) {
  static const char* const names[6] = {"tx", "ty", "tz", "rx", "ry", "rz"};
  for (int c = 0; c < 6; ++c) {
    if (same(word, names[c])) return c;
  }
  return same(word, "l") ? 6 : -1;
}

// An axis order: a permutation of X, Y, Z in any case.
void axisOrderOf(std::string_view word, std::uint8_t (&order)[3], std::size_t line) {
  bool seen[3] = {false, false, false};
  bool good = word.size() == 3;
  for (std::size_t i = 0; good && i < 3; ++i) {
    const char c = static_cast<char>(word[i] >= 'a' ? word[i] - 'a' + 'A' : word[i]);
    good = c >= 'X' && c <= 'Z' && !seen[c - 'X'];
    if (good) {
      seen[c - 'X'] = true;
      order[i] = static_cast<std::uint8_t>(c - 'X');
    }
  }
  if (!good) failAt(line, "asf", "the axis order \"%s\" is not an order of X, Y and Z.", quoted(word).c_str());
}

struct HierarchyLine {
  std::string parent;
  std::vector<std::string> children;
  std::size_t line;
};

enum class Section { none, units, skip, root, bonedata, hierarchy };

class AsfParser {
 public:
  explicit AsfParser(Skeleton& skeleton) : skeleton_(skeleton) {}

  void line(const Words& words, std::size_t number) {
    const std::string_view first = words[0];
    if (first[0] == ':') {
      if (inBone_) failAt(number, "asf", "a bone's \"begin\" without its \"end\" before %s.", quoted(first).c_str());
      keyword(first.substr(1), number);
      return;
    }
    switch (section_) {
      case Section::none:
        failAt(number, "asf", "expected a keyword such as :units or :bonedata, found \"%s\".", quoted(first).c_str());
      case Section::skip:
        return;
      case Section::units:
        units(words, number);
        return;
      case Section::root:
        root(words, number);
        return;
      case Section::bonedata:
        bone(words, number);
        return;
      case Section::hierarchy:
        hierarchy(words, number);
        return;
    }
  }

  void finish(std::size_t lastLine) {
    if (inBone_) failAt(lastLine, "asf", "the file ends in a bone's \"begin\" block.");
    if (!hasRoot_) failAt(lastLine, "asf", "no :root section: not an ASF skeleton.");
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t b = 0; b < skeleton_.bones.size(); ++b) byName.emplace(skeleton_.bones[b].name, b);
    std::vector<std::size_t> parentLine(skeleton_.bones.size(), 0);
    for (const HierarchyLine& h : hierarchy_) {
      std::vector<std::size_t>* children = &skeleton_.rootChildren;
      if (!motionfiles::sameName(h.parent, "root")) {
        const auto parent = byName.find(h.parent);
        if (parent == byName.end()) failAt(h.line, "asf", ":hierarchy names \"%s\", which :bonedata does not define.", h.parent.c_str());
        children = &skeleton_.bones[parent->second].children;
      }
      for (const std::string& name : h.children) {
        const auto child = byName.find(name);
        if (child == byName.end()) failAt(h.line, "asf", ":hierarchy names \"%s\", which :bonedata does not define.", name.c_str());
        if (parentLine[child->second] != 0) {
          failAt(h.line, "asf", "\"%s\" has a second parent (the first on line %zu).", name.c_str(), parentLine[child->second]);
        }
        parentLine[child->second] = h.line;
        children->push_back(child->second);
      }
    }
    // Every bone must hang from the root: count what a walk from it reaches.
    std::vector<std::size_t> stack(skeleton_.rootChildren);
    std::size_t reached = 0;
    while (!stack.empty()) {
      const std::size_t b = stack.back();
      stack.pop_back();
      ++reached;
      stack.insert(stack.end(), skeleton_.bones[b].children.begin(), skeleton_.bones[b].children.end());
    }
    if (reached != skeleton_.bones.size()) {
      for (std::size_t b = 0; b < skeleton_.bones.size(); ++b) {
        if (parentLine[b] == 0) failAt(lastLine, "asf", "the bone \"%s\" is not in the :hierarchy.", skeleton_.bones[b].name.c_str());
      }
      failAt(lastLine, "asf", "the :hierarchy has a cycle: some bones do not hang from the root.");
    }
  }

 private:
  void keyword(std::string_view name, std::size_t number) {
    if (same(name, "units")) {
      section_ = Section::units;
    } else if (same(name, "root")) {
      section_ = Section::root;
      hasRoot_ = true;
    } else if (same(name, "bonedata")) {
      section_ = Section::bonedata;
    } else if (same(name, "hierarchy")) {
      section_ = Section::hierarchy;
    } else {
      section_ = Section::skip;  // :version, :name, :documentation, :skin and what else a file holds
    }
    (void)number;
  }

  void units(const Words& words, std::size_t number) {
    if (same(words[0], "angle")) {
      if (words.size() < 2) failAt(number, "asf", "angle without its unit (deg or rad).");
      if (same(words[1], "deg") || same(words[1], "degrees")) {
        skeleton_.degrees = true;
      } else if (same(words[1], "rad") || same(words[1], "radians")) {
        skeleton_.degrees = false;
      } else {
        failAt(number, "asf", "the angle unit \"%s\" is neither deg nor rad.", quoted(words[1]).c_str());
      }
    } else if (same(words[0], "mass")) {
      numbersAt(words, &skeleton_.mass, 1, number, "mass");
    } else if (same(words[0], "length")) {
      numbersAt(words, &skeleton_.lengthUnit, 1, number, "length");
    }
  }

  void root(const Words& words, std::size_t number) {
    if (same(words[0], "order")) {
      skeleton_.rootOrder.clear();
      for (std::size_t w = 1; w < words.size(); ++w) {
        const int c = channelOf(words[w]);
        if (c < 0 || c > 5) failAt(number, "asf", "the root's order: \"%s\" is not one of TX TY TZ RX RY RZ.", quoted(words[w]).c_str());
        if (std::count(skeleton_.rootOrder.begin(), skeleton_.rootOrder.end(), c) > 0) {
          failAt(number, "asf", "the root's order lists %s twice.", quoted(words[w]).c_str());
        }
        skeleton_.rootOrder.push_back(static_cast<std::uint8_t>(c));
      }
    } else if (same(words[0], "axis")) {
      if (words.size() < 2) failAt(number, "asf", "the root's axis without its order.");
      axisOrderOf(words[1], skeleton_.rootAxisOrder, number);
    } else if (same(words[0], "position")) {
      numbersAt(words, skeleton_.position, 3, number, "position");
    } else if (same(words[0], "orientation")) {
      numbersAt(words, skeleton_.orientation, 3, number, "orientation");
    }
  }

  void bone(const Words& words, std::size_t number) {
    const std::string_view key = words[0];
    if (!inBone_) {
      if (!same(key, "begin")) failAt(number, "asf", "expected \"begin\" in :bonedata, found \"%s\".", quoted(key).c_str());
      inBone_ = true;
      inLimits_ = false;
      current_ = Bone();
      has_ = 0;
      beginLine_ = number;
      return;
    }
    if (key[0] == '(' && inLimits_) return;  // the limits continue
    inLimits_ = false;
    if (same(key, "begin")) failAt(number, "asf", "\"begin\" inside the bone that begins on line %zu (its \"end\" is missing).", beginLine_);
    if (same(key, "end")) {
      if ((has_ & 1) == 0) failAt(number, "asf", "the bone that begins on line %zu has no name.", beginLine_);
      if ((has_ & 6) != 6) failAt(number, "asf", "the bone \"%s\" lacks its direction or length.", current_.name.c_str());
      if (skeleton_.bones.size() >= kMaxBones) failAt(number, "tooLarge", "more bones than the toolbox counts.");
      for (const Bone& b : skeleton_.bones) {
        if (b.name == current_.name) failAt(beginLine_, "asf", "a second bone named \"%s\".", current_.name.c_str());
      }
      skeleton_.bones.push_back(std::move(current_));
      inBone_ = false;
    } else if (same(key, "name")) {
      if (words.size() != 2) failAt(number, "asf", "name takes one word.");
      if (same(words[1], "root")) failAt(number, "asf", "a bone named \"root\", the name of the root.");
      current_.name = std::string(words[1]);
      has_ |= 1;
    } else if (same(key, "direction")) {
      numbersAt(words, current_.direction, 3, number, "direction");
      has_ |= 2;
    } else if (same(key, "length")) {
      numbersAt(words, &current_.length, 1, number, "length");
      has_ |= 4;
    } else if (same(key, "axis")) {
      numbersAt(words, current_.axis, 3, number, "axis");
      if (words.size() < 5) failAt(number, "asf", "axis takes three angles and an order (XYZ, ...).");
      axisOrderOf(words[4], current_.axisOrder, number);
    } else if (same(key, "dof")) {
      current_.dofs.clear();
      for (std::size_t w = 1; w < words.size(); ++w) {
        const int c = channelOf(words[w]);
        if (c < 0) failAt(number, "asf", "\"%s\" is not a degree of freedom (rx ry rz tx ty tz l).", quoted(words[w]).c_str());
        if (c < 3 || c == 6) {
          failAt(number, "asf", "\"%s\": asfread reads turning degrees of freedom (rx ry rz) only, not translations or length changes.",
                 quoted(words[w]).c_str());
        }
        current_.dofs.push_back(static_cast<std::uint8_t>(c));
      }
    } else if (same(key, "limits")) {
      inLimits_ = true;
    }
    // id, bodymass, cofmass and other keys do not place the bone.
  }

  void hierarchy(const Words& words, std::size_t number) {
    if (same(words[0], "begin") && words.size() == 1) return;
    if (same(words[0], "end") && words.size() == 1) {
      section_ = Section::skip;
      return;
    }
    HierarchyLine h;
    h.parent = std::string(words[0]);
    for (std::size_t w = 1; w < words.size(); ++w) h.children.emplace_back(words[w]);
    h.line = number;
    hierarchy_.push_back(std::move(h));
  }

  Skeleton& skeleton_;
  Section section_ = Section::none;
  bool inBone_ = false;
  bool inLimits_ = false;
  bool hasRoot_ = false;
  Bone current_;
  unsigned has_ = 0;  // 1 name, 2 direction, 4 length
  std::size_t beginLine_ = 0;
  std::vector<HierarchyLine> hierarchy_;
};

bool isWholeNumber(const char* begin, const char* end) {
  if (begin == end) return false;
  for (const char* p = begin; p != end; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return true;
}

} // namespace

Skeleton parseAsf(const char* text, std::size_t size) {
  checkText(text, size);
  Skeleton skeleton;
  AsfParser parser(skeleton);
  motionfiles::LineReader lines(text, text + size);
  motionfiles::TextLine line;
  while (lines.next(line)) {
    const Words words = wordsOf(line);
    if (!words.empty()) parser.line(words, line.number);
  }
  parser.finish(lines.lineNumber());
  return skeleton;
}

namespace {

// One frame of an AMC text: its lines after the line of its number.
struct FrameText {
  const char* begin;
  const char* end;
  std::size_t numberLine;
};

// The first fault of the frames a thread reads: plain memory, so that a
// worker never allocates or throws.
struct AmcFault {
  std::size_t line = 0;  // 0: none
  const char* reason = "";
  char message[256] = "";
};

// What a thread needs to read frames: the last frame each slot was given
// in, and the order of the lines of the last frame and of this one.
struct FrameScratch {
  std::vector<std::size_t> seen, previous, order;
};

class AmcFrames {
 public:
  AmcFrames(const Skeleton& skeleton, Motion& motion) : motion_(motion) {
    const std::size_t B = skeleton.bones.size();
    names_.resize(B + 1);
    counts_.resize(B + 1);
    first_.resize(B + 1);
    names_[0] = "root";
    counts_[0] = skeleton.rootOrder.size();
    first_[0] = 0;
    slots_.emplace(names_[0], 0);
    for (std::size_t b = 0; b < B; ++b) {
      names_[b + 1] = skeleton.bones[b].name;
      counts_[b + 1] = skeleton.bones[b].dofs.size();
      first_[b + 1] = motion.firstValue[b];
      slots_.emplace(names_[b + 1], b + 1);
    }
  }

  std::size_t slots() const { return names_.size(); }

  // Reads frame k (from 0) into its values; false with `fault` set at its
  // first fault. Makes no allocation beyond `scratch`'s capacity.
  bool read(const FrameText& frame, std::size_t k, FrameScratch& scratch, AmcFault& fault) const {
    const std::size_t V = motion_.valuesPerFrame;
    scratch.previous.swap(scratch.order);
    scratch.order.clear();
    motionfiles::LineReader lines(frame.begin, frame.end);
    motionfiles::TextLine line;
    while (lines.next(line)) {
      const std::size_t number = frame.numberLine + line.number;
      const char* p = line.begin;
      while (p != line.end && motionfiles::isBlank(*p)) ++p;
      if (p == line.end || *p == '#' || *p == ':') continue;
      const char* wordEnd = p;
      while (wordEnd != line.end && !motionfiles::isBlank(*wordEnd)) ++wordEnd;
      const std::string_view name(p, static_cast<std::size_t>(wordEnd - p));
      std::size_t slot;
      const std::size_t guess = scratch.order.size();
      if (guess < scratch.previous.size() && names_[scratch.previous[guess]] == name) {
        slot = scratch.previous[guess];
      } else {
        const auto found = slots_.find(name);
        if (found == slots_.end()) return fail(fault, number, "amc", "\"%s\" is not a bone of the skeleton.", name);
        slot = found->second;
      }
      if (scratch.seen[slot] == k + 1) return fail(fault, number, "amc", "a second line for \"%s\" in one frame.", name);
      scratch.seen[slot] = k + 1;
      if (scratch.order.size() < scratch.order.capacity()) scratch.order.push_back(slot);
      double* out = motion_.values.data() + V * k + first_[slot];
      std::size_t count = 0;
      motionfiles::WordReader words(wordEnd, line.end);
      const char* b = nullptr;
      const char* e = nullptr;
      while (words.next(b, e)) {
        if (count < counts_[slot]) {
          double value = 0;
          if (!motionfiles::readPlainDecimal(b, e, value)) {
            const motionfiles::Decimal read = motionfiles::readDecimal(b, e, value);
            if (read != motionfiles::Decimal::number) {
              return fail(fault, number, "number", read == motionfiles::Decimal::overflow ? "value: \"%s\" is beyond the largest double."
                                                                                         : "value: \"%s\" is not a number.",
                          std::string_view(b, static_cast<std::size_t>(e - b)));
            }
          }
          out[count] = value;
        }
        ++count;
      }
      if (count != counts_[slot]) {
        std::snprintf(fault.message, sizeof fault.message, "\"%.*s\" has %zu values; its degrees of freedom call for %zu.",
                      static_cast<int>(name.size() < 60 ? name.size() : 60), name.data(), count, counts_[slot]);
        fault.line = number;
        fault.reason = "amc";
        return false;
      }
    }
    for (std::size_t s = 0; s < names_.size(); ++s) {
      if (scratch.seen[s] != k + 1 && counts_[s] > 0) {
        return fail(fault, frame.numberLine, "amc", "the frame that starts here has no line for \"%s\".", names_[s]);
      }
    }
    return true;
  }

 private:
  static bool fail(AmcFault& fault, std::size_t line, const char* reason, const char* format, std::string_view word) {
    char quotedWord[64];
    const std::size_t n = word.size() <= 60 ? word.size() : 57;
    std::memcpy(quotedWord, word.data(), n);
    std::strcpy(quotedWord + n, word.size() <= 60 ? "" : "...");
    std::snprintf(fault.message, sizeof fault.message, format, quotedWord);
    fault.line = line;
    fault.reason = reason;
    return false;
  }

  Motion& motion_;
  std::vector<std::string_view> names_;   // slot 0 the root, slot b + 1 bone b
  std::vector<std::size_t> counts_, first_;
  std::unordered_map<std::string_view, std::size_t> slots_;
};

// Frames per thread below which a second thread does not pay.
constexpr std::uint32_t kFramesPerThread = 256;

} // namespace

Motion parseAmc(const char* text, std::size_t size, const Skeleton& skeleton) {
  checkText(text, size);
  const std::size_t B = skeleton.bones.size();
  Motion motion;
  motion.degrees = skeleton.degrees;
  // Where each one's values start in a frame: the root's, then each bone's.
  std::size_t V = skeleton.rootOrder.size();
  motion.firstValue.resize(B);
  for (std::size_t b = 0; b < B; ++b) {
    motion.firstValue[b] = V;
    V += skeleton.bones[b].dofs.size();
  }
  motion.valuesPerFrame = V;

  // The frames: each starts at a line that holds its number alone.
  // Keywords (:DEGREES, :RADIANS) may stand anywhere.
  std::vector<FrameText> frames;
  const char* end = text + size;
  motionfiles::LineReader lines(text, end);
  motionfiles::TextLine line;
  while (lines.next(line)) {
    const char* p = line.begin;
    while (p != line.end && motionfiles::isBlank(*p)) ++p;
    if (p == line.end || *p == '#') continue;
    const char* wordEnd = p;
    while (wordEnd != line.end && !motionfiles::isBlank(*wordEnd)) ++wordEnd;
    if (*p == ':') {
      const std::string keyword(p + 1, wordEnd);
      if (motionfiles::sameName(keyword, "DEGREES")) motion.degrees = true;
      if (motionfiles::sameName(keyword, "RADIANS")) motion.degrees = false;
      continue;
    }
    const char* rest = wordEnd;
    while (rest != line.end && motionfiles::isBlank(*rest)) ++rest;
    if (rest == line.end && isWholeNumber(p, wordEnd)) {
      if (frames.size() >= kMaxFrames) failAt(line.number, "tooLarge", "more frames than the toolbox counts (2^31 - 1).");
      if (!frames.empty()) frames.back().end = line.begin;
      frames.push_back(FrameText{lines.position(), end, line.number});
    } else if (frames.empty()) {
      failAt(line.number, "amc", "a bone's line before the first frame's number.");
    }
  }
  const std::size_t N = frames.size();
  motion.frames = N;
  motion.values.assign(V * N, 0.0);

  // The frames' lines, split over the worker threads; the first fault of
  // the text is the earliest line any thread stopped at.
  const AmcFrames reader(skeleton, motion);
  const std::size_t threads = parallel::threadCount();
  std::vector<FrameScratch> scratch(threads);
  for (FrameScratch& s : scratch) {
    s.seen.assign(reader.slots(), 0);
    s.previous.reserve(reader.slots());
    s.order.reserve(reader.slots());
  }
  std::vector<AmcFault> faults(threads);
  // A share takes a free scratch and gives it back: at most one share a
  // thread runs at a time.
  std::unique_ptr<std::atomic<bool>[]> busy(new std::atomic<bool>[threads]);
  for (std::size_t t = 0; t < threads; ++t) busy[t].store(false);
  std::atomic<bool> starved{false};
  parallel::forColumns(static_cast<std::uint32_t>(N), kFramesPerThread, [&](std::uint32_t begin, std::uint32_t stop) {
    std::size_t mine = 0;
    bool expected = false;
    while (mine < threads && !busy[mine].compare_exchange_strong(expected, true)) {
      expected = false;
      ++mine;
    }
    if (mine == threads) {  // never: more shares at once than threads
      starved.store(true);
      return;
    }
    AmcFault fault;
    for (std::size_t k = begin; k < stop; ++k) {
      if (!reader.read(frames[k], k, scratch[mine], fault)) break;
    }
    if (fault.line != 0 && (faults[mine].line == 0 || fault.line < faults[mine].line)) faults[mine] = fault;
    busy[mine].store(false);
  });
  if (starved.load()) failAt(0, "amc", "internal: more shares at once than threads.");
  const AmcFault* first = nullptr;
  for (const AmcFault& f : faults) {
    if (f.line != 0 && (first == nullptr || f.line < first->line)) first = &f;
  }
  if (first != nullptr) failAt(first->line, first->reason, "%s", first->message);
  return motion;
}

} // namespace asf
