// bvhread's parser (bvh_parser.h): the hierarchy token by token, then the
// motion line by line. Every fault throws FileError with its line.
#include "motionfiles/bvhread/bvh_parser.h"

#include "motionfiles/decimal.h"
#include "motionfiles/file_error.h"
#include "motionfiles/text_lines.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace bvh {

namespace {

using motionfiles::failAt;

// Joints and frames beyond these do not fit the data model: localRotations
// has 4 rows a joint, and every count stays below 2^31.
constexpr std::size_t kMaxJoints = std::size_t{1} << 29;
constexpr std::size_t kMaxFrames = (std::size_t{1} << 31) - 1;

struct Token {
  const char* begin;
  const char* end;
  std::size_t line;

  bool is(const char* word) const {
    const std::size_t length = std::strlen(word);
    if (static_cast<std::size_t>(end - begin) != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
      char c = begin[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != word[i]) return false;
    }
    return true;
  }
  bool isChar(char c) const { return end - begin == 1 && *begin == c; }
  std::string text() const { return std::string(begin, end); }
};

// A word as a message quotes it: at most 60 bytes, cut where a UTF-8
// character starts.
std::string quoted(const char* begin, const char* end) {
  if (end - begin <= 60) return std::string(begin, end);
  const char* cut = begin + 57;
  while (cut > begin && (static_cast<unsigned char>(*cut) & 0xC0) == 0x80) --cut;
  return std::string(begin, cut) + "...";
}
std::string quoted(const Token& t) { return quoted(t.begin, t.end); }

// The tokens of one hierarchy line: braces alone, other words at blanks
// and braces.
void tokenizeLine(const motionfiles::TextLine& line, std::vector<Token>& tokens) {
  const char* p = line.begin;
  while (p != line.end) {
    if (motionfiles::isBlank(*p)) {
      ++p;
    } else if (*p == '{' || *p == '}') {
      tokens.push_back(Token{p, p + 1, line.number});
      ++p;
    } else {
      const char* start = p;
      while (p != line.end && !motionfiles::isBlank(*p) && *p != '{' && *p != '}') ++p;
      tokens.push_back(Token{start, p, line.number});
    }
  }
}

bool isDigits(const char* begin, const char* end) {
  if (begin == end) return false;
  for (const char* p = begin; p != end; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return true;
}

// A whole number of decimal digits, saturated far beyond any count.
std::uint64_t digitsValue(const char* begin, const char* end) {
  std::uint64_t value = 0;
  for (const char* p = begin; p != end; ++p) {
    value = value < (std::uint64_t{1} << 60) ? value * 10 + static_cast<std::uint64_t>(*p - '0') : value;
  }
  return value;
}

// A finite number as the hierarchy and the frame time write them.
double strictNumber(const char* begin, const char* end, std::size_t line, const char* what) {
  double value = 0;
  if (motionfiles::readDecimal(begin, end, value) != motionfiles::Decimal::number) {
    failAt(line, "number", "%s: \"%s\" is not a number.", what, quoted(begin, end).c_str());
  }
  return value;
}

class HierarchyParser {
 public:
  HierarchyParser(const std::vector<Token>& tokens, std::size_t motionLine, Skeleton& skeleton)
      : tokens_(tokens), motionLine_(motionLine), joints_(skeleton.joints), skeleton_(skeleton) {}

  void parse() {
    if (tokens_.empty()) failAt(motionLine_, "hierarchy", "MOTION before any HIERARCHY.");
    if (!tokens_[0].is("hierarchy")) {
      failAt(tokens_[0].line, "hierarchy", "expected HIERARCHY, found \"%s\".", quoted(tokens_[0]).c_str());
    }
    std::size_t t = 1;
    bool rootDone = false;
    while (t < tokens_.size()) {
      const Token& token = tokens_[t];
      if (rootDone) {
        if (token.is("root")) {
          failAt(token.line, "hierarchy", "a second ROOT: only one skeleton per file is supported.");
        }
        failAt(token.line, "hierarchy", "unexpected \"%s\" after the root's closing brace.", quoted(token).c_str());
      }
      if (token.is("root") || token.is("joint") || token.is("end")) {
        t = openJoint(t);
      } else if (token.is("offset")) {
        t = readOffset(t);
      } else if (token.is("channels")) {
        t = readChannels(t);
      } else if (token.isChar('}')) {
        if (open_.empty()) failAt(token.line, "hierarchy", "a \"}\" without its \"{\".");
        const std::size_t j = open_.back();
        if (!hasOffset_[j]) failAt(token.line, "hierarchy", "\"%s\" closes without an OFFSET.", joints_[j].name.c_str());
        open_.pop_back();
        rootDone = open_.empty();
        ++t;
      } else {
        failAt(token.line, "hierarchy", "unexpected \"%s\".", quoted(token).c_str());
      }
    }
    if (joints_.empty()) failAt(motionLine_, "hierarchy", "MOTION before any ROOT.");
    if (!open_.empty()) {
      failAt(motionLine_, "hierarchy", "MOTION while \"%s\" is still open (a \"}\" is missing).",
             joints_[open_.back()].name.c_str());
    }
  }

 private:
  // The index after the last token on the line of token t.
  std::size_t lineEnd(std::size_t t) const {
    std::size_t last = t + 1;
    while (last < tokens_.size() && tokens_[last].line == tokens_[t].line) ++last;
    return last;
  }

  std::size_t openJoint(std::size_t t) {
    const Token& token = tokens_[t];
    const bool isRoot = token.is("root");
    const bool isEnd = token.is("end");
    const char* keyword = isRoot ? "ROOT" : (isEnd ? "End Site" : "JOINT");
    if (isRoot != open_.empty()) {
      if (open_.empty()) failAt(token.line, "hierarchy", "%s outside the ROOT's braces.", keyword);
      failAt(token.line, "hierarchy", "ROOT inside a joint.");
    }
    if (!open_.empty() && joints_[open_.back()].endSite) {
      failAt(token.line, "hierarchy", "\"%s\" holds a %s; an End Site takes only an OFFSET.",
             joints_[open_.back()].name.c_str(), keyword);
    }
    // The name: the words after the keyword on its line, up to a "{".
    std::size_t last = t;
    while (last + 1 < tokens_.size() && tokens_[last + 1].line == token.line && !tokens_[last + 1].isChar('{')) ++last;
    std::string name;
    if (isEnd) {
      if (last != t + 1 || !tokens_[t + 1].is("site")) failAt(token.line, "hierarchy", "expected \"End Site\".");
      name = joints_[open_.back()].name + "_end";
    } else {
      if (last == t) failAt(token.line, "hierarchy", "%s without a name.", keyword);
      for (std::size_t w = t + 1; w <= last; ++w) {
        if (w > t + 1) name += ' ';
        name.append(tokens_[w].begin, tokens_[w].end);
      }
    }
    const std::size_t brace = last + 1;
    if (brace >= tokens_.size() || !tokens_[brace].isChar('{')) {
      const std::size_t line = brace < tokens_.size() ? tokens_[brace].line : motionLine_;
      failAt(line, "hierarchy", "expected \"{\" after %s %s.", keyword, quoted(name.data(), name.data() + name.size()).c_str());
    }
    if (joints_.size() >= kMaxJoints) failAt(token.line, "tooLarge", "more joints than the toolbox counts (2^29).");
    Joint joint;
    joint.name = std::move(name);
    joint.parent = open_.empty() ? 0 : static_cast<std::uint32_t>(open_.back() + 1);
    joint.endSite = isEnd;
    joints_.push_back(std::move(joint));
    hasOffset_.push_back(false);
    hasChannels_.push_back(false);
    open_.push_back(joints_.size() - 1);
    return brace + 1;
  }

  std::size_t innermost(const Token& token, const char* keyword) const {
    if (open_.empty()) failAt(token.line, "hierarchy", "%s outside any joint.", keyword);
    return open_.back();
  }

  std::size_t readOffset(std::size_t t) {
    const Token& token = tokens_[t];
    const std::size_t j = innermost(token, "OFFSET");
    if (hasOffset_[j]) failAt(token.line, "hierarchy", "a second OFFSET in \"%s\".", joints_[j].name.c_str());
    const std::size_t end = lineEnd(t);
    double numbers[3] = {0, 0, 0};
    for (std::size_t w = t + 1; w < end; ++w) {
      const double value = strictNumber(tokens_[w].begin, tokens_[w].end, token.line, "OFFSET");
      if (w - t - 1 < 3) numbers[w - t - 1] = value;
    }
    if (end - t - 1 != 3) failAt(token.line, "hierarchy", "OFFSET takes 3 numbers, found %zu.", end - t - 1);
    std::copy(numbers, numbers + 3, joints_[j].offset);
    hasOffset_[j] = true;
    return end;
  }

  std::size_t readChannels(std::size_t t) {
    const Token& token = tokens_[t];
    const std::size_t j = innermost(token, "CHANNELS");
    Joint& joint = joints_[j];
    if (joint.endSite) {
      failAt(token.line, "hierarchy", "\"%s\" has CHANNELS; an End Site takes only an OFFSET.", joint.name.c_str());
    }
    if (hasChannels_[j]) failAt(token.line, "hierarchy", "a second CHANNELS in \"%s\".", joint.name.c_str());
    const std::size_t end = lineEnd(t);
    if (end == t + 1 || !isDigits(tokens_[t + 1].begin, tokens_[t + 1].end)) {
      failAt(token.line, "hierarchy", "CHANNELS must be followed by the number of channels.");
    }
    const std::uint64_t count = digitsValue(tokens_[t + 1].begin, tokens_[t + 1].end);
    const std::size_t listed = end - t - 2;
    if (count != listed) {
      failAt(token.line, "hierarchy", "CHANNELS %llu lists %zu channel names.", static_cast<unsigned long long>(count),
             listed);
    }
    static const char* const known[6] = {"xposition", "yposition", "zposition", "xrotation", "yrotation", "zrotation"};
    for (std::size_t w = t + 2; w < end; ++w) {
      int kind = 0;
      while (kind < 6 && !tokens_[w].is(known[kind])) ++kind;
      if (kind == 6) {
        failAt(token.line, "hierarchy",
               "unknown channel \"%s\" (supported: Xposition, Yposition, Zposition, Xrotation, Yrotation, Zrotation).",
               quoted(tokens_[w]).c_str());
      }
      const std::uint8_t channel = static_cast<std::uint8_t>(kind);
      if (!isRotation(channel) && std::find(joint.channels.begin(), joint.channels.end(), channel) != joint.channels.end()) {
        failAt(token.line, "hierarchy", "position channel %s is listed twice.", quoted(tokens_[w]).c_str());
      }
      joint.channels.push_back(channel);
    }
    skeleton_.channelCount += listed;
    hasChannels_[j] = true;
    return end;
  }

  const std::vector<Token>& tokens_;
  std::size_t motionLine_;
  std::vector<Joint>& joints_;
  Skeleton& skeleton_;
  std::vector<bool> hasOffset_;
  std::vector<bool> hasChannels_;
  std::vector<std::size_t> open_;  // the joints whose braces are open, innermost last
};

// The next line that is not blank, or false at the end of the text.
bool nextFilledLine(motionfiles::LineReader& lines, motionfiles::TextLine& line) {
  while (lines.next(line)) {
    if (!line.isBlankLine()) return true;
  }
  return false;
}

// Matches `line` against "<keyword> <word>" where the keyword's words may
// be parted by blanks ("Frame Time:"): blanks may stand before, between
// and after; the keyword in any case. Gives the word.
bool matchHeader(const motionfiles::TextLine& line, const char* const* keywordWords, int wordCount,
                 const char*& wordBegin, const char*& wordEnd) {
  const char* p = line.begin;
  for (int w = 0; w < wordCount; ++w) {
    const char* start = p;
    while (p != line.end && motionfiles::isBlank(*p)) ++p;
    if (w > 0 && p == start) return false;  // "Frame Time:" needs a blank between its words
    const std::size_t length = std::strlen(keywordWords[w]);
    if (static_cast<std::size_t>(line.end - p) < length) return false;
    if (!Token{p, p + length, 0}.is(keywordWords[w])) return false;
    p += length;
  }
  motionfiles::WordReader words(p, line.end);
  const char* extraBegin = nullptr;
  const char* extraEnd = nullptr;
  return words.next(wordBegin, wordEnd) && !words.next(extraBegin, extraEnd);
}

// What each byte is to the frame lines' scan.
enum ByteKind : unsigned char { kWord = 0, kBlank = 1, kLineEnd = 2 };
struct ByteKinds {
  unsigned char kind[256];
  ByteKinds() {
    for (unsigned char& k : kind) k = kWord;
    kind[static_cast<unsigned char>(' ')] = kBlank;
    kind[static_cast<unsigned char>('\t')] = kBlank;
    kind[static_cast<unsigned char>('\f')] = kBlank;
    kind[static_cast<unsigned char>('\v')] = kBlank;
    kind[static_cast<unsigned char>('\n')] = kLineEnd;
    kind[static_cast<unsigned char>('\r')] = kLineEnd;
  }
};

// The frame lines: from `p` to `end`, the first at line number `line` + 1.
void readFrames(const char* p, const char* end, std::size_t line, ParsedFile& file) {
  static const ByteKinds bytes;
  const std::size_t C = file.skeleton.channelCount;
  // Room for the frames "Frames:" announces, as far as the text can hold
  // them (each value takes two bytes at least): a false count costs a
  // reallocation, never memory beyond the text's size.
  const std::uint64_t fits = static_cast<std::uint64_t>(end - p) / (2 * C) + 1;
  file.values.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file.announcedFrames, fits)) * C);
  std::size_t frames = 0;
  while (p != end) {
    ++line;
    std::size_t count = 0;
    const char* badBegin = nullptr;
    const char* badEnd = nullptr;
    std::size_t badIndex = 0;
    bool badOverflow = false;
    for (;;) {
      while (p != end && bytes.kind[static_cast<unsigned char>(*p)] == kBlank) ++p;
      if (p == end || bytes.kind[static_cast<unsigned char>(*p)] == kLineEnd) break;
      const char* word = p;
      while (p != end && bytes.kind[static_cast<unsigned char>(*p)] == kWord) ++p;
      ++count;
      if (count > C || badBegin != nullptr) continue;
      double value = 0;
      const motionfiles::Decimal read = motionfiles::readDecimal(word, p, value);
      if (read == motionfiles::Decimal::number) {
        file.values.push_back(value);
      } else {
        badBegin = word;
        badEnd = p;
        badIndex = count;
        badOverflow = read == motionfiles::Decimal::overflow;
      }
    }
    if (p != end) p += (*p == '\r' && p + 1 != end && p[1] == '\n') ? 2 : 1;
    if (count == 0) continue;  // a blank line
    ++frames;
    if (count != C) {
      failAt(line, "frameValues", "frame %zu has %zu values; the CHANNELS call for %zu.", frames, count, C);
    }
    if (badBegin != nullptr) {
      if (badOverflow) failAt(line, "number", "frame %zu, value %zu is out of range.", frames, badIndex);
      failAt(line, "number", "frame %zu, value %zu: \"%s\" is not a number.", frames, badIndex,
             quoted(badBegin, badEnd).c_str());
    }
    if (frames > kMaxFrames) failAt(line, "tooLarge", "more frames than the toolbox counts (2^31 - 1).");
  }
  file.frames = frames;
}

} // namespace

