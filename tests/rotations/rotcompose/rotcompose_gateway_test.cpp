// rotcompose on the embedded host: every message and its precedence,
// nothing created before a failure, and results through the gateway.
#include "support/bits.h"
#include "support/gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotcompose = deliverable("rotcompose");

embedded::CallResult compose(int nlhs, const mxArray* q1, const mxArray* q2) {
  return embedded::call(rotcompose, nlhs, {q1, q2});
}

TEST(RotcomposeGateway, CountsAreCheckedFirst) {
  auto q = makeDouble(4, 1, {1, 0, 0, 0});
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotcompose, 0, {q.get(), q.get(), q.get()}), "Two inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotcompose, 1, {q.get()}), "Two inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotcompose, 1, {}), "Two inputs required."));
  EXPECT_TRUE(RaisedCleanly(compose(0, q.get(), q.get()), "One output required."));
  EXPECT_TRUE(RaisedCleanly(compose(2, q.get(), q.get()), "One output required."));
}

TEST(RotcomposeGateway, ClassIsCheckedBeforeAnySize) {
  auto good = makeDouble(4, 1, {1, 0, 0, 0});
  auto complexOddShape = embedded::makeComplex(3, 7, {}, {});
  EXPECT_TRUE(RaisedCleanly(compose(1, good.get(), complexOddShape.get()), "Input must be a real double array."));
  EXPECT_TRUE(RaisedCleanly(compose(1, complexOddShape.get(), good.get()), "Input must be a real double array."));
  for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                       mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
    auto other = embedded::makeOfClass(id, 4, 1);
    EXPECT_TRUE(RaisedCleanly(compose(1, other.get(), good.get()), "Input must be a real double array.")) << id;
    EXPECT_TRUE(RaisedCleanly(compose(1, good.get(), other.get()), "Input must be a real double array.")) << id;
  }
}

TEST(RotcomposeGateway, SizeMessagesInTheirOrder) {
  struct Case {
    std::size_t m1, n1, m2, n2;
    const char* message;
  };
  const Case cases[] = {
      {4, 2, 4, 3, "Input Dimension missmatch"}, {4, 0, 4, 3, "Input Dimension missmatch"},
      {4, 0, 4, 1, "Q1 is empty!"},              {4, 1, 4, 0, "Q2 is empty!"},
      {4, 0, 4, 0, "Q1 is empty!"},              {3, 5, 4, 5, "Q1 has not 4 Dimensions!"},
      {4, 5, 5, 5, "Q2 has not 4 Dimensions!"},  {0, 3, 4, 3, "Q1 has not 4 Dimensions!"},
      {3, 1, 4, 0, "Q2 is empty!"},              {0, 0, 0, 0, "Q1 is empty!"},
  };
  for (const Case& c : cases) {
    auto q1 = makeDouble(c.m1, c.n1);
    auto q2 = makeDouble(c.m2, c.n2);
    EXPECT_TRUE(RaisedCleanly(compose(1, q1.get(), q2.get()), c.message))
        << c.m1 << "x" << c.n1 << " and " << c.m2 << "x" << c.n2;
  }
}

TEST(RotcomposeGateway, HostCallsFollowTheDocumentedOrder) {
  auto q1 = makeDouble(4, 1, {1, 0, 0, 0});
  auto q2 = makeDouble(4, 2, {0, 1, 0, 0, 0, 0, 1, 0});
  const embedded::CallResult result = compose(1, q1.get(), q2.get());
  ASSERT_FALSE(result.raised) << result.message;
  const std::vector<std::string> expected = {
      "mxIsComplex", "mxIsDouble", "mxIsComplex", "mxIsDouble", "mxGetN", "mxGetN", "mxGetM", "mxGetM",
      "mxIsSparse",  "mxIsSparse", "mxCreateDoubleMatrix_730", "mxGetPr", "mxGetPr", "mxGetPr"};
  EXPECT_EQ(result.log, expected);
  EXPECT_EQ(result.created, 1u);
}

TEST(RotcomposeGateway, ComputesAndBroadcasts) {
  auto i = makeDouble(4, 1, {0, 1, 0, 0});
  auto j = makeDouble(4, 1, {0, 0, 1, 0});
  embedded::CallResult ij = compose(1, i.get(), j.get());
  ASSERT_FALSE(ij.raised) << ij.message;
  EXPECT_TRUE(SameBits(embedded::values(ij.output.get()), {0, 0, 0, 1}));
  embedded::CallResult ji = compose(1, j.get(), i.get());
  EXPECT_TRUE(SameBits(embedded::values(ji.output.get()), {0, 0, 0, -1}));

  auto many = makeDouble(4, 3, {1, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0});
  embedded::CallResult left = compose(1, i.get(), many.get());
  ASSERT_FALSE(left.raised);
  EXPECT_EQ(rowsOf(left), 4u);
  EXPECT_EQ(colsOf(left), 3u);
  EXPECT_TRUE(SameBits(embedded::values(left.output.get()), {0, 1, 0, 0, -1, 0, 0, 0, 0, 2, 0, 0}));
  embedded::CallResult right = compose(1, many.get(), j.get());
  EXPECT_TRUE(SameBits(embedded::values(right.output.get()), {0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 0}));
}

// Counts beyond the 32-bit model are refused, never wrapped: 2^32 + 1
// columns must not pass as one.
TEST(RotcomposeGateway, RefusesCountsBeyondTheModel) {
  auto one = makeDouble(4, 1, {1, 0, 0, 0});
  const std::size_t wrapsToOne = (std::size_t{1} << 32) + 1;
  for (std::size_t cols : {std::size_t{1} << 31, wrapsToOne}) {
    auto huge = embedded::makeHuge(4, cols);
    EXPECT_TRUE(RaisedCleanly(compose(1, huge.get(), one.get()), ROTKIT_MSG_TOO_LARGE)) << cols;
    EXPECT_TRUE(RaisedCleanly(compose(1, one.get(), huge.get()), ROTKIT_MSG_TOO_LARGE)) << cols;
  }
  auto tallWrapsToFour = embedded::makeHuge((std::size_t{1} << 32) + 4, 1);
  EXPECT_TRUE(RaisedCleanly(compose(1, tallWrapsToFour.get(), one.get()), ROTKIT_MSG_TOO_LARGE));
}

TEST(RotcomposeGateway, RefusesSparseAfterThePartChecks) {
  auto full = makeDouble(4, 2);
  auto sparse = embedded::makeSparse(4, 2, {1, 1});
  EXPECT_TRUE(RaisedCleanly(compose(1, sparse.get(), full.get()), ROTKIT_MSG_SPARSE));
  EXPECT_TRUE(RaisedCleanly(compose(1, full.get(), sparse.get()), ROTKIT_MSG_SPARSE));
  auto sparseWrongRows = embedded::makeSparse(3, 2, {1});
  EXPECT_TRUE(RaisedCleanly(compose(1, sparseWrongRows.get(), full.get()), "Q1 has not 4 Dimensions!"));
}

} // namespace
