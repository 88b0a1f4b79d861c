// rotunwrap on the embedded host: its checks with identifiers, nothing
// created before an error, the result's shape and bits.
#include "timeseries/rotunwrap/unwrap_signs.h"

#include "support/bits.h"
#include "timeseries/timeseries_gateway_checks.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotunwrap = deliverable("rotunwrap");

TEST(RotunwrapGateway, ChecksInOrder) {
  auto q = makeDouble(4, 2, {1, 0, 0, 0, -1, 0, 0, 0});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotunwrap, 1, {}), "rotkit:rotunwrap:notEnoughInputs", "Q2 = rotunwrap(Q)"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotunwrap, 1, {q.get(), q.get()}), "rotkit:rotunwrap:tooManyInputs"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotunwrap, 2, {q.get()}), "rotkit:rotunwrap:tooManyOutputs"));
  expectClassRefusals(rotunwrap, {q.get()}, 0, "rotunwrap", "Q");
  for (auto size : {std::pair<std::size_t, std::size_t>{3, 2}, {0, 0}, {6, 1}, {1, 4}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotunwrap, 1, {bad.get()}), "rotkit:rotunwrap:qRows", "4J"));
  }
}

TEST(RotunwrapGateway, ResultsAndShapes) {
  auto q = embedded::makeArray({8, 1, 2}, {1, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0});
  for (int nlhs : {0, 1}) {
    const embedded::CallResult r = embedded::call(rotunwrap, nlhs, {q.get()});
    ASSERT_FALSE(r.raised) << r.message;
    EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{8, 2}));
    EXPECT_TRUE(SameBits(embedded::values(r.output.get()), {1, 0, 0, 0, 0, 1, 0, 0, 1, -0.0, -0.0, -0.0, 0, 1, 0, 0}));
  }
  auto empty = makeDouble(4, 0);
  const embedded::CallResult none = embedded::call(rotunwrap, 1, {empty.get()});
  ASSERT_FALSE(none.raised);
  EXPECT_EQ(embedded::dimensions(none.output.get()), (std::vector<std::size_t>{4, 0}));
}

}  // namespace
