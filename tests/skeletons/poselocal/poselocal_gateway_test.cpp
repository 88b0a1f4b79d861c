// poselocal on the embedded host: every check with its identifier and in
// its order, nothing created before a failure, parent numbers as posechain
// takes them, the kernel's bits and the shapes.
#include "skeletons/poselocal/local_rotations.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry poselocal = deliverable("poselocal");

TEST(PoselocalGateway, CountsClassesAndShapes) {
  auto parents = makeDouble(1, 3, {0, 1, 2});
  auto g = makeDouble(12, 2, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
  const std::vector<const mxArray*> good = {parents.get(), g.get()};
  expectArgumentCounts(poselocal, "poselocal", "L = poselocal(parents, G)", good);
  expectInputRefusals(poselocal, "poselocal", {"parents", "G"}, good);
  const Refusal gRows{"rotkit:poselocal:gRows",
                      "G must have 4 rows per joint, 4*numel(parents) = 12: joint j's quaternion in rows 4j-3 to 4j."};
  for (std::size_t rows : {0u, 4u, 11u, 13u, 16u}) {
    auto other = makeDouble(rows, 2);
    EXPECT_TRUE(RaisedCleanly(embedded::call(poselocal, 1, {parents.get(), other.get()}), gRows)) << rows;
  }
  // The first joint whose parent does not come before it is named.
  for (const std::vector<double>& bad : std::vector<std::vector<double>>{
           {0, 0, 1}, {0, 1, 3}, {0, 1, 0.5}, {0, 1, kNaN}, {0, 2, 1}, {0, 1, -1}, {0, 1, kInf}}) {
    auto p = makeDouble(3, 1, bad);
    const bool second = !(bad[1] >= 1 && bad[1] < 2);
    const Refusal order{"rotkit:poselocal:parentOrder",
                        second ? "parents(2) must name an earlier joint, a number from 1 to 1."
                               : "parents(3) must name an earlier joint, a number from 1 to 2."};
    EXPECT_TRUE(RaisedCleanly(embedded::call(poselocal, 1, {p.get(), g.get()}), order)) << bad[1] << " " << bad[2];
  }
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
