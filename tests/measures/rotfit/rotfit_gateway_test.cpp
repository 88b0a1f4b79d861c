// rotfit on the embedded host: every check with its identifier and in its
// order, nothing created before a failure, the options, one to three
// outputs (each the kernel's bits), shapes and a bare call.
#include "measures/rotfit/fit_rigid_motion.h"

#include "support/bits.h"
#include "support/identified_gateway.h"

using embedded::makeChar;
using embedded::makeDouble;

namespace {

const embedded::MexEntry rotfit = deliverable("rotfit");

// Four points in two frames, the second turned a quarter turn about z.
const std::vector<double> kA = {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3};
const std::vector<double> kB = {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 5, 0, 0, 5, 1, 0, 3, 0, 0, 5, 0, 3};

embedded::CallResult call(const std::vector<const mxArray*>& inputs, int nlhs = 1) {
  return embedded::call(rotfit, nlhs, inputs);
}

TEST(RotfitGateway, CountsAndClassesComeFirst) {
  auto a = makeDouble(12, 1, kA), b = makeDouble(12, 2, kB), w = makeDouble(1, 4, {1, 1, 1, 1});
  auto name = makeChar("translation"), value = embedded::makeOfClass(mxLOGICAL_CLASS, 1, 1);
  const std::vector<const mxArray*> good = {a.get(), b.get(), w.get(), name.get(), value.get()};
  ASSERT_FALSE(call(good, 3).raised) << call(good, 3).message;
  expectIdentifiedCounts(rotfit, "rotfit", good, 2, 3);
  expectIdentifiedRefusals(rotfit, "rotfit", good, 0, "A");
  expectIdentifiedRefusals(rotfit, "rotfit", good, 1, "B");
  expectIdentifiedRefusals(rotfit, "rotfit", good, 2, "W");
}

TEST(RotfitGateway, ShapesWeightsAndOptionsInOrder) {
  auto a = makeDouble(12, 1, kA), b = makeDouble(12, 2, kB);
  auto b11 = makeDouble(11, 2), a9 = makeDouble(9, 1), a3cols = makeDouble(12, 3);
  EXPECT_TRUE(RaisedWith(call({a.get(), b11.get()}), "rotkit:rotfit:pointRows", "B must have 3 rows per point"));
  EXPECT_TRUE(RaisedWith(call({b11.get(), b11.get()}), "rotkit:rotfit:pointRows"));
  EXPECT_TRUE(RaisedWith(call({a9.get(), b.get()}), "rotkit:rotfit:aRows", "A must have the rows of B, 3 per point: 12."));
  EXPECT_TRUE(RaisedWith(call({a3cols.get(), b.get()}), "rotkit:rotfit:aColumns", "A must have one column"));
  for (const auto& w : {makeDouble(1, 3), makeDouble(2, 2), makeDouble(1, 5)}) {
    EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), w.get()}), "rotkit:rotfit:weightCount",
                           "W must be a vector of one weight per point, 4 of them."));
  }
  for (double bad : {-1.0, kNaN, kInf, -0.5}) {
    auto w = makeDouble(4, 1, {1, 2, bad, 1});
    EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), w.get()}), "rotkit:rotfit:weightValues",
                           "W must hold finite weights of 0 or more: W(3) is not one."));
  }
  auto name = makeChar("translation"), upper = makeChar("Translation"), other = makeChar("scale");
  auto no = makeDouble(1, 1, {0}), two = makeDouble(1, 1, {2}), pair = makeDouble(1, 2, {0, 1});
  EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), other.get(), no.get()}), "rotkit:rotfit:option"));
  EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), no.get(), no.get()}), "rotkit:rotfit:weightCount"));
  EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), name.get()}), "rotkit:rotfit:optionValue"));
  for (const mxArray* bad : std::vector<const mxArray*>{two.get(), pair.get(), name.get()}) {
    EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), name.get(), bad}), "rotkit:rotfit:translationValue"));
  }
  auto w = makeDouble(1, 4, {1, 1, 1, 1});
  EXPECT_TRUE(RaisedWith(call({a.get(), b.get(), w.get(), other.get(), no.get()}), "rotkit:rotfit:option"));
  EXPECT_FALSE(call({a.get(), b.get(), upper.get(), no.get()}).raised);
}

// Each output is the kernel's, made only when asked for; the option turns
// translation off; a bare call returns Q.
TEST(RotfitGateway, GivesTheKernelsOutputsAsAskedFor) {
  auto a = makeDouble(12, 1, kA), b = makeDouble(12, 2, kB), w = makeDouble(4, 1, {1, 2, 0, 1});
  std::vector<double> q(8), t(6), rms(2);
  const std::vector<double> weights = {1, 2, 0, 1};
  for (bool translation : {true, false}) {
    fitRigidMotions(kA.data(), 1, kB.data(), 4, 2, weights.data(), translation, q.data(), t.data(), rms.data());
    auto flag = embedded::makeOfClass(mxLOGICAL_CLASS, 1, 1);  // false
    auto one = makeDouble(1, 1, {1});
    auto name = makeChar("translation");
    const std::vector<const mxArray*> inputs =
        translation ? std::vector<const mxArray*>{a.get(), b.get(), w.get(), name.get(), one.get()}
                    : std::vector<const mxArray*>{a.get(), b.get(), w.get(), name.get(), flag.get()};
    const embedded::CallResult three = call(inputs, 3);
    ASSERT_FALSE(three.raised) << three.message;
    EXPECT_EQ(three.created, 3u);
    EXPECT_TRUE(SameBits(embedded::values(three.output.get()), q));
    EXPECT_TRUE(SameBits(embedded::values(three.extraOutputs[0].get()), t));
    EXPECT_TRUE(SameBits(embedded::values(three.extraOutputs[1].get()), rms));
    EXPECT_EQ(embedded::dimensions(three.extraOutputs[1].get()), (std::vector<std::size_t>{1, 2}));
    for (int nlhs : {0, 1, 2}) {
      const embedded::CallResult fewer = call(inputs, nlhs);
      ASSERT_FALSE(fewer.raised);
      EXPECT_EQ(fewer.created, static_cast<std::size_t>(nlhs < 1 ? 1 : nlhs));
      EXPECT_TRUE(SameBits(embedded::values(fewer.output.get()), q));
    }
  }
  // The quarter turn about z, found exactly enough to print.
  fitRigidMotions(kA.data(), 1, kB.data(), 4, 2, nullptr, true, q.data(), t.data(), rms.data());
  EXPECT_NEAR(q[4], std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(q[7], std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(t[3], 5, 1e-14);
}

TEST(RotfitGateway, EmptyShapes) {
  auto none = makeDouble(0, 3), a = makeDouble(12, 1, kA), b0 = makeDouble(12, 0);
  const embedded::CallResult r = call({none.get(), none.get()}, 3);
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{4, 3}));
  for (double v : embedded::values(r.output.get())) EXPECT_TRUE(std::isnan(v));
  const embedded::CallResult s = call({a.get(), b0.get()}, 3);
  ASSERT_FALSE(s.raised) << s.message;
  EXPECT_EQ(embedded::dimensions(s.output.get()), (std::vector<std::size_t>{4, 0}));
  EXPECT_EQ(embedded::dimensions(s.extraOutputs[0].get()), (std::vector<std::size_t>{3, 0}));
}

}  // namespace
