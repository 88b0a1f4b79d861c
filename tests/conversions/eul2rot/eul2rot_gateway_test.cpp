// eul2rot on the embedded host: every refusal in its order, nothing
// created before a failure, the bare call into ans, and the shapes.
#include "conversions/eul2rot/euler_to_quaternion.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeChar;
using embedded::makeDouble;

namespace {

const embedded::MexEntry eul2rot = deliverable("eul2rot");
const Refusal kRows{"rotkit:eul2rot:aRows", "A must have 3 rows: three angles per column."};
const char* const kCall = "Q = eul2rot(A, seq)";

embedded::CallResult call(const mxArray* a, const mxArray* seq, int nlhs = 1) {
  return embedded::call(eul2rot, nlhs, {a, seq});
}

TEST(Eul2rotGateway, CountsComeFirstAndABareCallReturnsIntoAns) {
  auto a = makeDouble(3, 1, {0.5, 0, 0});
  auto seq = makeChar("ZXY");
  expectArgumentCounts(eul2rot, "eul2rot", kCall, {a.get(), seq.get()});
  const Refusal notEnough = refusalOf("eul2rot", refusal::notEnoughInputs, kCall);
  EXPECT_TRUE(RaisedCleanly(embedded::call(eul2rot, 1, {}), notEnough));
  EXPECT_TRUE(RaisedCleanly(embedded::call(eul2rot, 2, {a.get()}), notEnough));
  const embedded::CallResult bare = call(a.get(), seq.get(), 0);
  ASSERT_FALSE(bare.raised) << bare.message;
  EXPECT_EQ(rowsOf(bare), 4u);
  EXPECT_EQ(colsOf(bare), 1u);
}

// Each class other than real double, before any size test; the embedded
// host aborts on mxGetPr of any of them, so reaching the message proves
// the class was tested before the data.
TEST(Eul2rotGateway, RefusesAnythingButARealFullDoubleA) {
  auto seq = makeChar("ZXY");
  const Refusal notRealDouble = refusalOf("eul2rot", refusal::notRealDouble, "A");
  const Refusal tooLarge = refusalOf("eul2rot", refusal::tooLarge, "A");
  for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT32_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                       mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
    for (std::size_t rows : {0u, 3u, 5u}) {
      auto a = embedded::makeOfClass(id, rows, 2);
      EXPECT_TRUE(RaisedCleanly(call(a.get(), seq.get()), notRealDouble)) << id;
    }
  }
  auto complexA = embedded::makeComplex(3, 1, {1, 2, 3}, {0, 0, 0});
  EXPECT_TRUE(RaisedCleanly(call(complexA.get(), seq.get()), notRealDouble));
  auto sparseA = embedded::makeSparse(3, 2, {1});
  EXPECT_TRUE(RaisedCleanly(call(sparseA.get(), seq.get()), refusalOf("eul2rot", refusal::sparse, "A")));
  for (std::size_t cols : {std::size_t{1} << 31, (std::size_t{1} << 32) + 1}) {
    auto wide = embedded::makeHuge(3, cols);
    EXPECT_TRUE(RaisedCleanly(call(wide.get(), seq.get()), tooLarge)) << cols;
  }
  auto tall = embedded::makeHuge((std::size_t{1} << 32) + 3, 0);
  EXPECT_TRUE(RaisedCleanly(call(tall.get(), seq.get()), tooLarge));
  for (std::size_t rows : {0u, 1u, 2u, 4u}) {
    auto a = makeDouble(rows, 2);
    EXPECT_TRUE(RaisedCleanly(call(a.get(), seq.get()), kRows)) << rows;
  }
}

// seq after A, its checks in order: a 1 x 3 char, axis letters, one case,
// no neighbours alike.
TEST(Eul2rotGateway, RefusesEverySeqThatIsNotASequenceInItsOrder) {
  auto a = makeDouble(3, 2);
  auto badA = makeDouble(4, 2);
  auto number = makeDouble(1, 1, {90});
  auto cell = embedded::makeOfClass(mxCELL_CLASS, 1, 1);
  const Refusal form = seqForm("eul2rot"), letters = seqLetters("eul2rot");
  const std::pair<embedded::Array, Refusal> cases[] = {
      {makeChar("ZXY", 3), form},  // a 3 x 1 column
      {makeChar("ZXYZXY", 2), form},
      {makeChar(""), form},
      {makeChar("ZX"), form},
      {makeChar("ZXYZ"), form},
      {makeChar("abc"), letters},
      {makeChar("ZX\xC3"), letters},
      {makeChar("zXy"), seqCase("eul2rot")},
      {makeChar("ZZY"), seqRepeat("eul2rot")},
      {makeChar("xzz"), seqRepeat("eul2rot")},
  };
  for (const auto& [seq, expected] : cases) {
    EXPECT_TRUE(RaisedCleanly(call(a.get(), seq.get()), expected)) << expected.message;
    EXPECT_TRUE(RaisedCleanly(call(badA.get(), seq.get()), kRows));
  }
  EXPECT_TRUE(RaisedCleanly(call(a.get(), number.get()), form));
  EXPECT_TRUE(RaisedCleanly(call(a.get(), cell.get()), form));
  auto nd = embedded::makeArray({3, 2, 2});
  auto ndSeq = embedded::makeOfClass(mxCHAR_CLASS, 1, 3);
  EXPECT_TRUE(RaisedCleanly(call(nd.get(), ndSeq.get()), letters));
}

// The kernel's result for the columns in storage order; trailing
// dimensions count as columns; no columns give a 4 x 0 result.
TEST(Eul2rotGateway, GivesTheKernelsQuaternionsColumnByColumn) {
  const std::vector<double> angles = {0.1, 0.2, 0.3, -1, 2, -3, 0, 0, 0, 7, 8, 9};
  for (const char* text : {"ZXY", "zxz"}) {
    auto seq = makeChar(text);
    EulerAxes axes;
    const char letters[3] = {text[0], text[1], text[2]};
    ASSERT_EQ(parseAxisSequence(letters, axes), SequenceProblem::none);
    std::vector<double> expected(16);
    eulerToQuaternions(angles.data(), expected.data(), 4, axes);
    auto a = embedded::makeArray({3, 2, 2}, angles);
    const embedded::CallResult result = call(a.get(), seq.get());
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(result.created, 1u);
    EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{4, 4}));
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
  }
  auto empty = makeDouble(3, 0);
  auto seq = makeChar("XYZ");
  const embedded::CallResult result = call(empty.get(), seq.get());
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(rowsOf(result), 4u);
  EXPECT_EQ(colsOf(result), 0u);
}

}  // namespace
