// The shortest-digit formatter of the motion files writes exactly the
// characters of std::to_chars(first, last, value): on every class of
// double (signed zeros, NaN, infinities, subnormals, powers of two and
// ten with their neighbours, the switches between fixed and scientific
// form), on random bit patterns and on the values BVH files hold.
// ROTKIT_SHORTEST_PATTERNS=N raises the random counts for a long run.
#include "motionfiles/shortest_double.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using motionfiles::writeShortestDouble;

double fromBits(std::uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::uint64_t bitsOf(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// The formatter's text when it equals std::to_chars's and stays within its
// length, else a message naming the bits and both texts.
::testing::AssertionResult sameAsToChars(double value) {
  char expected[64];
  char written[64];
  std::memset(written, 0x55, sizeof written);
  const char* expectedEnd = std::to_chars(expected, expected + sizeof expected, value).ptr;
  const char* end = writeShortestDouble(value, written);
  const std::string want(static_cast<const char*>(expected), expectedEnd);
  const std::string got(static_cast<const char*>(written), end);
  // The formatter may use its room as scratch, never more.
  bool untouched = true;
  for (const char* p = written + motionfiles::kShortestDoubleChars; p != written + sizeof written; ++p) {
    untouched = untouched && *p == 0x55;
  }
  if (want == got && untouched && got.size() <= static_cast<std::size_t>(motionfiles::kShortestDoubleChars)) {
    return ::testing::AssertionSuccess();
  }
  char bits[32];
  std::snprintf(bits, sizeof bits, "0x%016llx", static_cast<unsigned long long>(bitsOf(value)));
  return ::testing::AssertionFailure() << bits << ": to_chars \"" << want << "\", formatter \"" << got << "\""
                                       << (untouched ? "" : " (wrote past its room)");
}

// The value and its neighbours on both sides, of both signs.
void expectWithNeighbours(double v, int& failures) {
  const double values[] = {v, std::nextafter(v, 0.0), std::nextafter(v, std::numeric_limits<double>::infinity())};
  for (double x : values) {
    for (double y : {x, -x}) {
      if (!std::isfinite(y) && !std::isinf(y)) continue;
      const ::testing::AssertionResult r = sameAsToChars(y);
      if (!r && ++failures <= 20) ADD_FAILURE() << r.message();
    }
  }
}

std::uint64_t patternCount(std::uint64_t fallback) {
  const char* text = std::getenv("ROTKIT_SHORTEST_PATTERNS");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(ShortestDouble, ZerosInfinitiesAndNaNs) {
  EXPECT_TRUE(sameAsToChars(0.0));
  EXPECT_TRUE(sameAsToChars(-0.0));
  EXPECT_TRUE(sameAsToChars(std::numeric_limits<double>::infinity()));
  EXPECT_TRUE(sameAsToChars(-std::numeric_limits<double>::infinity()));
  for (std::uint64_t bits : {0x7ff8000000000000ULL, 0xfff8000000000000ULL, 0x7ff0000000000001ULL,
                             0xfff7ffffffffffffULL, 0x7fffffffffffffffULL}) {
    EXPECT_TRUE(sameAsToChars(fromBits(bits)));
  }
  char text[32];
  const char* end = writeShortestDouble(-0.0, text);
  EXPECT_EQ(std::string(static_cast<const char*>(text), end), "-0");
}

TEST(ShortestDouble, ExtremesPowersOfTwoAndTen) {
  int failures = 0;
  for (double v : {std::numeric_limits<double>::denorm_min(), fromBits(0x000fffffffffffffULL),
                   std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::epsilon(), 9007199254740992.0, 1.0, 0.1, 0.3, 2.0 / 3.0}) {
    expectWithNeighbours(v, failures);
  }
  for (int e = -1074; e <= 1023; ++e) expectWithNeighbours(std::ldexp(1.0, e), failures);
  for (int e = -323; e <= 308; ++e) expectWithNeighbours(std::strtod(("1e" + std::to_string(e)).c_str(), nullptr), failures);
  EXPECT_EQ(failures, 0);
}

TEST(ShortestDouble, SmallSubnormalsAndWholeNumbers) {
  int failures = 0;
  for (std::uint64_t c = 1; c < (1u << 16); ++c) {
    const ::testing::AssertionResult r = sameAsToChars(fromBits(c));
    if (!r && ++failures <= 20) ADD_FAILURE() << r.message();
  }
  // Whole numbers about 2^53 and 10^15 to 10^23, where the fixed form
  // prints the exact value rather than padded digits.
  for (int e = 15; e <= 23; ++e) {
    for (double m : {1.0, 1.2345678901234567, 9.999999999999999, 4.0 / 3.0}) {
      expectWithNeighbours(m * std::pow(10.0, e), failures);
    }
  }
  for (std::uint64_t n = (1ULL << 53) - 100; n < (1ULL << 53) + 100; ++n) {
    expectWithNeighbours(static_cast<double>(n), failures);
  }
  EXPECT_EQ(failures, 0);
}

// Digits of each length at each exponent about the switch between the
// fixed form and the scientific one (0.001 against 1e-04, 123456 against 1e+05).
TEST(ShortestDouble, FixedAndScientificSwitch) {
  int failures = 0;
  const char* digits[] = {"1", "12", "123", "1234567", "123456789012345", "1234567890123456", "12345678901234567"};
  for (const char* d : digits) {
    for (int e = -30; e <= 30; ++e) {
      const std::string text = std::string(d) + "e" + std::to_string(e);
      expectWithNeighbours(std::strtod(text.c_str(), nullptr), failures);
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(ShortestDouble, RandomBitPatterns) {
  std::mt19937_64 random(20261210);
  const std::uint64_t count = patternCount(2000000);
  std::uint64_t failures = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    const ::testing::AssertionResult r = sameAsToChars(fromBits(random()));
    if (!r && ++failures <= 20) ADD_FAILURE() << r.message();
  }
  EXPECT_EQ(failures, 0u) << "of " << count;
}

// Angles in degrees with 16 or 17 digits, and positions with full or few
// decimals, as bvhwrite writes them.
TEST(ShortestDouble, BvhValues) {
  std::mt19937_64 random(1295);
  const std::uint64_t count = patternCount(2000000) / 4;
  std::uniform_real_distribution<double> angle(-360.0, 360.0);
  std::uniform_real_distribution<double> position(-1000.0, 1000.0);
  std::uint64_t failures = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(i % 7));
    for (double v : {angle(random), position(random), std::round(position(random) * scale) / scale,
                     std::round(angle(random) * scale) / scale}) {
      const ::testing::AssertionResult r = sameAsToChars(v);
      if (!r && ++failures <= 20) ADD_FAILURE() << r.message();
    }
  }
  EXPECT_EQ(failures, 0u) << "of " << 4 * count;
}

} // namespace
