// asfread's parsers (asf_parser.h): the ASF section by section, line by
// line; the AMC line by line, a bone's line found by its name (the order
// of the previous frame guessed first).
#include "motionfiles/asfread/asf_parser.h"

#include "motionfiles/decimal.h"
#include "motionfiles/field_names.h"
#include "motionfiles/file_error.h"
#include "motionfiles/text_lines.h"

#include <algorithm>
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

bool same(std::string_view word, const char* name) { return motionfiles::sameName(std::string(word), name); }

std::string quoted(std::string_view word) {
  return word.size() <= 60 ? std::string(word) : std::string(word.substr(0, 57)) + "...";
}

double numberAt(std::string_view word, std::size_t line, const char* what) {
  double value = 0;
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
  // Slot 0 is the root, slot b + 1 bone b.
  std::unordered_map<std::string_view, std::size_t> slots;
  std::vector<std::string_view> names(B + 1);
  std::vector<std::size_t> counts(B + 1);
  names[0] = "root";
  counts[0] = skeleton.rootOrder.size();
  slots.emplace(names[0], 0);
  for (std::size_t b = 0; b < B; ++b) {
    names[b + 1] = skeleton.bones[b].name;
    counts[b + 1] = skeleton.bones[b].dofs.size();
    slots.emplace(names[b + 1], b + 1);
  }
  std::vector<std::size_t> seen(B + 1, 0);      // the frame (from 1) each was last given in
  std::vector<std::size_t> previous, order;     // the order of the lines in the last frame, and in this one
  std::size_t frameLine = 0;
  const char* end = text + size;
  const auto checkFrame = [&](std::size_t frame) {
    for (std::size_t s = 0; s <= B; ++s) {
      if (seen[s] != frame && counts[s] > 0) {
        failAt(frameLine, "amc", "the frame that starts here has no line for \"%s\".", std::string(names[s]).c_str());
      }
    }
  };
  motionfiles::LineReader lines(text, end);
  motionfiles::TextLine line;
  std::size_t frame = 0;  // frames begun
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
      if (frame > 0) checkFrame(frame);
      if (frame >= kMaxFrames) failAt(line.number, "tooLarge", "more frames than the toolbox counts (2^31 - 1).");
      ++frame;
      frameLine = line.number;
      motion.values.resize(V * frame);
      previous.swap(order);
      order.clear();
      continue;
    }
    if (frame == 0) failAt(line.number, "amc", "a bone's line before the first frame's number.");
    const std::string_view name(p, static_cast<std::size_t>(wordEnd - p));
    std::size_t slot;
    const std::size_t guess = order.size();
    if (guess < previous.size() && names[previous[guess]] == name) {
      slot = previous[guess];
    } else {
      const auto found = slots.find(name);
      if (found == slots.end()) failAt(line.number, "amc", "\"%s\" is not a bone of the skeleton.", quoted(name).c_str());
      slot = found->second;
    }
    if (seen[slot] == frame) failAt(line.number, "amc", "a second line for \"%s\" in one frame.", quoted(name).c_str());
    seen[slot] = frame;
    order.push_back(slot);
    double* out = motion.values.data() + V * (frame - 1) + (slot == 0 ? 0 : motion.firstValue[slot - 1]);
    std::size_t count = 0;
    motionfiles::WordReader words(rest, line.end);
    const char* b = nullptr;
    const char* e = nullptr;
    while (words.next(b, e)) {
      if (count < counts[slot]) out[count] = numberAt(std::string_view(b, static_cast<std::size_t>(e - b)), line.number, "value");
      ++count;
    }
    if (count != counts[slot]) {
      failAt(line.number, "amc", "\"%s\" has %zu values; its degrees of freedom call for %zu.", quoted(name).c_str(), count,
             counts[slot]);
    }
  }
  if (frame > 0) checkFrame(frame);
  motion.frames = frame;
  return motion;
}

} // namespace asf
