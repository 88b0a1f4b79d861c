// poseglobal's gateway on the embedded host: the outputs, and every
// refusal with its identifier, before anything is created.
#include "support/bits.h"
#include "support/gateway.h"

namespace {

using embedded::makeDouble;

struct Call {
  embedded::Array parents = makeDouble(1, 3, {0, 1, 2});
  embedded::Array offsets = makeDouble(3, 3, {0, 0, 0, 1, 0, 0, 0.5, 0, 0});
  embedded::Array root = makeDouble(3, 2, {1, 2, 3, -1, -2, -3});
  embedded::Array local = makeDouble(12, 2, {0.5, 0.5, 0.5, 0.5, 1, 0, 0, 0, 0, 0, 1, 0,
                                             1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0});
  embedded::CallResult run(int nlhs) const {
    return embedded::call(deliverable("poseglobal"), nlhs, {parents.get(), offsets.get(), root.get(), local.get()});
  }
};

::testing::AssertionResult Refused(const embedded::CallResult& r, const std::string& identifier) {
  if (!r.raised) return ::testing::AssertionFailure() << "no error";
  if (r.identifier != identifier) return ::testing::AssertionFailure() << r.identifier << ": " << r.message;
  if (r.created != 0) return ::testing::AssertionFailure() << r.created << " arrays created before the error";
  return ::testing::AssertionSuccess();
}

TEST(PoseglobalGateway, PositionsAndGlobalRotations) {
  Call c;
  const embedded::CallResult both = c.run(2);
  ASSERT_FALSE(both.raised) << both.message;
  EXPECT_EQ(embedded::dimensions(both.output.get()), (std::vector<std::size_t>{9, 2}));
  const std::vector<double> G = embedded::values(both.extraOutputs[0].get());
  ASSERT_EQ(G.size(), 24u);
  // The root's global rotation is its local one; the elbow's, the root's
  // turned by its own (here the identity and a half turn about y).
  EXPECT_TRUE(SameBits(std::vector<double>(G.begin(), G.begin() + 4), {0.5, 0.5, 0.5, 0.5}));
  EXPECT_TRUE(SameBits(std::vector<double>(G.begin() + 4, G.begin() + 8), {0.5, 0.5, 0.5, 0.5}));
  const std::vector<double> P = embedded::values(both.output.get());
  EXPECT_TRUE(SameBits(std::vector<double>(P.begin(), P.begin() + 3), {1, 2, 3}));
  // A bare call returns P alone, the same bits.
  const embedded::CallResult bare = c.run(0);
  ASSERT_FALSE(bare.raised);
  EXPECT_TRUE(SameBits(embedded::values(bare.output.get()), P));
  // Per-frame offsets that repeat the set: the same bits.
  c.offsets = makeDouble(9, 2, {0, 0, 0, 1, 0, 0, 0.5, 0, 0, 0, 0, 0, 1, 0, 0, 0.5, 0, 0});
  const embedded::CallResult perFrame = c.run(1);
  ASSERT_FALSE(perFrame.raised);
  EXPECT_TRUE(SameBits(embedded::values(perFrame.output.get()), P));
}

TEST(PoseglobalGateway, RefusesWithIdentifiers) {
  const std::string id = "rotkit:poseglobal:";
  Call c;
  EXPECT_TRUE(Refused(embedded::call(deliverable("poseglobal"), 1, {c.parents.get()}), id + "notEnoughInputs"));
  EXPECT_TRUE(Refused(c.run(3), id + "tooManyOutputs"));
  Call complex;
  complex.root = embedded::makeComplex(3, 2, {1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 0, 1});
  EXPECT_TRUE(Refused(complex.run(1), id + "notRealDouble"));
  Call single;
  single.offsets = embedded::makeOfClass(mxSINGLE_CLASS, 3, 3);
  EXPECT_TRUE(Refused(single.run(1), id + "notRealDouble"));
  Call sparse;
  sparse.local = embedded::makeSparse(12, 2, {1});
  EXPECT_TRUE(Refused(sparse.run(1), id + "sparse"));
  Call huge;
  huge.root = embedded::makeHuge(3, std::size_t{1} << 31);
  EXPECT_TRUE(Refused(huge.run(1), id + "tooLarge"));
  Call rows;
  rows.root = makeDouble(4, 2);
  EXPECT_TRUE(Refused(rows.run(1), id + "rootRows"));
  Call rotations;
  rotations.local = makeDouble(12, 3);
  EXPECT_TRUE(Refused(rotations.run(1), id + "rotationShape"));
  rotations.local = makeDouble(8, 2);
  EXPECT_TRUE(Refused(rotations.run(1), id + "rotationShape"));
  Call offsets;
  offsets.offsets = makeDouble(3, 2);
  EXPECT_TRUE(Refused(offsets.run(1), id + "offsetShape"));
  offsets.offsets = makeDouble(9, 3);
  EXPECT_TRUE(Refused(offsets.run(1), id + "offsetShape"));
  for (double bad : {0.0, 3.0, 1.5, kNaN, -1.0, 1e300}) {
    Call parents;
    parents.parents = makeDouble(1, 3, {0, 1, bad});
    const embedded::CallResult r = parents.run(1);
    EXPECT_TRUE(Refused(r, id + "parents")) << bad;
    EXPECT_EQ(r.message, "PARENTS(3) must be a whole number from 1 to 2, an earlier joint.");
  }
  // The root's parent is never read: anything goes there.
  Call root;
  root.parents = makeDouble(1, 3, {kNaN, 1, 2});
  EXPECT_FALSE(root.run(1).raised);
}

TEST(PoseglobalGateway, EmptyMotions) {
  Call none;
  none.root = makeDouble(3, 0);
  none.local = makeDouble(12, 0);
  const embedded::CallResult r = none.run(2);
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{9, 0}));
  EXPECT_EQ(embedded::dimensions(r.extraOutputs[0].get()), (std::vector<std::size_t>{12, 0}));
  Call noJoints;
  noJoints.parents = makeDouble(1, 0);
  noJoints.offsets = makeDouble(3, 0);
  noJoints.local = makeDouble(0, 2);
  const embedded::CallResult z = noJoints.run(1);
  ASSERT_FALSE(z.raised) << z.message;
  EXPECT_EQ(embedded::dimensions(z.output.get()), (std::vector<std::size_t>{0, 2}));
}

} // namespace
