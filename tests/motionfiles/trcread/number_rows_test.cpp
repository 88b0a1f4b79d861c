// The text-table layer (motionfiles/table) and trcread's header: numbers
// of every form bit for bit, rows found whatever the line ends, fields
// parted as each mode says, the first faulty row found whatever thread
// reads it; the TRC header's labels over their columns or listed.
#include "motionfiles/file_error.h"
#include "motionfiles/table/number_rows.h"
#include "motionfiles/trcread/trc_header.h"
#include "parallel/worker_pool.h"
#include "support/thread_count.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

std::uint64_t bitsOf(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

table::Number read(const std::string& text, double& value) {
  return table::readTableNumber(text.data(), text.data() + text.size(), value);
}

TEST(TableNumbers, EveryForm) {
  double v = 0;
  ASSERT_EQ(read("-0", v), table::Number::number);
  EXPECT_EQ(bitsOf(v), bitsOf(-0.0));
  ASSERT_EQ(read("1e-400", v), table::Number::number);
  EXPECT_EQ(bitsOf(v), bitsOf(0.0));
  ASSERT_EQ(read("4.9406564584124654e-324", v), table::Number::number);
  EXPECT_EQ(bitsOf(v), bitsOf(std::numeric_limits<double>::denorm_min()));
  ASSERT_EQ(read("0.1", v), table::Number::number);
  EXPECT_EQ(bitsOf(v), bitsOf(0.1));
  for (const char* nan : {"nan", "NaN", "-nan", "NAN"}) {
    ASSERT_EQ(read(nan, v), table::Number::number) << nan;
    EXPECT_TRUE(std::isnan(v));
  }
  ASSERT_EQ(read("-Infinity", v), table::Number::number);
  EXPECT_EQ(v, -std::numeric_limits<double>::infinity());
  ASSERT_EQ(read("+inf", v), table::Number::number);
  EXPECT_EQ(v, std::numeric_limits<double>::infinity());
  EXPECT_EQ(read("1e400", v), table::Number::overflow);
  for (const char* bad : {"", " 1", "1,5", "0x10", "nanx", "in", "1e"}) EXPECT_EQ(read(bad, v), table::Number::notNumber) << bad;
}

TEST(TableRows, FoundWhateverTheLineEnds) {
  const std::string text = "1 2\r\n\r\n  \t\n3 4\r5 6\n7 8";
  const std::vector<const char*> rows = table::findRows(text.data(), text.data() + text.size());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1] - text.data(), 11);
  EXPECT_EQ(rows[2] - text.data(), 15);
  EXPECT_EQ(rows[3] - text.data(), 19);
  EXPECT_TRUE(table::findRows(text.data(), text.data()).empty());
}

TEST(TableRows, FieldsAsEachModeParts) {
  std::vector<double> out(6, -1);
  std::vector<table::Column> columns = {{&out[0], 3}, {&out[1], 3}, {&out[2], 3}};
  // Tabs: an empty field and a short row are missing values; a trailing tab is nothing.
  std::string text = "1\t\t3\t\n4\n";
  std::vector<const char*> rows = table::findRows(text.data(), text.data() + text.size());
  EXPECT_EQ(table::parseRows(rows, text.data() + text.size(), columns, table::Fields::tabs).kind, table::RowFault::none);
  EXPECT_EQ(out[0], 1);
  EXPECT_TRUE(std::isnan(out[1]) && std::isnan(out[4]) && std::isnan(out[5]));
  EXPECT_EQ(out[2], 3);
  // Blanks: every value, else a fault naming the count.
  text = "1  2\t3\n4 5\n";
  rows = table::findRows(text.data(), text.data() + text.size());
  table::RowFault fault = table::parseRows(rows, text.data() + text.size(), columns, table::Fields::blanks);
  EXPECT_EQ(fault.kind, table::RowFault::tooFew);
  EXPECT_EQ(fault.row, 1u);
  EXPECT_EQ(fault.fields, 2u);
  EXPECT_EQ(table::parseRows(rows, text.data() + text.size(), columns, table::Fields::blanksShortRows).kind,
            table::RowFault::none);
  EXPECT_TRUE(std::isnan(out[5]));
}

TEST(TableRows, TheFirstFaultWhateverTheThreads) {
  // Faults in rows 700 and 3000 of 4000: every thread count reports 700.
  std::string text;
  for (int r = 0; r < 4000; ++r) text += (r == 700 || r == 3000) ? "x\n" : std::to_string(r) + "\n";
  const std::vector<const char*> rows = table::findRows(text.data(), text.data() + text.size());
  std::vector<double> out(4000);
  const std::vector<table::Column> columns = {{out.data(), 1}};
  for (const char* threads : {"1", "2", "3", "7"}) {
    setThreadsVariable(threads);
    const table::RowFault fault = table::parseRows(rows, text.data() + text.size(), columns, table::Fields::blanks);
    EXPECT_EQ(fault.kind, table::RowFault::notNumber) << threads;
    EXPECT_EQ(fault.row, 700u) << threads;
    try {
      table::failAtRow(fault, text.data(), rows, "frameValues", 1);
    } catch (const motionfiles::FileError& e) {
      EXPECT_EQ(e.line, 701u);
      EXPECT_STREQ(e.reason, "number");
    }
  }
  setThreadsVariable(nullptr);
  parallel::stopWorkers();  // the pool this test started ends with it
}

