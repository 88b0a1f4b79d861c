// Decimal numbers of the motion files, read and written exactly: reading
// gives the double nearest to the text (std::from_chars, correctly
// rounded), writing gives the shortest text that reads back as the same
// double (std::to_chars), or D significant digits when fewer are asked for.
// Part of the motion-file layer (file_io.h).
#ifndef ROTKIT_MOTIONFILES_DECIMAL_H
#define ROTKIT_MOTIONFILES_DECIMAL_H

#include <cstddef>

namespace motionfiles {

enum class Decimal {
  number,      // a number, its value set
  notNumber,   // not the form below
  overflow,    // the form, but beyond the largest double
};

// Reads [begin, end) as a whole: an optional sign, digits with an optional
// point (or a point and digits), an optional exponent ("e" or "E", an
// optional sign, digits). Nothing else: no blanks, "inf", "nan" or hex. A
// magnitude below the smallest subnormal reads as a zero of its sign.
Decimal readDecimal(const char* begin, const char* end, double& value);

// Room enough for any finite double in either form below, without a
// terminator: "-2.2250738585072014e-308" has 24 characters.
constexpr std::size_t kDecimalChars = 24;

// Writes `value` (finite) at `out`, returns the end: the shortest text that
// reads back as `value` when digits = 0, else `digits` (1 to 17)
// significant digits as printf's "%.<digits>g" gives them.
char* writeDecimal(double value, int digits, char* out);

} // namespace motionfiles

#endif
