// rotapply on the embedded host: every message and its precedence, nothing
// created before a failure, broadcasting and empty sides.
#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotapply = deliverable("rotapply");

embedded::CallResult turn(const mxArray* q, const mxArray* v) { return embedded::call(rotapply, 1, {q, v}); }

TEST(RotapplyGateway, CountsClassesAndSizes) {
  auto q = makeDouble(4, 2, {0, 0, 0, 1, 1, 0, 0, 0});
  auto v = makeDouble(3, 2, {1, 2, 3, 4, 5, 6});
  expectArgumentCounts(rotapply, {q.get(), v.get()});
  expectInputRefusals(rotapply, {q.get(), v.get()});
}

TEST(RotapplyGateway, ShapeMessagesInTheirOrder) {
  struct Case {
    std::size_t qRows, qCols, vRows, vCols;
    const char* message;
  };
  const Case cases[] = {
      {3, 2, 3, 2, ROTKIT_MSG_Q_ROWS}, {0, 0, 3, 2, ROTKIT_MSG_Q_ROWS},  {4, 2, 4, 2, ROTKIT_MSG_V_ROWS},
      {3, 2, 4, 5, ROTKIT_MSG_Q_ROWS}, {4, 1, 0, 0, ROTKIT_MSG_V_ROWS},  {4, 2, 3, 3, ROTKIT_MSG_MISMATCH},
      {4, 0, 3, 2, ROTKIT_MSG_MISMATCH}, {4, 2, 3, 0, ROTKIT_MSG_MISMATCH},
  };
  for (const Case& c : cases) {
    auto q = makeDouble(c.qRows, c.qCols);
    auto v = makeDouble(c.vRows, c.vCols);
    EXPECT_TRUE(RaisedCleanly(turn(q.get(), v.get()), c.message))
        << c.qRows << "x" << c.qCols << " and " << c.vRows << "x" << c.vCols;
  }
  // The class of V is checked before the rows of Q.
  auto shortQ = makeDouble(3, 1);
  auto cell = embedded::makeOfClass(mxCELL_CLASS, 3, 1);
  EXPECT_TRUE(RaisedCleanly(turn(shortQ.get(), cell.get()), ROTKIT_MSG_NOT_REAL_DOUBLE));
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
