// The motion-file layer (src/motionfiles): decimals read correctly rounded
// and written shortest, bit for bit; lines and words; the text checks;
// whole files read and written through a temporary file.
#include "motionfiles/decimal.h"
#include "motionfiles/file_error.h"
#include "motionfiles/file_io.h"
#include "motionfiles/text_lines.h"

#include "support/bits.h"
#include "support/scratch_files.h"

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using motionfiles::Decimal;

Decimal read(const std::string& text, double& value) { return motionfiles::readDecimal(text.data(), text.data() + text.size(), value); }

std::uint64_t readBits(const std::string& text) {
  double value = 12345;
  EXPECT_EQ(read(text, value), Decimal::number) << text;
  return bitsOf(value);
}

std::string written(double value, int digits) {
  char buffer[motionfiles::kDecimalChars];
  return std::string(buffer, motionfiles::writeDecimal(value, digits, buffer));
}

TEST(Decimal, ReadsEveryFormBitForBit) {
  EXPECT_EQ(readBits("0"), bitsOf(0.0));
  EXPECT_EQ(readBits("-0"), bitsOf(-0.0));
  EXPECT_EQ(readBits("-0.000000"), bitsOf(-0.0));
  EXPECT_EQ(readBits("+7"), bitsOf(7.0));
  EXPECT_EQ(readBits("3."), bitsOf(3.0));
  EXPECT_EQ(readBits(".5"), bitsOf(0.5));
  EXPECT_EQ(readBits("-.3e+2"), bitsOf(-30.0));
  EXPECT_EQ(readBits("1E1"), bitsOf(10.0));
  EXPECT_EQ(readBits("0.1"), bitsOf(0.1));
  EXPECT_EQ(readBits("9007199254740993"), bitsOf(9007199254740992.0));  // ties to even
  EXPECT_EQ(readBits("1.7976931348623157e308"), bitsOf(DBL_MAX));
  EXPECT_EQ(readBits("1.7976931348623158e308"), bitsOf(DBL_MAX));        // rounds down to it
  EXPECT_EQ(readBits("4.9406564584124654e-324"), bitsOf(DBL_TRUE_MIN));
  EXPECT_EQ(readBits("2.4703282292062328e-324"), bitsOf(DBL_TRUE_MIN));  // just above half: up
  // Below every subnormal: a zero of the sign, as strtod gives it.
  EXPECT_EQ(readBits("2.4703282292062327e-324"), bitsOf(0.0));
  EXPECT_EQ(readBits("1e-400"), bitsOf(0.0));
  EXPECT_EQ(readBits("-1e-400"), bitsOf(-0.0));
  EXPECT_EQ(readBits("-0.0000000000000000000000001e-999999999999999999999"), bitsOf(-0.0));
  EXPECT_EQ(readBits("0e99999999999"), bitsOf(0.0));
}

TEST(Decimal, RefusesAllElse) {
  double value = 0;
  for (const char* text : {"", "+", "-", ".", "e5", "1e", "1e+", "1.2.3", "--1", "+-1", "inf", "-Inf", "nan", "NaN",
                           "0x10", "1,5", " 1", "1 ", "1d5", "1e5.0", "infinity"}) {
    EXPECT_EQ(read(text, value), Decimal::notNumber) << text;
  }
  for (const char* text : {"1e309", "-1e309", "1.7976931348623159e308", "1e99999999999999999999", "99999e99999"}) {
    EXPECT_EQ(read(text, value), Decimal::overflow) << text;
  }
}

TEST(Decimal, WritesTheShortestThatReadsBack) {
  EXPECT_EQ(written(0.1, 0), "0.1");
  EXPECT_EQ(written(-0.0, 0), "-0");
  EXPECT_EQ(written(1.0 / 3, 0), "0.3333333333333333");
  EXPECT_EQ(written(1e22, 0), "1e+22");
  EXPECT_EQ(written(1.0 / 3, 6), "0.333333");
  EXPECT_EQ(written(90.0, 17), "90");
  EXPECT_LE(written(-DBL_MIN, 0).size(), motionfiles::kDecimalChars);
  EXPECT_LE(written(-2.2250738585072009e-308, 17).size(), motionfiles::kDecimalChars);
  // Random bit patterns, every finite one read back as itself, shortest
  // and with 17 digits; the shortest never longer.
  std::mt19937_64 random(3);
  for (int i = 0; i < 200000; ++i) {
    const double value = fromBits(random());
    if (!std::isfinite(value)) continue;
    const std::string shortest = written(value, 0);
    const std::string full = written(value, 17);
    ASSERT_LE(shortest.size(), motionfiles::kDecimalChars);
    ASSERT_LE(full.size(), motionfiles::kDecimalChars);
    ASSERT_LE(shortest.size(), full.size()) << full;
    ASSERT_EQ(readBits(shortest), bitsOf(value)) << shortest;
    ASSERT_EQ(readBits(full), bitsOf(value)) << full;
  }
}

std::vector<std::pair<std::size_t, std::string>> linesOf(const std::string& text) {
  std::vector<std::pair<std::size_t, std::string>> lines;
  motionfiles::LineReader reader(text.data(), text.data() + text.size());
  motionfiles::TextLine line;
  while (reader.next(line)) lines.emplace_back(line.number, std::string(line.begin, line.end));
  return lines;
}