ParsedFile parseBvh(const char* text, std::size_t size) {
  const char* end = text + size;
  const motionfiles::TextFault fault = motionfiles::findTextFault(text, end);
  if (fault.kind == motionfiles::TextFault::control) {
    failAt(motionfiles::lineOf(text, fault.at), "encoding", "the text holds a control character (byte %u).",
           static_cast<unsigned>(static_cast<unsigned char>(*fault.at)));
  }
  if (fault.kind == motionfiles::TextFault::notUtf8) {
    failAt(motionfiles::lineOf(text, fault.at), "encoding", "the text is not UTF-8 (a byte above 127 out of place).");
  }

  // The hierarchy: every token up to the first line that is MOTION alone.
  motionfiles::LineReader lines(text, end);
  motionfiles::TextLine line;
  std::vector<Token> tokens;
  std::size_t motionLine = 0;
  while (lines.next(line)) {
    const std::size_t before = tokens.size();
    tokenizeLine(line, tokens);
    if (tokens.size() == before + 1 && tokens.back().is("motion")) {
      tokens.pop_back();
      motionLine = line.number;
      break;
    }
  }
  if (motionLine == 0) {
    failAt(lines.lineNumber(), "hierarchy", "no MOTION line: the file ends in its hierarchy.");
  }
  ParsedFile file;
  HierarchyParser(tokens, motionLine, file.skeleton).parse();
  std::vector<Token>().swap(tokens);

  // "Frames: N" and "Frame Time: T", each the next line that is not blank.
  static const char* const framesWords[1] = {"frames:"};
  static const char* const timeWords[2] = {"frame", "time:"};
  const char* word = nullptr;
  const char* wordEnd = nullptr;
  if (!nextFilledLine(lines, line) || !matchHeader(line, framesWords, 1, word, wordEnd)) {
    failAt(lines.lineNumber(), "motion", "expected \"Frames: N\" after MOTION.");
  }
  if (!isDigits(word, wordEnd)) {
    failAt(line.number, "motion", "Frames: \"%s\" is not a whole number.", quoted(word, wordEnd).c_str());
  }
  file.announcedFrames = digitsValue(word, wordEnd);
  if (!nextFilledLine(lines, line) || !matchHeader(line, timeWords, 2, word, wordEnd)) {
    failAt(lines.lineNumber(), "motion", "expected \"Frame Time: T\" after \"Frames:\".");
  }
  file.frameTime = strictNumber(word, wordEnd, line.number, "Frame Time");
  if (!(file.frameTime > 0)) {
    failAt(line.number, "motion", "Frame Time must be positive, found %s.", quoted(word, wordEnd).c_str());
  }

  const std::size_t timeLine = line.number;
  if (file.skeleton.channelCount == 0) {
    // Nothing to read per frame: a frame is a line, if an empty one. Any
    // text is surplus; frames beyond the lines there are, missing.
    std::size_t available = 0;
    while (lines.next(line)) {
      if (!line.isBlankLine()) failAt(line.number, "motion", "motion data, but the hierarchy has no CHANNELS.");
      ++available;
    }
    file.frames = static_cast<std::size_t>(std::min<std::uint64_t>({file.announcedFrames, available, kMaxFrames}));
    return file;
  }
  if (!lines.atEnd()) readFrames(lines.position(), end, timeLine, file);
  return file;
}

} // namespace bvh
