// rotnormalize on the embedded host: every refusal and its precedence,
// nothing created before a failure, shapes of the result.
#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotnormalize = deliverable("rotnormalize");

TEST(RotnormalizeGateway, CountsClassesAndSizes) {
  auto q = makeDouble(4, 2, {3, 0, 0, 4, 1e200, 0, 0, 0});
  expectArgumentCounts(rotnormalize, "rotnormalize", "Q2 = rotnormalize(Q)", {q.get()});
  expectInputRefusals(rotnormalize, "rotnormalize", {"Q"}, {q.get()});
}

TEST(RotnormalizeGateway, RowsAndShapes) {
  expectRowsRefused(rotnormalize, {0, 1, 3, 5, 8},
                    {"rotkit:rotnormalize:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."});
  auto q = makeDouble(4, 2, {3, 0, 0, 4, 1e200, 0, 0, 0});
  embedded::CallResult out = embedded::call(rotnormalize, 1, {q.get()});
  ASSERT_FALSE(out.raised) << out.message;
  EXPECT_TRUE(SameBits(embedded::values(out.output.get()), {0.6, 0, 0, 0.8, 1, 0, 0, 0}));
  auto empty = makeDouble(4, 0);
  embedded::CallResult none = embedded::call(rotnormalize, 1, {empty.get()});
  ASSERT_FALSE(none.raised) << none.message;
  EXPECT_EQ(rowsOf(none), 4u);
  EXPECT_EQ(colsOf(none), 0u);
  auto cube = embedded::makeArray({4, 1, 3}, std::vector<double>(12, 1.0));
  EXPECT_EQ(colsOf(embedded::call(rotnormalize, 1, {cube.get()})), 3u);
}

} // namespace
