// rotvel on the embedded host: each check in its order with its
// identifier and nothing created before it, the time and frame arguments,
// the shapes of the result.
#include "timeseries/rotvel/angular_velocity.h"

#include "support/bits.h"
#include "timeseries/timeseries_gateway_checks.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotvel = deliverable("rotvel");
const std::vector<double> kTwo = {1, 0, 0, 0, std::sqrt(0.5), 0, 0, std::sqrt(0.5)};

TEST(RotvelGateway, ArgumentCountsThenClassesThenShapesThenValues) {
  auto q = makeDouble(4, 2, kTwo);
  auto t = makeDouble(1, 1, {0.5});
  auto body = embedded::makeChar("body");
  EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get()}), "rotkit:rotvel:notEnoughInputs", "rotvel(Q, t)"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), t.get(), body.get(), body.get()}),
                           "rotkit:rotvel:tooManyInputs"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 2, {q.get(), t.get()}), "rotkit:rotvel:tooManyOutputs"));
  expectClassRefusals(rotvel, {q.get(), t.get()}, 0, "rotvel", "Q");
  expectClassRefusals(rotvel, {q.get(), t.get()}, 1, "rotvel", "t");
  // Q's class before t's, classes before shapes.
  auto text = embedded::makeChar("abc");
  auto wrongRows = makeDouble(3, 2);
  EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {wrongRows.get(), text.get()}), "rotkit:rotvel:notRealDouble"));
  for (auto size : {std::pair<std::size_t, std::size_t>{3, 2}, {0, 2}, {5, 2}, {0, 0}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {bad.get(), t.get()}), "rotkit:rotvel:qRows")) << size.first;
  }
  for (double interval : {0.0, -1.0, kNaN, kInf}) {
    auto bad = makeDouble(1, 1, {interval});
    EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), bad.get()}), "rotkit:rotvel:timeInterval"));
  }
  for (auto size : {std::pair<std::size_t, std::size_t>{2, 1}, {1, 3}, {0, 0}, {2, 2}}) {
    auto bad = makeDouble(size.first, size.second, {0, 1, 2, 3});
    EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), bad.get()}), "rotkit:rotvel:timeShape"));
  }
  for (const std::vector<double>& times : std::vector<std::vector<double>>{{1, 1}, {2, 1}, {0, kNaN}, {-kInf, 0},
                                                                            {-1e308, 1e308}}) {
    auto bad = makeDouble(1, 2, times);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), bad.get()}), "rotkit:rotvel:timeOrder"));
  }
  for (const char* frame : {"Body", "", "bodies", "b"}) {
    auto bad = embedded::makeChar(frame);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), t.get(), bad.get()}), "rotkit:rotvel:frame"));
  }
  auto number = makeDouble(1, 1, {1});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotvel, 1, {q.get(), t.get(), number.get()}), "rotkit:rotvel:frame"));
}

// 3J x N for 4J x N, trailing dimensions as columns, a bare call into
// ans, and the kernel's bits for each form of t and frame.
TEST(RotvelGateway, ResultsAndShapes) {
  auto q = embedded::makeArray({8, 2, 2}, {kTwo[0], kTwo[1], kTwo[2], kTwo[3], kTwo[0], kTwo[1], kTwo[2], kTwo[3],
                                           kTwo[4], kTwo[5], kTwo[6], kTwo[7], kTwo[4], kTwo[5], kTwo[6], kTwo[7]});
  auto t = makeDouble(1, 4, {0, 0.5, 0.7, 2});
  auto world = embedded::makeChar("world");
  for (int nlhs : {0, 1}) {
    const embedded::CallResult result = embedded::call(rotvel, nlhs, {q.get(), t.get(), world.get()});
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{6, 4}));
    const std::vector<double> data = embedded::values(q.get());
    std::vector<double> expected(24);
    const std::vector<double> times = {0, 0.5, 0.7, 2};
    angularVelocities(data.data(), 2, 4, SampleTimes{times.data(), 0.0}, true, expected.data());
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
  }
  auto empty = makeDouble(4, 0);
  auto emptyTimes = makeDouble(1, 0);
  const embedded::CallResult none = embedded::call(rotvel, 1, {empty.get(), emptyTimes.get()});
  ASSERT_FALSE(none.raised) << none.message;
  EXPECT_EQ(embedded::dimensions(none.output.get()), (std::vector<std::size_t>{3, 0}));
}

}  // namespace
