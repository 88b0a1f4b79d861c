// What c3dread and c3dwrite share: the C3D file's blocks and keys, and its
// numbers in the three processor formats a file may declare: Intel
// (little-endian, IEEE floats), DEC (little-endian 16-bit words, VAX
// F-floating) and MIPS (big-endian, IEEE floats). Every value is read
// byte by byte, so the reading is the same on any host.
#ifndef ROTKIT_MOTIONFILES_C3D_FORMAT_H
#define ROTKIT_MOTIONFILES_C3D_FORMAT_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace c3d {

constexpr std::size_t kBlock = 512;          // every section starts on a block of 512 bytes
constexpr unsigned char kKey = 0x50;         // the header's second byte
constexpr std::uint16_t kEventKey = 12345;   // header word 150: the header's events have 4-character labels
constexpr std::size_t kHeaderEvents = 18;    // room for events in the header

// The processor byte of the parameter section (its fourth byte).
enum class Processor : std::uint8_t { intel = 84, dec = 85, mips = 86 };

inline std::uint16_t readU16(const unsigned char* p, Processor processor) {
  return processor == Processor::mips ? static_cast<std::uint16_t>((p[0] << 8) | p[1])
                                      : static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::int16_t readI16(const unsigned char* p, Processor processor) {
  const std::uint16_t u = readU16(p, processor);
  return static_cast<std::int16_t>(u >= 0x8000u ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
}

inline float floatOfBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A VAX F-floating number: the first 16-bit word holds the sign, an
// exponent biased by 128 and the top 7 bits of the fraction, the second
// word the low 16 bits; the value is 0.1f (binary) x 2^(exponent - 128),
// a quarter of the IEEE single with the same fields. Computed exactly in
// double. A zero exponent is 0 (a "dirty zero" too) with the sign bit
// clear, and the reserved operand, NaN here, with it set.
inline double decFloat(const unsigned char* p) {
  const std::uint32_t high = static_cast<std::uint32_t>(p[0] | (p[1] << 8));
  const std::uint32_t low = static_cast<std::uint32_t>(p[2] | (p[3] << 8));
  const std::uint32_t bits = (high << 16) | low;
  const int exponent = static_cast<int>((bits >> 23) & 0xFFu);
  const bool negative = (bits >> 31) != 0;
  if (exponent == 0) return negative ? std::numeric_limits<double>::quiet_NaN() : 0.0;
  const double magnitude = std::ldexp(static_cast<double>((bits & 0x7FFFFFu) | 0x800000u), exponent - 152);
  return negative ? -magnitude : magnitude;
}

// A 32-bit float of the file, as a double (exact).
inline double readFloat(const unsigned char* p, Processor processor) {
  switch (processor) {
    case Processor::intel:
      return static_cast<double>(floatOfBits(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                             (static_cast<std::uint32_t>(p[2]) << 16) |
                                             (static_cast<std::uint32_t>(p[3]) << 24)));
    case Processor::mips:
      return static_cast<double>(floatOfBits(static_cast<std::uint32_t>(p[3]) | (static_cast<std::uint32_t>(p[2]) << 8) |
                                             (static_cast<std::uint32_t>(p[1]) << 16) |
                                             (static_cast<std::uint32_t>(p[0]) << 24)));
    case Processor::dec:
      break;
  }
  return decFloat(p);
}

// Intel numbers, as c3dwrite writes them.
inline void putU16(unsigned char* p, std::uint16_t value) {
  p[0] = static_cast<unsigned char>(value & 0xFFu);
  p[1] = static_cast<unsigned char>(value >> 8);
}

inline void putI16(unsigned char* p, std::int16_t value) {
  putU16(p, static_cast<std::uint16_t>(value < 0 ? static_cast<int>(value) + 0x10000 : static_cast<int>(value)));
}

inline void putFloat(unsigned char* p, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
}

} // namespace c3d

#endif
