// rotfit on the embedded host: every check with its identifier and in its
// order, nothing created before a failure, the options, one to three
// outputs (each the kernel's bits), shapes and a bare call.
#include "measures/rotfit/fit_rigid_motion.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

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
  const std::string form = "[Q, T, rms] = rotfit(A, B), rotfit(A, B, W) or rotfit(..., 'translation', false)";
  std::vector<const mxArray*> six = good;
  six.push_back(a.get());
  EXPECT_TRUE(RaisedCleanly(call({a.get()}), refusalOf("rotfit", refusal::notEnoughInputs, form)));
  EXPECT_TRUE(RaisedCleanly(call(six, 4), refusalOf("rotfit", refusal::tooManyInputs, form)));
  EXPECT_TRUE(RaisedCleanly(call(good, 4), refusalOf("rotfit", refusal::tooManyOutputs, form)));
  // A and B as any two-input function's; W as a third input, where a
  // character array would be an option's name.
  expectInputRefusals(rotfit, "rotfit", {"A", "B"}, {a.get(), b.get()});
  for (mxClassID id : {mxSINGLE_CLASS, mxINT32_CLASS, mxLOGICAL_CLASS, mxCELL_CLASS, mxFUNCTION_CLASS}) {
    auto other = embedded::makeOfClass(id, 1, 4);
    EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), other.get()}), refusalOf("rotfit", refusal::notRealDouble, "W")));
  }
  auto sparseW = embedded::makeSparse(1, 4, {1});
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), sparseW.get()}), refusalOf("rotfit", refusal::sparse, "W")));
  auto hugeW = embedded::makeHuge(1, std::size_t{1} << 31);
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), hugeW.get()}), refusalOf("rotfit", refusal::tooLarge, "W")));
}

TEST(RotfitGateway, ShapesWeightsAndOptionsInOrder) {
  auto a = makeDouble(12, 1, kA), b = makeDouble(12, 2, kB);
  auto b11 = makeDouble(11, 2), a9 = makeDouble(9, 1), a3cols = makeDouble(12, 3);
  const Refusal pointRows{"rotkit:rotfit:pointRows",
                          "B must have 3 rows per point (a multiple of 3): point m's (x, y, z) in rows 3m-2 to 3m."};
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b11.get()}), pointRows));
  EXPECT_TRUE(RaisedCleanly(call({b11.get(), b11.get()}), pointRows));
  EXPECT_TRUE(RaisedCleanly(call({a9.get(), b.get()}), "rotkit:rotfit:aRows", "A must have the rows of B, 3 per point: 12."));
  EXPECT_TRUE(RaisedCleanly(call({a3cols.get(), b.get()}), "rotkit:rotfit:aColumns",
                            "A must have one column (a reference cluster) or one per column of B: 2."));
  const Refusal weightCount{"rotkit:rotfit:weightCount", "W must be a vector of one weight per point, 4 of them."};
  for (const auto& w : {makeDouble(1, 3), makeDouble(2, 2), makeDouble(1, 5)}) {
    EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), w.get()}), weightCount));
  }
  for (double bad : {-1.0, kNaN, kInf, -0.5}) {
    auto w = makeDouble(4, 1, {1, 2, bad, 1});
    EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), w.get()}), "rotkit:rotfit:weightValues",
                              "W must hold finite weights of 0 or more: W(3) is not one."));
  }
  auto name = makeChar("translation"), upper = makeChar("Translation"), other = makeChar("scale");
  auto no = makeDouble(1, 1, {0}), two = makeDouble(1, 1, {2}), pair = makeDouble(1, 2, {0, 1});
  const Refusal option{"rotkit:rotfit:option",
                       "Options come as name-value pairs after A, B and W; the one option is 'translation'."};
  const Refusal value{"rotkit:rotfit:translationValue", "The value of 'translation' must be true or false (1 or 0)."};
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), other.get(), no.get()}), option));
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), no.get(), no.get()}), weightCount.identifier,
                            "W must be a vector of one weight per point, 4 of them."));
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), name.get()}), "rotkit:rotfit:optionValue",
                            "'translation' needs a value: true or false."));
  for (const mxArray* bad : std::vector<const mxArray*>{two.get(), pair.get(), name.get()}) {
    EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), name.get(), bad}), value));
  }
  auto w = makeDouble(1, 4, {1, 1, 1, 1});
  EXPECT_TRUE(RaisedCleanly(call({a.get(), b.get(), w.get(), other.get(), no.get()}), option));
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
