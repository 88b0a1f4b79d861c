// rotmean on the embedded host: every check with its identifier and in its
// order, nothing created before a failure, weights, the kernel's bits and
// the shapes.
#include "measures/rotmean/mean_rotation.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotmean = deliverable("rotmean");

TEST(RotmeanGateway, CountsClassesShapesAndWeights) {
  auto q = makeDouble(4, 3, {1, 0, 0, 0, 0.8, 0.6, 0, 0, 0.8, 0, 0.6, 0}), w = makeDouble(1, 3, {1, 2, 3});
  const std::vector<const mxArray*> good = {q.get(), w.get()};
  const std::string call = "M = rotmean(Q) or rotmean(Q, W)";
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 1, {}), refusalOf("rotmean", refusal::notEnoughInputs, call)));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 2, {q.get(), w.get(), w.get()}),
                            refusalOf("rotmean", refusal::tooManyInputs, call)));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 2, {q.get()}), refusalOf("rotmean", refusal::tooManyOutputs, call)));
  expectInputRefusals(rotmean, "rotmean", {"Q", "W"}, good);
  const Refusal qRows{"rotkit:rotmean:qRows",
                      "Q must have 4 rows per joint (a multiple of 4): joint j's quaternions (w, x, y, z) in rows "
                      "4j-3 to 4j, one column per frame."};
  for (std::size_t rows : {1u, 3u, 5u, 9u}) {
    auto other = makeDouble(rows, 3);
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 1, {other.get(), w.get()}), qRows)) << rows;
  }
  const Refusal count{"rotkit:rotmean:weightCount", "W must be a vector of one weight per column of Q, 3 of them."};
  for (const auto& bad : {makeDouble(1, 2), makeDouble(3, 3), makeDouble(1, 4), makeDouble(0, 0)}) {
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 1, {q.get(), bad.get()}), count));
  }
  const Refusal values{"rotkit:rotmean:weightValues", "W must hold finite weights of 0 or more: W(2) is not one."};
  for (double bad : {-1.0, kNaN, -kInf, kInf}) {
    auto v = makeDouble(3, 1, {1, bad, 1});
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotmean, 1, {q.get(), v.get()}), values));
  }
}

TEST(RotmeanGateway, GivesTheKernelsBits) {
  const std::vector<double> data = {1, 0, 0, 0, 0.8, 0.6, 0, 0, 0.8, 0, 0.6, 0, 0, 0, 0, 1},
                            weights = {1, 2, 3, 0.5};
  for (bool weighted : {false, true}) {
    std::vector<double> expected(8), scratch(meanRotationsScratch(2, 2));
    meanRotations(data.data(), 2, 2, weighted ? weights.data() + 1 : nullptr, expected.data(), scratch.data());
    auto q = embedded::makeArray({8, 1, 2}, data), w = makeDouble(2, 1, {2, 3});
    const embedded::CallResult r =
        weighted ? embedded::call(rotmean, 0, {q.get(), w.get()}) : embedded::call(rotmean, 1, {q.get()});
    ASSERT_FALSE(r.raised) << r.message;
    EXPECT_EQ(r.created, 2u);  // the mean and the scratch for the sums
    EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{8, 1}));
    EXPECT_TRUE(SameBits(embedded::values(r.output.get()), expected));
  }
  auto none = makeDouble(0, 5), empty = makeDouble(4, 0);
  const embedded::CallResult r = embedded::call(rotmean, 1, {none.get()});
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{0, 1}));
  const embedded::CallResult s = embedded::call(rotmean, 1, {empty.get()});
  ASSERT_FALSE(s.raised) << s.message;
  for (double v : embedded::values(s.output.get())) EXPECT_TRUE(std::isnan(v));
}

}  // namespace
