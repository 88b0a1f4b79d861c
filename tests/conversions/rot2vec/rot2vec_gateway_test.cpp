// rot2vec on the embedded host: every refusal in its order, nothing created
// before a failure, and the shapes of the result.
#include "conversions/rot2vec/quaternion_to_vector.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry rot2vec = deliverable("rot2vec");

TEST(Rot2vecGateway, CountsClassesSizesAndRows) {
  auto q = makeDouble(4, 2, {1, 0, 0, 0, 0, 1, 0, 0});
  expectArgumentCounts(rot2vec, "rot2vec", "V = rot2vec(Q)", {q.get()});
  expectInputRefusals(rot2vec, "rot2vec", {"Q"}, {q.get()});
  expectRowsRefused(rot2vec, {0, 1, 3, 5},
                    {"rotkit:rot2vec:qRows", "Q must have 4 rows: one quaternion (w, x, y, z) per column."});
}

// The kernel's vectors, trailing dimensions as columns, none for none.
TEST(Rot2vecGateway, GivesTheKernelsVectors) {
  const std::vector<double> quaternions = {1, 0, 0, 0, 0, -1, 0, 0, 0.5, 0.5, 0.5, 0.5, -0.0, 0, 0, -0.0};
  std::vector<double> expected(12);
  quaternionsToVectors(quaternions.data(), expected.data(), 4);
  auto q = embedded::makeArray({4, 2, 2}, quaternions);
  const embedded::CallResult result = embedded::call(rot2vec, 1, {q.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{3, 4}));
  EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
  auto none = makeDouble(4, 0);
  EXPECT_EQ(embedded::dimensions(embedded::call(rot2vec, 1, {none.get()}).output.get()),
            (std::vector<std::size_t>{3, 0}));
}

} // namespace
