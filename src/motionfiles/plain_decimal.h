// The plain decimals motion files are mostly made of ("-123.456", "0.5",
// "42"): read in one pass, correctly rounded, the same double as
// readDecimal (decimal.h) gives. With at most 19 digits whose value m is
// below 2^53 and at most 22 after the point, m and 10^k are exact doubles
// and m / 10^k is one correctly rounded division. Anything else (an
// exponent, more digits) is left to readDecimal. Part of the motion-file
// layer (file_io.h).
#ifndef ROTKIT_MOTIONFILES_PLAIN_DECIMAL_H
#define ROTKIT_MOTIONFILES_PLAIN_DECIMAL_H

#include <cstdint>

namespace motionfiles {

// Reads [begin, end) when it is a plain decimal as above; false otherwise
// (value untouched).
inline bool readPlainDecimal(const char* begin, const char* end, double& value) {
  static const double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const char* p = begin;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  std::uint64_t m = 0;
  int digits = 0, after = 0;
  bool point = false;
  for (; p != end; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      if (++digits > 19) return false;
      m = m * 10 + static_cast<std::uint64_t>(c - '0');
      after += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0 || after > 22 || m > (std::uint64_t{1} << 53)) return false;
  const double magnitude = static_cast<double>(m) / kPowers[after];
  value = negative ? -magnitude : magnitude;
  return true;
}

} // namespace motionfiles

#endif
