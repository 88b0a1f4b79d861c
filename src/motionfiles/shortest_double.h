// The shortest decimal text that reads back as the same double, written
// character for character as std::to_chars(first, last, value) writes it
// (libstdc++): the fewest significant digits, the closest of them to the
// value (ties to an even last digit), fixed form where it is no longer
// than the scientific one, and a whole number in fixed form printed exactly.
// The digits come from the Schubfach algorithm (R. Giulietti), with the
// table of tools/make_pow10_table.py (pow10_table.h). Integer work only.
#ifndef ROTKIT_MOTIONFILES_SHORTEST_DOUBLE_H
#define ROTKIT_MOTIONFILES_SHORTEST_DOUBLE_H

namespace motionfiles {

// Room enough for any double, "inf" and "-nan" included, without a
// terminator: "-2.2250738585072014e-308" has 24 characters.
constexpr int kShortestDoubleChars = 24;

// Writes `value` at `out`, returns the end. The kShortestDoubleChars
// characters from `out` on are its room: those past the end may be
// overwritten too.
char* writeShortestDouble(double value, char* out);

} // namespace motionfiles

#endif
