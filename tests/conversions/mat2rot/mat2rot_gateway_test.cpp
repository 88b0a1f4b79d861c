// mat2rot on the embedded host: every refusal and its precedence, nothing
// created before a failure, and the shapes it takes: 3 x 3, 3 x 3 x N
// (N = 0 included), later dimensions as pages.
#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry mat2rot = deliverable("mat2rot");

const std::vector<double> kHalfTurnZ = {-1, 0, 0, 0, -1, 0, 0, 0, 1};

TEST(Mat2rotGateway, CountsClassesAndSizes) {
  auto r = embedded::makeArray({3, 3, 2}, std::vector<double>(18, 0.0));
  expectArgumentCounts(mat2rot, "mat2rot", "Q = mat2rot(R)", {r.get()});
  expectInputRefusals(mat2rot, "mat2rot", {"R"}, {r.get()});
}

TEST(Mat2rotGateway, OnlyThreeByThreePages) {
  for (auto dims : {std::vector<std::size_t>{0, 0}, {3, 0}, {3, 1}, {3, 6}, {9, 1}, {1, 9}, {3, 2, 3}, {2, 3, 3},
                    {4, 4}, {3, 0, 3}}) {
    auto r = embedded::makeArray(dims);
    EXPECT_TRUE(RaisedCleanly(embedded::call(mat2rot, 1, {r.get()}), "rotkit:mat2rot:rShape",
                              "R must be 3 x 3 x N: one rotation matrix per page."))
        << dims[0] << "x" << dims[1];
  }
  struct Case {
    std::vector<std::size_t> dims;
    std::size_t pages;
  };
  for (const Case& c : {Case{{3, 3}, 1}, Case{{3, 3, 0}, 0}, Case{{3, 3, 4}, 4}, Case{{3, 3, 2, 3}, 6},
                        Case{{3, 3, 1, 2}, 2}}) {
    std::vector<double> values;
    for (std::size_t k = 0; k < c.pages; ++k) values.insert(values.end(), kHalfTurnZ.begin(), kHalfTurnZ.end());
    auto r = embedded::makeArray(c.dims, values);
    embedded::CallResult q = embedded::call(mat2rot, 1, {r.get()});
    ASSERT_FALSE(q.raised) << q.message;
    EXPECT_EQ(rowsOf(q), 4u);
    ASSERT_EQ(colsOf(q), c.pages);
    for (std::size_t k = 0; k < c.pages; ++k) {
      const std::vector<double> all = embedded::values(q.output.get());
      EXPECT_TRUE(SameBits({all.begin() + 4 * k, all.begin() + 4 * k + 4}, {0, 0, 0, 1}));
    }
  }
}

} // namespace
