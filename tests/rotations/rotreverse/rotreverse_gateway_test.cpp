// rotreverse on the embedded host: every message and its precedence, the
// empty answer for any class, nothing created before a failure, and the
// grouping of the input in storage order.
#include "rotations/rotreverse/invert_quaternion.h"
#include "support/bits.h"
#include "support/gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotreverse = deliverable("rotreverse");
const char* const kRowsMessage = "Q must have at least 4 rows (w, x, y, z).";

embedded::CallResult reverse(const mxArray* q) { return embedded::call(rotreverse, 1, {q}); }

std::vector<double> invertedGroups(const std::vector<double>& data, std::size_t groups) {
  std::vector<double> out(4 * groups);
  invertColumns(data.data(), out.data(), static_cast<std::uint32_t>(groups));
  return out;
}

TEST(RotreverseGateway, CountsAreCheckedFirst) {
  auto q = makeDouble(4, 1, {1, 0, 0, 0});
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotreverse, 1, {}), "One inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotreverse, 1, {q.get(), q.get()}), "One inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotreverse, 0, {q.get(), q.get()}), "One inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotreverse, 0, {q.get()}), "One outputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotreverse, 2, {q.get()}), "One outputs required."));
}

// An empty input is answered before its class is asked: a new real 0 x 0
// double, whatever came in, and no data pointer is taken.
TEST(RotreverseGateway, EmptyInputOfAnyKindGivesAnEmptyDouble) {
  const std::pair<std::size_t, std::size_t> shapes[] = {{0, 0}, {4, 0}, {0, 3}};
  for (const auto& [rows, cols] : shapes) {
    std::vector<embedded::Array> inputs;
    inputs.push_back(makeDouble(rows, cols));
    inputs.push_back(embedded::makeComplex(rows, cols, {}, {}));
    inputs.push_back(embedded::makeSparse(rows, cols, {}));
    inputs.push_back(embedded::makeHuge(rows == 0 ? 0 : (std::size_t{1} << 32) + 4, cols));
    for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                         mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
      inputs.push_back(embedded::makeOfClass(id, rows, cols));
    }
    for (const embedded::Array& input : inputs) {
      const embedded::CallResult result = reverse(input.get());
      ASSERT_FALSE(result.raised) << result.message;
      EXPECT_EQ(result.log, (std::vector<std::string>{"mxIsEmpty", "mxCreateDoubleMatrix_730"}));
      EXPECT_EQ(rowsOf(result), 0u);
      EXPECT_EQ(colsOf(result), 0u);
      EXPECT_FALSE(mxIsComplex(result.output.get()));
    }
  }
}

TEST(RotreverseGateway, RefusesWhatIsNotARealDoubleArray) {
  auto complexQ = embedded::makeComplex(4, 2, {1, 0, 0, 0, 1, 0, 0, 0}, {0, 1});
  EXPECT_TRUE(RaisedCleanly(reverse(complexQ.get()), "Input must be a real double array."));
  // The class test comes before every size test of our own.
  auto complexShort = embedded::makeComplex(2, 1, {}, {});
  EXPECT_TRUE(RaisedCleanly(reverse(complexShort.get()), "Input must be a real double array."));
  for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT16_CLASS, mxINT32_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS,
                       mxCHAR_CLASS, mxCELL_CLASS, mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
    for (std::size_t rows : {1u, 4u}) {
      auto other = embedded::makeOfClass(id, rows, 3);
      EXPECT_TRUE(RaisedCleanly(reverse(other.get()), "Input must be a real double array.")) << id;
    }
  }
}

// Our own refusals, in their order: counts beyond the 32-bit model (never
// wrapped: 2^32 + 1 columns must not pass as 1), sparse storage, then fewer
// than four rows.
TEST(RotreverseGateway, RefusesInputsItCannotReadSafely) {
  const std::size_t wrapsToOne = (std::size_t{1} << 32) + 1;
  for (std::size_t cols : {std::size_t{1} << 31, wrapsToOne}) {
    auto wide = embedded::makeHuge(4, cols);
    EXPECT_TRUE(RaisedCleanly(reverse(wide.get()), ROTKIT_MSG_TOO_LARGE)) << cols;
    auto wideAndShort = embedded::makeHuge(2, cols);
    EXPECT_TRUE(RaisedCleanly(reverse(wideAndShort.get()), ROTKIT_MSG_TOO_LARGE)) << cols;
  }
  auto tall = embedded::makeHuge((std::size_t{1} << 32) + 2, 1);
  EXPECT_TRUE(RaisedCleanly(reverse(tall.get()), ROTKIT_MSG_TOO_LARGE));

  auto sparse = embedded::makeSparse(4, 2, {1, 1});
  EXPECT_TRUE(RaisedCleanly(reverse(sparse.get()), ROTKIT_MSG_SPARSE));
  auto sparseShort = embedded::makeSparse(3, 2, {1});
  EXPECT_TRUE(RaisedCleanly(reverse(sparseShort.get()), ROTKIT_MSG_SPARSE));

  for (std::size_t rows : {1u, 2u, 3u}) {
    auto shortQ = makeDouble(rows, 5);
    EXPECT_TRUE(RaisedCleanly(reverse(shortQ.get()), kRowsMessage)) << rows;
  }
}

TEST(RotreverseGateway, HostCallsOfASuccessfulCall) {
  auto q = makeDouble(4, 1, {2, 0, 0, 0});
  const embedded::CallResult result = reverse(q.get());
  ASSERT_FALSE(result.raised) << result.message;
  const std::vector<std::string> expected = {"mxIsEmpty", "mxIsComplex", "mxIsDouble", "mxGetN", "mxGetM",
                                             "mxIsSparse", "mxCreateDoubleMatrix_730", "mxGetPr", "mxGetPr"};
  EXPECT_EQ(result.log, expected);
  EXPECT_EQ(result.created, 1u);
  EXPECT_TRUE(SameBits(embedded::values(result.output.get()), {0.5, -0.0, -0.0, -0.0}));
}

// The output is 4 x N, N the column count alone, from the first 4N elements
// in storage order: for more than four rows the groups cross the columns.
TEST(RotreverseGateway, GroupsTheInputInStorageOrder) {
  std::vector<double> data(9 * 9);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = 0.25 * static_cast<double>(i % 7) - 0.5;
  for (std::size_t cols = 1; cols <= 9; ++cols) {
    auto q = makeDouble(4, cols, data);
    const embedded::CallResult result = reverse(q.get());
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(rowsOf(result), 4u);
    EXPECT_EQ(colsOf(result), cols);
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), invertedGroups(data, cols))) << cols;
  }
  for (const auto& [rows, cols] : {std::pair<std::size_t, std::size_t>{5, 2}, {9, 1}, {7, 3}}) {
    auto q = makeDouble(rows, cols, data);
    const embedded::CallResult result = reverse(q.get());
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(rowsOf(result), 4u);
    EXPECT_EQ(colsOf(result), cols);
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), invertedGroups(data, cols))) << rows << "x" << cols;
  }
}

} // namespace
