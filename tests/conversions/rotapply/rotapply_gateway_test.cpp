// rotapply on the embedded host: every refusal (identifier and message) and
// its precedence, nothing created before a failure, broadcasting and empty
// sides.
#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotapply = deliverable("rotapply");

const Refusal kQRows{"rotkit:rotapply:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."};
const Refusal kVRows{"rotkit:rotapply:vRows", "V must have 3 rows: one vector (x, y, z) per column."};
const Refusal kMismatch{"rotkit:rotapply:columnMismatch",
                        "Q and V must have the same number of columns, or one of them a single column."};

embedded::CallResult turn(const mxArray* q, const mxArray* v) { return embedded::call(rotapply, 1, {q, v}); }

TEST(RotapplyGateway, CountsClassesAndSizes) {
  auto q = makeDouble(4, 2, {0, 0, 0, 1, 1, 0, 0, 0});
  auto v = makeDouble(3, 2, {1, 2, 3, 4, 5, 6});
  expectArgumentCounts(rotapply, "rotapply", "V2 = rotapply(Q, V)", {q.get(), v.get()});
  expectInputRefusals(rotapply, "rotapply", {"Q", "V"}, {q.get(), v.get()});
}

// The shared refusals word their messages as a user reads them, naming the
// argument or showing the call.
TEST(RotapplyGateway, SharedRefusalsNameTheArgumentOrTheCall) {
  auto q = makeDouble(4, 1, {1, 0, 0, 0});
  auto v = makeDouble(3, 1);
  auto complexV = embedded::makeComplex(3, 1, {1, 2, 3}, {0, 0, 0});
  EXPECT_TRUE(RaisedCleanly(turn(q.get(), complexV.get()), "rotkit:rotapply:notRealDouble",
                            "V must be a real, full double array."));
  auto sparseQ = embedded::makeSparse(4, 1, {1});
  EXPECT_TRUE(RaisedCleanly(turn(sparseQ.get(), v.get()), "rotkit:rotapply:sparse",
                            "Q must not be sparse; convert it with full()."));
  auto huge = embedded::makeHuge(3, std::size_t{1} << 31);
  EXPECT_TRUE(RaisedCleanly(turn(q.get(), huge.get()), "rotkit:rotapply:tooLarge",
                            "V is too large: its row and column counts must be below 2^31."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotapply, 1, {q.get()}), "rotkit:rotapply:notEnoughInputs",
                            "Not enough input arguments; the call is V2 = rotapply(Q, V)."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotapply, 2, {q.get(), v.get()}), "rotkit:rotapply:tooManyOutputs",
                            "Too many output arguments; the call is V2 = rotapply(Q, V)."));
  // Nothing of the original four's wording, and their host call is not used.
  const embedded::CallResult result = turn(makeDouble(4, 2).get(), makeDouble(3, 3).get());
  EXPECT_TRUE(RaisedCleanly(result, kMismatch));
  EXPECT_EQ(result.log.back(), "mexErrMsgIdAndTxt");
}

TEST(RotapplyGateway, ShapeMessagesInTheirOrder) {
  struct Case {
    std::size_t qRows, qCols, vRows, vCols;
    const Refusal& expected;
  };
  const Case cases[] = {
      {3, 2, 3, 2, kQRows},    {0, 0, 3, 2, kQRows},    {4, 2, 4, 2, kVRows},    {3, 2, 4, 5, kQRows},
      {4, 1, 0, 0, kVRows},    {4, 2, 3, 3, kMismatch}, {4, 0, 3, 2, kMismatch}, {4, 2, 3, 0, kMismatch},
  };
  for (const Case& c : cases) {
    auto q = makeDouble(c.qRows, c.qCols);
    auto v = makeDouble(c.vRows, c.vCols);
    EXPECT_TRUE(RaisedCleanly(turn(q.get(), v.get()), c.expected))
        << c.qRows << "x" << c.qCols << " and " << c.vRows << "x" << c.vCols;
  }
  // The class of V is checked before the rows of Q.
  auto shortQ = makeDouble(3, 1);
  auto cell = embedded::makeOfClass(mxCELL_CLASS, 3, 1);
  EXPECT_TRUE(RaisedCleanly(turn(shortQ.get(), cell.get()), refusalOf("rotapply", refusal::notRealDouble, "V")));
}

TEST(RotapplyGateway, BroadcastsEitherSideAndEmptySides) {
  auto halfTurnZ = makeDouble(4, 1, {0, 0, 0, 1});
  auto vectors = makeDouble(3, 2, {1, 2, 3, 4, 5, 6});
  embedded::CallResult many = turn(halfTurnZ.get(), vectors.get());
  ASSERT_FALSE(many.raised) << many.message;
  EXPECT_TRUE(SameBits(embedded::values(many.output.get()), {-1, -2, 3, -4, -5, 6}));
  auto two = makeDouble(4, 2, {1, 0, 0, 0, 0, 0, 0, 1});
  auto one = makeDouble(3, 1, {1, 2, 3});
  embedded::CallResult rotations = turn(two.get(), one.get());
  EXPECT_TRUE(SameBits(embedded::values(rotations.output.get()), {1, 2, 3, -1, -2, 3}));
  // A 4 x 2 x 2 array is four quaternion columns.
  auto cube = embedded::makeArray({4, 2, 2}, {1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1});
  embedded::CallResult paged = turn(cube.get(), one.get());
  EXPECT_EQ(colsOf(paged), 4u);
  for (auto shapes : {std::vector<std::size_t>{0, 0}, {1, 0}, {0, 1}}) {
    auto q = makeDouble(4, shapes[0]);
    auto v = makeDouble(3, shapes[1]);
    embedded::CallResult empty = turn(q.get(), v.get());
    ASSERT_FALSE(empty.raised) << empty.message;
    EXPECT_EQ(rowsOf(empty), 3u);
    EXPECT_EQ(colsOf(empty), 0u);
  }
}

} // namespace
