// Bit-level comparison of doubles for tests: results here are defined to
// the last bit, so signed zeros and NaN payloads are compared as patterns.
#ifndef ROTKIT_TESTS_BITS_H
#define ROTKIT_TESTS_BITS_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

inline std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline double fromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline std::string describe(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value << " (0x" << std::hex << bitsOf(value) << ")";
  return out.str();
}

// Same bit pattern; any NaN matches any NaN, since payloads are the
// hardware's choice and not part of a result.
inline bool sameBits(double a, double b) {
  if (std::isnan(a) && std::isnan(b)) return true;
  return bitsOf(a) == bitsOf(b);
}

inline ::testing::AssertionResult SameBits(const std::vector<double>& actual, const std::vector<double>& expected) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
  }
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (!sameBits(actual[i], expected[i])) {
      return ::testing::AssertionFailure() << "element " << i << " is " << describe(actual[i]) << ", expected "
                                           << describe(expected[i]);
    }
  }
  return ::testing::AssertionSuccess();
}

// Distance in units in the last place between two finite doubles.
inline std::uint64_t ulpDistance(double a, double b) {
  auto ordered = [](double v) {
    const std::int64_t bits = static_cast<std::int64_t>(bitsOf(v));
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
  };
  const std::int64_t ia = ordered(a);
  const std::int64_t ib = ordered(b);
  return ia > ib ? static_cast<std::uint64_t>(ia - ib) : static_cast<std::uint64_t>(ib - ia);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

#endif
