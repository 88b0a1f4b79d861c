// rot2mat on the embedded host: every refusal and its precedence, nothing
// created before a failure, and the 3 x 3 x N result (3 x 3 for one
// quaternion, 3 x 3 x 0 for none).
#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rot2mat = deliverable("rot2mat");

TEST(Rot2matGateway, CountsClassesAndSizes) {
  auto q = makeDouble(4, 2, {1, 0, 0, 0, 0.5, 0.5, 0.5, 0.5});
  expectArgumentCounts(rot2mat, "rot2mat", "R = rot2mat(Q)", {q.get()});
  expectInputRefusals(rot2mat, "rot2mat", {"Q"}, {q.get()});
  expectRowsRefused(rot2mat, {0, 3, 5, 9},
                    {"rotkit:rot2mat:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."});
}

TEST(Rot2matGateway, OnePagePerQuaternion) {
  using Dims = std::vector<std::size_t>;
  for (std::size_t n : {0, 1, 2, 5}) {
    auto q = makeDouble(4, n, std::vector<double>(4 * n, 0.5));
    embedded::CallResult r = embedded::call(rot2mat, 1, {q.get()});
    ASSERT_FALSE(r.raised) << r.message;
    const Dims expected = n == 1 ? Dims{3, 3} : Dims{3, 3, n};
    EXPECT_EQ(embedded::dimensions(r.output.get()), expected) << n;
  }
  auto third = makeDouble(4, 1, {0.5, 0.5, 0.5, 0.5});
  embedded::CallResult r = embedded::call(rot2mat, 1, {third.get()});
  EXPECT_TRUE(SameBits(embedded::values(r.output.get()), {0, 1, 0, 0, 0, 1, 1, 0, 0}));
}

} // namespace
