// rotintegrate on the embedded host: each check in its order with its
// identifier and nothing created before it; shapes of the result.
#include "timeseries/rotintegrate/integrate_rates.h"

#include "support/bits.h"
#include "timeseries/timeseries_gateway_checks.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotintegrate = deliverable("rotintegrate");

TEST(RotintegrateGateway, ArgumentCountsThenClassesThenShapesThenValues) {
  auto w = makeDouble(3, 2, {0, 0, 1, 0, 0, 1});
  auto t = makeDouble(1, 1, {0.5});
  auto q0 = makeDouble(4, 1, {1, 0, 0, 0});
  const std::string id = "rotkit:rotintegrate:";
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), t.get()}), id + "notEnoughInputs"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), t.get(), q0.get(), q0.get(), q0.get()}),
                           id + "tooManyInputs"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 2, {w.get(), t.get(), q0.get()}), id + "tooManyOutputs"));
  for (std::size_t p = 0; p < 3; ++p) {
    expectClassRefusals(rotintegrate, {w.get(), t.get(), q0.get()}, p, "rotintegrate", p == 0 ? "W" : p == 1 ? "t" : "q0");
  }
  auto rows4 = makeDouble(4, 2);
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {rows4.get(), t.get(), q0.get()}), id + "wRows"));
  for (auto size : {std::pair<std::size_t, std::size_t>{8, 1}, {4, 2}, {1, 4}, {0, 0}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), t.get(), bad.get()}), id + "q0Shape"));
  }
  auto badTimes = makeDouble(1, 2, {1, 0});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), badTimes.get(), q0.get()}), id + "timeOrder"));
  auto longTimes = makeDouble(1, 3, {0, 1, 2});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), longTimes.get(), q0.get()}), id + "timeShape"));
  auto frame = embedded::makeChar("fixed");
  EXPECT_TRUE(RaisedWithId(embedded::call(rotintegrate, 1, {w.get(), t.get(), q0.get(), frame.get()}), id + "frame"));
}

TEST(RotintegrateGateway, ResultsAndShapes) {
  auto w = makeDouble(6, 3, std::vector<double>(18, 0.5));
  auto t = makeDouble(1, 3, {0, 0.1, 0.3});
  auto q0 = makeDouble(8, 1, {1, 0, 0, 0, 0, 1, 0, 0});
  auto world = embedded::makeChar("world");
  for (int nlhs : {0, 1}) {
    const embedded::CallResult result = embedded::call(rotintegrate, nlhs, {w.get(), t.get(), q0.get(), world.get()});
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{8, 3}));
    std::vector<double> expected(24);
    const std::vector<double> rates(18, 0.5), times = {0, 0.1, 0.3}, start = {1, 0, 0, 0, 0, 1, 0, 0};
    integrateRates(rates.data(), 2, 3, SampleTimes{times.data(), 0.0}, start.data(), true, expected.data());
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
  }
  auto empty = makeDouble(3, 0);
  auto interval = makeDouble(1, 1, {0.5});
  const embedded::CallResult none = embedded::call(rotintegrate, 1, {empty.get(), interval.get(), q0.get()});
  EXPECT_TRUE(RaisedWithId(none, "rotkit:rotintegrate:q0Shape"));
  auto one = makeDouble(4, 1, {1, 0, 0, 0});
  const embedded::CallResult nothing = embedded::call(rotintegrate, 1, {empty.get(), interval.get(), one.get()});
  ASSERT_FALSE(nothing.raised) << nothing.message;
  EXPECT_EQ(embedded::dimensions(nothing.output.get()), (std::vector<std::size_t>{4, 0}));
}

}  // namespace
