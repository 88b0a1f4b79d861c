// rotinterp on the embedded host: each check in its order with its
// identifier and nothing created before it; one to three outputs; shapes.
#include "timeseries/rotinterp/interpolate_times.h"

#include "support/bits.h"
#include "timeseries/timeseries_gateway_checks.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotinterp = deliverable("rotinterp");
const std::vector<double> kTwo = {1, 0, 0, 0, std::sqrt(0.5), 0, 0, std::sqrt(0.5)};

TEST(RotinterpGateway, ArgumentCountsThenClassesThenShapesThenValues) {
  auto t = makeDouble(1, 2, {0, 1});
  auto q = makeDouble(4, 2, kTwo);
  auto ti = makeDouble(1, 3, {0, 0.5, 1});
  const std::string id = "rotkit:rotinterp:";
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {t.get(), q.get()}), id + "notEnoughInputs"));
  auto method = embedded::makeChar("spline");
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {t.get(), q.get(), ti.get(), method.get(), method.get()}),
                           id + "tooManyInputs"));
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 4, {t.get(), q.get(), ti.get()}), id + "tooManyOutputs"));
  const char* names[] = {"t", "Q", "ti"};
  for (std::size_t p = 0; p < 3; ++p) expectClassRefusals(rotinterp, {t.get(), q.get(), ti.get()}, p, "rotinterp", names[p]);
  auto rows = makeDouble(3, 2);
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {t.get(), rows.get(), ti.get()}), id + "qRows"));
  auto times3 = makeDouble(1, 3, {0, 1, 2});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {times3.get(), q.get(), ti.get()}), id + "timeShape"));
  auto backwards = makeDouble(1, 2, {1, 0});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {backwards.get(), q.get(), ti.get()}), id + "timeOrder"));
  auto zero = makeDouble(1, 1, {0});
  EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {zero.get(), q.get(), ti.get()}), id + "timeInterval"));
  for (auto size : {std::pair<std::size_t, std::size_t>{3, 1}, {2, 2}, {0, 0}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {t.get(), q.get(), bad.get()}), id + "tiShape"));
  }
  for (const char* word : {"Slerp", "cubic", ""}) {
    auto bad = embedded::makeChar(word);
    EXPECT_TRUE(RaisedWithId(embedded::call(rotinterp, 1, {t.get(), q.get(), ti.get(), bad.get()}), id + "method"));
  }
}

// Each output count gives the kernel's bits; the spline's scratch is
// created after the outputs and destroyed before the call returns.
TEST(RotinterpGateway, OutputsAndShapes) {
  auto t = makeDouble(1, 1, {0.5});
  auto q = makeDouble(8, 2, {kTwo[0], kTwo[1], kTwo[2], kTwo[3], kTwo[4], kTwo[5], kTwo[6], kTwo[7],
                             kTwo[4], kTwo[5], kTwo[6], kTwo[7], kTwo[0], kTwo[1], kTwo[2], kTwo[3]});
  auto ti = makeDouble(1, 4, {0.1, 0.5, 0.7, 0.2});
  for (const char* word : {"slerp", "spline"}) {
    auto method = embedded::makeChar(word);
    for (int nlhs : {0, 1, 2, 3}) {
      const embedded::CallResult r = embedded::call(rotinterp, nlhs, {t.get(), q.get(), ti.get(), method.get()});
      ASSERT_FALSE(r.raised) << r.message;
      EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{8, 4}));
      ASSERT_EQ(r.extraOutputs.size(), nlhs > 1 ? static_cast<std::size_t>(nlhs - 1) : 0u);
      const std::vector<double> keys = embedded::values(q.get()), queries = {0.1, 0.5, 0.7, 0.2};
      std::vector<double> qi(32), wi(24), ai(24), scratch(kSplineRecord * 2 * 2);
      interpolateTimes(InterpolationCall{keys.data(), 2, 2, SampleTimes{nullptr, 0.5}, queries.data(), 4, qi.data(),
                                         wi.data(), ai.data(), word[1] == 'p' ? scratch.data() : nullptr});
      EXPECT_TRUE(SameBits(embedded::values(r.output.get()), qi)) << word;
      if (nlhs > 1) {
        EXPECT_TRUE(SameBits(embedded::values(r.extraOutputs[0].get()), wi)) << word;
      }
      if (nlhs > 2) {
        EXPECT_TRUE(SameBits(embedded::values(r.extraOutputs[1].get()), ai)) << word;
      }
    }
  }
  auto empty = makeDouble(1, 0);
  const embedded::CallResult none = embedded::call(rotinterp, 3, {t.get(), q.get(), empty.get()});
  ASSERT_FALSE(none.raised) << none.message;
  EXPECT_EQ(embedded::dimensions(none.output.get()), (std::vector<std::size_t>{8, 0}));
  EXPECT_EQ(embedded::dimensions(none.extraOutputs[1].get()), (std::vector<std::size_t>{6, 0}));
}

}  // namespace
