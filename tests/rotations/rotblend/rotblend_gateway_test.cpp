// rotblend on the embedded host: the two count checks, the refusals of what
// the kernel cannot read, nothing created before a failure, and how the
// shapes of q1, q2 and t map onto the output.
#include "rotations/rotblend/interpolate_rotation.h"

#include "support/bits.h"
#include "support/gateway.h"

#include <algorithm>

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotblend = deliverable("rotblend");

const char* const kShortQ1 = "q1 must hold at least four elements (w, x, y, z).";
const char* const kShortQ2 = "q2 must hold at least four elements (w, x, y, z).";
const char* const kNoRows = "t must hold at least one element per column.";

const std::vector<double> kQ1 = {1, 0, 0, 0};
const std::vector<double> kQ2 = {0.5, 0.5, -0.5, 0.5};

embedded::CallResult blend(const mxArray* q1, const mxArray* q2, const mxArray* t) {
  return embedded::call(rotblend, 1, {q1, q2, t});
}

// What the kernel gives for kQ1, kQ2 at each of `ts`, column after column.
std::vector<double> expectedColumns(const std::vector<double>& ts) {
  std::vector<double> out;
  for (double t : ts) {
    const Quaternion r = interpolateRotation({1, 0, 0, 0}, {0.5, 0.5, -0.5, 0.5}, t);
    out.insert(out.end(), {r.w, r.x, r.y, r.z});
  }
  return out;
}

TEST(RotblendGateway, CountsAreCheckedFirst) {
  auto q = makeDouble(4, 1, kQ1);
  auto handle = embedded::makeOfClass(mxFUNCTION_CLASS, 1, 1);
  for (int nlhs : {0, 1, 2}) {
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, nlhs, {q.get(), q.get()}), "Three inputs required."));
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, nlhs, {q.get(), q.get(), q.get(), q.get()}),
                              "Three inputs required."));
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, nlhs, {}), "Three inputs required."));
  }
  for (int nlhs : {0, 2}) {
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, nlhs, {handle.get(), handle.get(), handle.get()}),
                              "One output required."));
  }
}

// Each position, each class the kernel cannot read as a block of doubles.
// The embedded host aborts on mxGetPr of any of them, so reaching the
// message proves the class was tested before the data.
TEST(RotblendGateway, RefusesDataThatAreNotFullDoubles) {
  auto q = makeDouble(4, 1, kQ1);
  auto t = makeDouble(1, 2, {0, 1});
  for (int position = 0; position < 3; ++position) {
    for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT16_CLASS, mxINT32_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS,
                         mxCHAR_CLASS, mxCELL_CLASS, mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
      auto other = embedded::makeOfClass(id, 4, 2);
      std::vector<const mxArray*> inputs = {q.get(), q.get(), t.get()};
      inputs[position] = other.get();
      EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, 1, inputs), ROTKIT_MSG_NOT_DOUBLE)) << position << " " << id;
    }
    auto sparse = embedded::makeSparse(4, 2, {1});
    std::vector<const mxArray*> inputs = {q.get(), q.get(), t.get()};
    inputs[position] = sparse.get();
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotblend, 1, inputs), ROTKIT_MSG_SPARSE)) << position;
  }
  // The class is tested before the element count.
  auto shortChar = embedded::makeOfClass(mxCHAR_CLASS, 1, 2);
  EXPECT_TRUE(RaisedCleanly(blend(shortChar.get(), q.get(), t.get()), ROTKIT_MSG_NOT_DOUBLE));
}

TEST(RotblendGateway, ComplexInputsCountWithTheirRealParts) {
  auto q1 = embedded::makeComplex(4, 1, kQ1, {9, 9, 9, 9});
  auto q2 = embedded::makeComplex(4, 1, kQ2, {-9, 9, -9, 9});
  auto t = embedded::makeComplex(1, 3, {0, 0.25, 2}, {1, 1, 1});
  const embedded::CallResult result = blend(q1.get(), q2.get(), t.get());
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expectedColumns({0, 0.25, 2})));
}

TEST(RotblendGateway, RefusesEndRotationsWithFewerThanFourElements) {
  auto good = makeDouble(4, 1, kQ1);
  auto t = makeDouble(1, 1, {0.5});
  auto emptyT = makeDouble(0, 0);
  for (auto size : {std::pair<std::size_t, std::size_t>{3, 1}, {1, 3}, {0, 0}, {0, 4}, {4, 0}, {1, 1}}) {
    auto little = makeDouble(size.first, size.second, {1, 1, 1});
    const std::string shape = std::to_string(size.first) + "x" + std::to_string(size.second);
    EXPECT_TRUE(RaisedCleanly(blend(little.get(), good.get(), t.get()), kShortQ1)) << shape;
    EXPECT_TRUE(RaisedCleanly(blend(good.get(), little.get(), t.get()), kShortQ2)) << shape;
    EXPECT_TRUE(RaisedCleanly(blend(little.get(), little.get(), emptyT.get()), kShortQ1)) << shape;
    EXPECT_TRUE(RaisedCleanly(blend(good.get(), little.get(), emptyT.get()), kShortQ2)) << shape;
  }
}

