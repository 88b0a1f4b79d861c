// poselocal on the embedded host: every check with its identifier and in
// its order, nothing created before a failure, parent numbers as posechain
// takes them, the kernel's bits and the shapes.
#include "skeletons/poselocal/local_rotations.h"

#include "support/bits.h"
#include "support/identified_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry poselocal = deliverable("poselocal");

TEST(PoselocalGateway, CountsClassesAndShapes) {
  auto parents = makeDouble(1, 3, {0, 1, 2});
  auto g = makeDouble(12, 2, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
  const std::vector<const mxArray*> good = {parents.get(), g.get()};
  expectIdentifiedCounts(poselocal, "poselocal", good, 2, 1);
  expectIdentifiedRefusals(poselocal, "poselocal", good, 0, "parents");
  expectIdentifiedRefusals(poselocal, "poselocal", good, 1, "G");
  for (std::size_t rows : {0u, 4u, 11u, 13u, 16u}) {
    auto other = makeDouble(rows, 2);
    EXPECT_TRUE(RaisedWith(embedded::call(poselocal, 1, {parents.get(), other.get()}), "rotkit:poselocal:gRows",
                           "G must have 4 rows per joint, 4*numel(parents) = 12"))
        << rows;
  }
  for (const std::vector<double>& bad : std::vector<std::vector<double>>{
           {0, 0, 1}, {0, 1, 3}, {0, 1, 0.5}, {0, 1, kNaN}, {0, 2, 1}, {0, 1, -1}, {0, 1, kInf}}) {
    auto p = makeDouble(3, 1, bad);
    const embedded::CallResult r = embedded::call(poselocal, 1, {p.get(), g.get()});
    EXPECT_TRUE(RaisedWith(r, "rotkit:poselocal:parentOrder", "parents(")) << bad[1] << " " << bad[2];
  }
  auto p = makeDouble(3, 1, {0, 1, 2});
  EXPECT_TRUE(RaisedWith(embedded::call(poselocal, 1, {p.get(), makeDouble(8, 2).get()}), "rotkit:poselocal:gRows"));
}

TEST(PoselocalGateway, GivesTheKernelsBits) {
  const std::vector<double> parents = {kNaN, 1, 2.9, 1};
  std::vector<double> g;
  for (int i = 0; i < 4 * 4 * 5; ++i) g.push_back(std::sin(0.37 * i + 1));
  std::vector<double> expected(g.size());
  localRotations(4, parents.data(), g.data(), expected.data(), 5);
  auto p = makeDouble(1, 4, parents);
  auto gm = embedded::makeArray({16, 5}, g);
  for (int nlhs : {0, 1}) {
    const embedded::CallResult r = embedded::call(poselocal, nlhs, {p.get(), gm.get()});
    ASSERT_FALSE(r.raised) << r.message;
    EXPECT_EQ(r.created, 1u);
    EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{16, 5}));
    EXPECT_TRUE(SameBits(embedded::values(r.output.get()), expected));
  }
  auto none = makeDouble(0, 0), empty = makeDouble(0, 7);
  const embedded::CallResult r = embedded::call(poselocal, 1, {none.get(), empty.get()});
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_EQ(embedded::dimensions(r.output.get()), (std::vector<std::size_t>{0, 7}));
}

}  // namespace
