// Reading and writing decimal numbers exactly (decimal.h).
#include "motionfiles/decimal.h"

#include <charconv>
#include <system_error>

namespace motionfiles {

namespace {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits from p on; returns the end of the run.
inline const char* skipDigits(const char* p, const char* end) {
  while (p != end && isDigit(*p)) ++p;
  return p;
}

// For a number std::from_chars found out of range: whether its magnitude
// lies below the doubles (true) or above them. The decimal exponent of its
// first non-zero digit decides: below zero, the number is below 1.
bool isTiny(const char* mantissa, const char* mantissaEnd, const char* exponent, const char* end) {
  long long before = 0;        // digits before the point, from the first non-zero one
  long long leadingZeros = 0;  // zeros after the point before the first non-zero digit
  bool seenNonZero = false;
  bool afterPoint = false;
  for (const char* p = mantissa; p != mantissaEnd; ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (!seenNonZero && *p == '0') {
      if (afterPoint) ++leadingZeros;
    } else {
      seenNonZero = true;
      if (!afterPoint) ++before;
    }
  }
  long long scale = before > 0 ? before - 1 : -leadingZeros - 1;
  if (exponent != end) {
    const char* p = exponent + 1;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    long long e = 0;
    for (; p != end; ++p) {
      if (e < 1000000000LL) e = e * 10 + (*p - '0');  // saturates far beyond any double's range
    }
    scale += negative ? -e : e;
  }
  return scale < 0;
}

} // namespace

Decimal readDecimal(const char* begin, const char* end, double& value) {
  const char* p = begin;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const char* mantissa = p;
  const char* digitsEnd = skipDigits(p, end);
  bool digits = digitsEnd != p;
  p = digitsEnd;
  if (p != end && *p == '.') {
    const char* fraction = skipDigits(p + 1, end);
    digits = digits || fraction != p + 1;
    p = fraction;
  }
  if (!digits) return Decimal::notNumber;
  const char* mantissaEnd = p;
  const char* exponent = end;
  if (p != end && (*p == 'e' || *p == 'E')) {
    exponent = p;
    ++p;
    if (p != end && (*p == '+' || *p == '-')) ++p;
    const char* exponentDigits = skipDigits(p, end);
    if (exponentDigits == p) return Decimal::notNumber;
    p = exponentDigits;
  }
  if (p != end) return Decimal::notNumber;
  // std::from_chars takes a minus sign but no plus sign.
  const char* first = negative ? mantissa - 1 : mantissa;
  double parsed = 0;
  const std::from_chars_result result = std::from_chars(first, end, parsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (!isTiny(mantissa, mantissaEnd, exponent, end)) return Decimal::overflow;
    parsed = negative ? -0.0 : 0.0;
  } else if (result.ec != std::errc() || result.ptr != end) {
    return Decimal::notNumber;
  }
  value = parsed;
  return Decimal::number;
}

char* writeDecimal(double value, int digits, char* out) {
  const std::to_chars_result result = digits == 0 ? std::to_chars(out, out + kDecimalChars, value)
                                                  : std::to_chars(out, out + kDecimalChars, value,
                                                                  std::chars_format::general, digits);
  return result.ptr;
}

} // namespace motionfiles
