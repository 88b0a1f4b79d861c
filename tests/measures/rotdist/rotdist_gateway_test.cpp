// rotdist on the embedded host: every check with its identifier and in its
// order, nothing created before a failure, broadcasting, the kernel's bits.
#include "measures/rotdist/rotation_distance.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotdist = deliverable("rotdist");

TEST(RotdistGateway, CountsClassesAndShapes) {
  auto q1 = makeDouble(4, 2, {1, 0, 0, 0, 0, 1, 0, 0}), q2 = makeDouble(4, 2, {1, 0, 0, 0, 1, 0, 0, 0});
  const std::vector<const mxArray*> good = {q1.get(), q2.get()};
  expectArgumentCounts(rotdist, "rotdist", "D = rotdist(Q1, Q2)", good);
  expectInputRefusals(rotdist, "rotdist", {"Q1", "Q2"}, good);
  const Refusal q1Rows{"rotkit:rotdist:q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column."};
  const Refusal q2Rows{"rotkit:rotdist:q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column."};
  for (std::size_t rows : {0u, 3u, 5u, 8u}) {
    auto other = makeDouble(rows, 2);
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotdist, 1, {other.get(), other.get()}), q1Rows));
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotdist, 1, {q1.get(), other.get()}), q2Rows));
  }
  const Refusal mismatch{"rotkit:rotdist:columnMismatch",
                         "Q1 and Q2 must have the same number of columns, or one of them a single column."};
  auto three = makeDouble(4, 3), none = makeDouble(4, 0);
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotdist, 1, {q1.get(), three.get()}), mismatch));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotdist, 1, {none.get(), three.get()}), mismatch));
}

TEST(RotdistGateway, GivesTheKernelsBitsAndBroadcasts) {
  const std::vector<double> a = {1, 0, 0, 0, 0.6, 0.8, 0, 0, 0, 0, 0, 1}, one = {0.5, 0.5, 0.5, 0.5};
  std::vector<double> expected(3), broadcast(3);
  rotationDistances(a.data(), 3, a.data() + 4, 1, expected.data(), 3);
  auto q = embedded::makeArray({4, 3, 1}, a), q1 = makeDouble(4, 1, {0.6, 0.8, 0, 0}), o = makeDouble(4, 1, one);
  for (int nlhs : {0, 1}) {
    const embedded::CallResult r = embedded::call(rotdist, nlhs, {q.get(), q1.get()});
    ASSERT_FALSE(r.raised) << r.message;
    EXPECT_EQ(r.created, 1u);
    EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{1, 3}));
    EXPECT_TRUE(SameBits(embedded::values(r.output.get()), expected));
  }
  rotationDistances(one.data(), 1, a.data(), 3, broadcast.data(), 3);
  EXPECT_TRUE(SameBits(embedded::values(embedded::call(rotdist, 1, {o.get(), q.get()}).output.get()), broadcast));
  auto none = makeDouble(4, 0);
  const embedded::CallResult r = embedded::call(rotdist, 1, {o.get(), none.get()});
  ASSERT_FALSE(r.raised);
  EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{1, 0}));
}

}  // namespace
