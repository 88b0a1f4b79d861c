// Names from files (C3D groups and parameters, TRC header names) as the
// field names of a MATLAB struct, and back. Part of the motion-file layer
// (file_io.h).
#ifndef ROTKIT_MOTIONFILES_FIELD_NAMES_H
#define ROTKIT_MOTIONFILES_FIELD_NAMES_H

#include "motionfiles/text_lines.h"

#include <cstddef>
#include <string>

namespace motionfiles {

// The longest field name MATLAB takes (namelengthmax).
constexpr std::size_t kMaxFieldName = 63;

inline bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A valid field name for the text [begin, end): letters, digits and
// underscores, a letter first, at most 63 characters. Any other byte
// becomes an underscore, a name that does not start with a letter gets an
// "x" in front (as MATLAB's makeValidName does), an empty one is "x".
inline std::string fieldName(const char* begin, const char* end) {
  std::string name;
  if (begin == end || !isAsciiLetter(*begin)) name += 'x';
  for (const char* p = begin; p != end && name.size() < kMaxFieldName; ++p) {
    const char c = *p;
    name += (isAsciiLetter(c) || isAsciiDigit(c) || c == '_') ? c : '_';
  }
  return name;
}

inline bool isFieldName(const std::string& name) {
  if (name.empty() || name.size() > kMaxFieldName || !isAsciiLetter(name[0])) return false;
  for (char c : name) {
    if (!(isAsciiLetter(c) || isAsciiDigit(c) || c == '_')) return false;
  }
  return true;
}

// ASCII case-insensitive equality.
inline bool sameName(const std::string& a, const char* b) { return sameWordAnyCase(a.data(), a.data() + a.size(), b); }

} // namespace motionfiles

#endif
