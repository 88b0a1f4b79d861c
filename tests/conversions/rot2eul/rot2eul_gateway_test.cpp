// rot2eul on the embedded host: every refusal in its order, nothing
// created before a failure, one or two outputs (the lock flags a logical
// row, made only when asked for), and the shapes.
#include "conversions/rot2eul/quaternion_to_euler.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeChar;
using embedded::makeDouble;

namespace {

const embedded::MexEntry rot2eul = deliverable("rot2eul");
const Refusal kRows{"rotkit:rot2eul:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."};

embedded::CallResult call(const mxArray* q, const mxArray* seq, int nlhs = 1) {
  return embedded::call(rot2eul, nlhs, {q, seq});
}

TEST(Rot2eulGateway, CountsComeFirst) {
  auto q = makeDouble(4, 1, {1, 0, 0, 0});
  auto seq = makeChar("ZXY");
  const char* const form = "[A, locked] = rot2eul(Q, seq)";
  expectArgumentCounts(rot2eul, "rot2eul", form, {q.get(), seq.get()}, 2);
  EXPECT_TRUE(RaisedCleanly(embedded::call(rot2eul, 1, {}), refusalOf("rot2eul", refusal::notEnoughInputs, form)));
}

TEST(Rot2eulGateway, RefusesWhatIsNotAQuaternionArrayThenASequence) {
  auto seq = makeChar("ZXY");
  const Refusal notRealDouble = refusalOf("rot2eul", refusal::notRealDouble, "Q");
  for (mxClassID id : {mxSINGLE_CLASS, mxINT16_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS, mxSTRUCT_CLASS,
                       mxFUNCTION_CLASS}) {
    auto q = embedded::makeOfClass(id, 4, 2);
    EXPECT_TRUE(RaisedCleanly(call(q.get(), seq.get(), 2), notRealDouble)) << id;
  }
  auto complexQ = embedded::makeComplex(4, 1, {1, 0, 0, 0}, {0, 0, 0, 0});
  EXPECT_TRUE(RaisedCleanly(call(complexQ.get(), seq.get()), notRealDouble));
  auto sparseQ = embedded::makeSparse(4, 1, {1});
  EXPECT_TRUE(RaisedCleanly(call(sparseQ.get(), seq.get()), refusalOf("rot2eul", refusal::sparse, "Q")));
  auto wide = embedded::makeHuge(4, (std::size_t{1} << 32) + 1);
  EXPECT_TRUE(RaisedCleanly(call(wide.get(), seq.get(), 2), refusalOf("rot2eul", refusal::tooLarge, "Q")));
  for (std::size_t rows : {0u, 3u, 5u}) {
    auto q = makeDouble(rows, 1);
    EXPECT_TRUE(RaisedCleanly(call(q.get(), seq.get(), 2), kRows)) << rows;
  }
  auto q = makeDouble(4, 1, {1, 0, 0, 0});
  for (const char* text : {"ZX", "ZXYX", ""}) {
    auto bad = makeChar(text);
    EXPECT_TRUE(RaisedCleanly(call(q.get(), bad.get(), 2), seqForm("rot2eul"))) << text;
  }
  auto letters = makeChar("xyw");
  EXPECT_TRUE(RaisedCleanly(call(q.get(), letters.get()), seqLetters("rot2eul")));
  auto mixed = makeChar("Xyz");
  EXPECT_TRUE(RaisedCleanly(call(q.get(), mixed.get()), seqCase("rot2eul")));
  auto repeated = makeChar("XYY");
  EXPECT_TRUE(RaisedCleanly(call(q.get(), repeated.get()), seqRepeat("rot2eul")));
}

// A at gimbal lock and off it, the flags as a 1 x N logical, only when a
// second output is asked for; a bare call returns A into ans.
TEST(Rot2eulGateway, GivesTheKernelsAnglesAndLogicalLockFlags) {
  const double h = std::sqrt(0.5);
  const std::vector<double> data = {1, 0, 0, 0, h, 0, 0, h, h, 0, h, 0, 0.5, 0.5, 0.5, 0.5};
  auto q = embedded::makeArray({4, 2, 2}, data);
  auto seq = makeChar("ZYX");
  EulerAxes axes;
  ASSERT_EQ(parseAxisSequence({'Z', 'Y', 'X'}, axes), SequenceProblem::none);
  std::vector<double> angles(12);
  std::vector<std::uint8_t> flags(4);
  quaternionsToEuler(data.data(), angles.data(), flags.data(), 4, axes);
  EXPECT_EQ(flags, (std::vector<std::uint8_t>{0, 0, 1, 0}));  // the third: 90 degrees about y

  const embedded::CallResult two = call(q.get(), seq.get(), 2);
  ASSERT_FALSE(two.raised) << two.message;
  EXPECT_EQ(two.created, 2u);
  EXPECT_EQ(embedded::dimensions(two.output.get()), (std::vector<std::size_t>{3, 4}));
  EXPECT_TRUE(SameBits(embedded::values(two.output.get()), angles));
  ASSERT_EQ(two.extraOutputs.size(), 1u);
  const mxArray* locked = two.extraOutputs[0].get();
  EXPECT_TRUE(mxIsLogical(locked));
  EXPECT_EQ(embedded::dimensions(locked), (std::vector<std::size_t>{1, 4}));
  EXPECT_EQ(embedded::logicals(locked), (std::vector<bool>{false, false, true, false}));

  for (int nlhs : {0, 1}) {
    const embedded::CallResult one = call(q.get(), seq.get(), nlhs);
    ASSERT_FALSE(one.raised) << one.message;
    EXPECT_EQ(one.created, 1u);
    EXPECT_TRUE(SameBits(embedded::values(one.output.get()), angles));
  }
  auto empty = makeDouble(4, 0);
  const embedded::CallResult none = call(empty.get(), seq.get(), 2);
  ASSERT_FALSE(none.raised) << none.message;
  EXPECT_EQ(embedded::dimensions(none.output.get()), (std::vector<std::size_t>{3, 0}));
  EXPECT_EQ(embedded::dimensions(none.extraOutputs[0].get()), (std::vector<std::size_t>{1, 0}));
}

}  // namespace