trc::Header header(const std::string& text) { return trc::parseHeader(text.data(), text.size()); }

TEST(TrcHeader, LabelsOverTheirColumnsOrListed) {
  const std::string top = "PathFileType\t4\t(X/Y/Z)\tx.trc\nDataRate\tNumMarkers\tUnits\tNumFrames\n60\t1\tm\t2\n";
  // Over their columns, the second unlabelled; the coordinate names add a fourth marker.
  // (The texts outlive the headers, which point into them.)
  const std::string placed = top + "Frame#\tTime\tA\t\t\t\t\t\tC\t\t\n\t\tX1\tY1\tZ1\tX2\tY2\tZ2\tX3\tY3\tZ3\tX4\tY4\tZ4\n1\t0\n";
  trc::Header h = header(placed);
  EXPECT_EQ(h.labels, (std::vector<std::string>{"A", "", "C", ""}));
  EXPECT_EQ(h.pointRate, 60);
  EXPECT_EQ(h.units, "m");
  EXPECT_TRUE(h.hasFrameCount);
  EXPECT_EQ(h.frameCount, 2u);
  EXPECT_EQ(std::string(h.rowsBegin, 4), "1\t0\n");
  // Parted by single tabs; no coordinate line.
  const std::string listed = top + "Frame#\tTime\tA\tB B\tC\n1\t0\t1\t2\t3\n";
  h = header(listed);
  EXPECT_EQ(h.labels, (std::vector<std::string>{"A", "B B", "C"}));
  EXPECT_EQ(std::string(h.rowsBegin, 2), "1\t");
  try {
    header("PathFileType\nCameraRate\nfast\nFrame#\tTime\n");
    ADD_FAILURE() << "a header without a rate was read";
  } catch (const motionfiles::FileError& e) {
    EXPECT_STREQ(e.reason, "header");
    EXPECT_EQ(e.line, 3u);
  }
}

} // namespace

#include "support/gateway.h"

#include <cstdio>

namespace {

// A fault in a row comes after the outputs were created: they go, with
// everything set into them, before the error is raised.
TEST(TrcGateway, AFaultyRowLeavesNothingCreated) {
  const std::string name = ::testing::TempDir() + "number_rows_test.trc";
  std::FILE* f = std::fopen(name.c_str(), "wb");
  const std::string text = "PathFileType\nDataRate\n60\nFrame#\tTime\tA\n1\t0\t1\t2\t3\n2\t0.1\t1\t2\tx\n";
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  embedded::Array file = embedded::makeChar(name);
  const embedded::CallResult result = embedded::call(deliverable("trcread"), 1, {file.get()});
  EXPECT_TRUE(RaisedCleanly(result, "rotkit:trcread:number", name + ", line 6: value 5, \"x\", is not a number."));
  std::remove(name.c_str());
}

} // namespace

#include "motionfiles/decimal.h"
#include "motionfiles/plain_decimal.h"

#include <random>

namespace {

// The one-pass reading of plain decimals gives readDecimal's double, bit
// for bit: random digit strings of every length, the point anywhere, with
// and without sign, and the edges of its reach (2^53, 22 places).
TEST(PlainDecimals, ReadDecimalsBits) {
  std::mt19937_64 random(7);
  std::vector<std::string> texts = {"9007199254740992", "9007199254740993", "0.0000000000000000000001",
                                    "1.00000000000000000000001", "-0.0", "+7.", ".5", "1234567890123456789"};
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 19);
    std::string t = (random() % 3 == 0) ? "-" : "";
    const int point = static_cast<int>(random() % (digits + 2)) - 1;
    for (int d = 0; d < digits; ++d) {
      if (d == point) t += '.';
      t += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(t);
  }
  std::size_t fast = 0;
  for (const std::string& t : texts) {
    double plain = 0, exact = 0;
    ASSERT_EQ(motionfiles::readDecimal(t.data(), t.data() + t.size(), exact), motionfiles::Decimal::number) << t;
    if (!motionfiles::readPlainDecimal(t.data(), t.data() + t.size(), plain)) continue;
    ++fast;
    ASSERT_EQ(bitsOf(plain), bitsOf(exact)) << t;
  }
  EXPECT_GT(fast, texts.size() / 2);
  double v = 0;
  for (const char* other : {"1e5", "1.2.3", "", "-", ".", "0x1", "12345678901234567890"}) {
    EXPECT_FALSE(motionfiles::readPlainDecimal(other, other + std::strlen(other), v)) << other;
  }
}

} // namespace