// Only the first four doubles, in storage order, whatever the shape.
TEST(RotblendGateway, ReadsTheFirstFourElementsOfEachEndRotation) {
  auto t = makeDouble(1, 2, {0.25, 0.75});
  const std::vector<double> expected = expectedColumns({0.25, 0.75});
  for (auto size : {std::pair<std::size_t, std::size_t>{4, 1}, {1, 4}, {2, 2}, {4, 3}, {5, 1}}) {
    std::vector<double> q1 = kQ1, q2 = kQ2;
    q1.resize(size.first * size.second, 7);
    q2.resize(size.first * size.second, -7);
    auto a = makeDouble(size.first, size.second, q1);
    auto b = makeDouble(size.first, size.second, q2);
    const embedded::CallResult result = blend(a.get(), b.get(), t.get());
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected)) << size.first << "x" << size.second;
  }
}

// A column count beyond the 32-bit model is refused, never wrapped:
// 2^32 + 1 columns must not pass as one.
TEST(RotblendGateway, RefusesParameterCountsBeyondTheModel) {
  auto q = makeDouble(4, 1, kQ1);
  for (auto size : {std::pair<std::size_t, std::size_t>{0, (std::size_t{1} << 32) + 1}, {1, std::size_t{1} << 31}}) {
    auto huge = embedded::makeHuge(size.first, size.second);
    EXPECT_TRUE(RaisedCleanly(blend(q.get(), q.get(), huge.get()), ROTKIT_MSG_TOO_LARGE)) << size.second;
  }
}

TEST(RotblendGateway, RefusesParametersWithColumnsButNoRows) {
  auto q = makeDouble(4, 1, kQ1);
  for (std::size_t cols : {1u, 5u}) {
    auto t = makeDouble(0, cols);
    EXPECT_TRUE(RaisedCleanly(blend(q.get(), q.get(), t.get()), kNoRows)) << cols;
  }
}

// N is the column count of t; the parameters are its first N elements.
TEST(RotblendGateway, ShapesOfTheParameters) {
  auto q1 = makeDouble(4, 1, kQ1);
  auto q2 = makeDouble(4, 1, kQ2);
  struct Case {
    std::size_t rows, cols;
    std::vector<double> ts;
    std::vector<double> used;
  };
  const Case cases[] = {
      {1, 3, {0, 0.5, 1}, {0, 0.5, 1}},               // a row: all of it
      {3, 1, {0.25, 0.5, 1}, {0.25}},                 // a column: its first element
      {2, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6}, {0.1, 0.2, 0.3}},  // down the first column first
      {1, 4, {-1, 2, kNaN, kInf}, {-1, 2, kNaN, kInf}},  // not clamped, not guarded
      {0, 0, {}, {}},
      {5, 0, {}, {}},
      {1, 0, {}, {}},
  };
  for (const Case& c : cases) {
    auto t = makeDouble(c.rows, c.cols, c.ts);
    const embedded::CallResult result = blend(q1.get(), q2.get(), t.get());
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(result.created, 1u);
    EXPECT_EQ(rowsOf(result), 4u);
    EXPECT_EQ(colsOf(result), c.used.size());
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expectedColumns(c.used))) << c.rows << "x" << c.cols;
  }
}

// The data are touched only after the output exists: q1, q2, t, output.
TEST(RotblendGateway, DataPointersComeAfterTheOutput) {
  auto q = makeDouble(4, 1, kQ1);
  auto t = makeDouble(1, 2, {0, 1});
  const embedded::CallResult result = blend(q.get(), q.get(), t.get());
  ASSERT_FALSE(result.raised) << result.message;
  const auto creation = std::find(result.log.begin(), result.log.end(), "mxCreateDoubleMatrix_730");
  ASSERT_NE(creation, result.log.end());
  EXPECT_EQ(std::count(result.log.begin(), creation, "mxGetPr"), 0);
  EXPECT_EQ(std::vector<std::string>(creation + 1, result.log.end()),
            std::vector<std::string>(4, "mxGetPr"));
}

} // namespace