TEST(TextLines, EveryLineEnd) {
  using Lines = std::vector<std::pair<std::size_t, std::string>>;
  EXPECT_EQ(linesOf(""), (Lines{{1, ""}}));
  EXPECT_EQ(linesOf("a"), (Lines{{1, "a"}}));
  EXPECT_EQ(linesOf("a\n"), (Lines{{1, "a"}}));
  EXPECT_EQ(linesOf("a\n\n"), (Lines{{1, "a"}, {2, ""}}));
  EXPECT_EQ(linesOf("a\r\nb\rc\n\rd"), (Lines{{1, "a"}, {2, "b"}, {3, "c"}, {4, ""}, {5, "d"}}));
  EXPECT_EQ(linesOf("a\r\r\nb"), (Lines{{1, "a"}, {2, ""}, {3, "b"}}));
  const std::string text = "a\r\nb\rc\nd";
  EXPECT_EQ(motionfiles::lineOf(text.data(), text.data() + text.find('d')), 4u);
  EXPECT_EQ(motionfiles::lineOf(text.data(), text.data() + text.find('b')), 2u);
}

TEST(TextLines, Words) {
  const std::string text = " \tone\f two\v\vthree  ";
  motionfiles::WordReader words(text.data(), text.data() + text.size());
  const char* begin;
  const char* end;
  std::vector<std::string> found;
  while (words.next(begin, end)) found.emplace_back(begin, end);
  EXPECT_EQ(found, (std::vector<std::string>{"one", "two", "three"}));
}

motionfiles::TextFault::Kind faultOf(const std::string& text, std::size_t* at = nullptr) {
  const motionfiles::TextFault fault = motionfiles::findTextFault(text.data(), text.data() + text.size());
  if (at != nullptr && fault.at != nullptr) *at = static_cast<std::size_t>(fault.at - text.data());
  return fault.kind;
}

TEST(TextLines, ControlCharactersAndUtf8) {
  using K = motionfiles::TextFault;
  EXPECT_EQ(faultOf("plain text\twith tabs\r\nand\vlines\f"), K::none);
  EXPECT_EQ(faultOf("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"), K::none);  // é € 😀 U+10FFFF
  std::size_t at = 0;
  EXPECT_EQ(faultOf(std::string("0123456789abc\0def", 17), &at), K::control);
  EXPECT_EQ(at, 13u);
  EXPECT_EQ(faultOf("a\x7F"), K::control);
  EXPECT_EQ(faultOf("a\x1B[0m"), K::control);
  for (const char* bad : {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xF5\x80\x80\x80", "\xFF", "\xC3", "\xE2\x82", "\xF0\x9F\x98", "\xC3\x28"}) {
    EXPECT_EQ(faultOf(std::string("ok ") + bad + " ok", &at), K::notUtf8) << bad;
    EXPECT_EQ(at, 3u);
  }
}

TEST(FileIo, WritesWholeOrNotAtAll) {
  const std::string folder = scratchFolder();
  ASSERT_FALSE(folder.empty());
  const std::string target = folder + "/out.bvh";
  {
    motionfiles::AtomicFile file(target);
    file.write("new ", 4);
    file.write("text", 4);
    file.commit();
  }
  EXPECT_EQ(contents(target), "new text");
  {
    motionfiles::AtomicFile file(target);
    file.write("half", 4);
    // destroyed without commit, as on an error
  }
  EXPECT_EQ(contents(target), "new text");
  EXPECT_EQ(listing(folder), (std::vector<std::string>{"out.bvh"}));
  // A file larger than the first read block, read whole.
  std::string large(200000, 'x');
  for (std::size_t i = 0; i < large.size(); i += 97) large[i] = '\n';
  {
    motionfiles::AtomicFile file(target);
    file.write(large.data(), large.size());
    file.commit();
  }
  EXPECT_EQ(contents(target), large);
  const motionfiles::FileBytes bytes = motionfiles::readWholeFile(target);
  EXPECT_EQ(std::string(bytes.data(), bytes.size()), large);
  EXPECT_EQ(bytes.data()[large.size()], '\0');  // the zero after the bytes
  std::remove(target.c_str());
  rmdir(folder.c_str());
}

TEST(FileIo, FailuresNameWhatFailed) {
  try {
    motionfiles::readWholeFile("/no/such/folder/x.bvh");
    FAIL() << "no error";
  } catch (const motionfiles::FileError& error) {
    EXPECT_STREQ(error.reason, "cannotOpen");
    char text[256];
    motionfiles::describe(error, "x.bvh", text, sizeof text);
    EXPECT_STREQ(text, "cannot open \"x.bvh\".");
  }
  try {
    motionfiles::AtomicFile file("/no/such/folder/x.bvh");
    FAIL() << "no error";
  } catch (const motionfiles::FileError& error) {
    EXPECT_STREQ(error.reason, "cannotWrite");
  }
  // A name with a zero byte names no file of the system's.
  EXPECT_FALSE(motionfiles::openFile(std::string("/tmp/a\0b", 8), "rb"));
}

} // namespace
