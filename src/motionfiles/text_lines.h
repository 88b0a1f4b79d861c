// Lines and words of a text file in memory, for the motion-file readers
// (file_io.h says what the layer holds). A line ends at LF, CR LF or CR;
// the file's last line may have no end, and a line end at the very end of
// the file starts no further line. Words are parted by runs of blanks:
// space, tab, form feed and vertical tab. Lines count from 1.
#ifndef ROTKIT_MOTIONFILES_TEXT_LINES_H
#define ROTKIT_MOTIONFILES_TEXT_LINES_H

#include <cstddef>
#include <cstring>

namespace motionfiles {

inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
inline bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// One line's text, without its line end.
struct TextLine {
  const char* begin = nullptr;
  const char* end = nullptr;
  std::size_t number = 0;

  bool isBlankLine() const {
    for (const char* p = begin; p != end; ++p) {
      if (!isBlank(*p)) return false;
    }
    return true;
  }
};

// The lines of [begin, end), one after another.
class LineReader {
 public:
  LineReader(const char* begin, const char* end) : next_(begin), end_(end) {}

  // The next line, or false after the last.
  bool next(TextLine& line) {
    if (finished_) return false;
    const char* p = next_;
    while (p != end_ && !isLineEnd(*p)) ++p;
    line.begin = next_;
    line.end = p;
    line.number = ++number_;
    if (p == end_) {
      finished_ = true;
    } else {
      p += (*p == '\r' && p + 1 != end_ && p[1] == '\n') ? 2 : 1;
      finished_ = p == end_;
    }
    next_ = p;
    return true;
  }

  // The line after the last one read starts here.
  const char* position() const { return next_; }
  // Lines read so far; the number of the last one.
  std::size_t lineNumber() const { return number_; }
  bool atEnd() const { return finished_; }

 private:
  const char* next_;
  const char* end_;
  std::size_t number_ = 0;
  bool finished_ = false;
};

// The words of one line, from its start.
class WordReader {
 public:
  explicit WordReader(const TextLine& line) : p_(line.begin), end_(line.end) {}
  WordReader(const char* begin, const char* end) : p_(begin), end_(end) {}

  // The next word [begin, end), or false when only blanks are left.
  bool next(const char*& begin, const char*& end) {
    while (p_ != end_ && isBlank(*p_)) ++p_;
    if (p_ == end_) return false;
    begin = p_;
    while (p_ != end_ && !isBlank(*p_)) ++p_;
    end = p_;
    return true;
  }

 private:
  const char* p_;
  const char* end_;
};

// The line of byte `at` of the text that starts at `begin`: 1 plus the
// line ends before it (CR LF counting once).
inline std::size_t lineOf(const char* begin, const char* at) {
  std::size_t line = 1;
  for (const char* p = begin; p < at; ++p) {
    if (*p == '\n' || (*p == '\r' && !(p + 1 < at && p[1] == '\n'))) ++line;
  }
  return line;
}

// What is wrong with a text, where: a control character (a byte below 32
// other than tab, LF, VT, FF and CR, or 127) or bytes that are not UTF-8.
struct TextFault {
  enum Kind { none, control, notUtf8 } kind = none;
  const char* at = nullptr;
};

// The first fault of [begin, end), if any. UTF-8 as the standard has it:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
inline TextFault findTextFault(const char* begin, const char* end) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(begin);
  const unsigned char* stop = reinterpret_cast<const unsigned char*>(end);
  while (p != stop) {
    // Eight plain printable ASCII bytes at a time: none below 32, none from 127.
    if (stop - p >= 8) {
      unsigned long long w;
      std::memcpy(&w, p, 8);
      const unsigned long long low = (w - 0x2020202020202020ULL) & ~w;               // a byte below 32
      const unsigned long long high = (w + 0x0101010101010101ULL) | w;                // a byte from 127
      if (((low | high) & 0x8080808080808080ULL) == 0) {
        p += 8;
        continue;
      }
    }
    const unsigned char c = *p;
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r') || c == 0x7F) {
        return TextFault{TextFault::control, reinterpret_cast<const char*>(p)};
      }
      ++p;
      continue;
    }
    // The length of the sequence and the range of its second byte.
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    }
    bool valid = length != 0 && stop - p >= length && p[1] >= low && p[1] <= high;
    for (int k = 2; valid && k < length; ++k) valid = p[k] >= 0x80 && p[k] <= 0xBF;
    if (!valid) return TextFault{TextFault::notUtf8, reinterpret_cast<const char*>(p)};
    p += length;
  }
  return TextFault{};
}

} // namespace motionfiles

#endif
