// vec2rot on the embedded host: every refusal in its order, nothing created
// before a failure, and the shapes of the result.
#include "conversions/vec2rot/vector_to_quaternion.h"

#include "support/bits.h"
#include "support/conversion_gateway.h"

using embedded::makeDouble;

namespace {

const embedded::MexEntry vec2rot = deliverable("vec2rot");

TEST(Vec2rotGateway, CountsClassesSizesAndRows) {
  auto v = makeDouble(3, 2, {0, 0, 1, 0, 0, 0});
  expectArgumentCounts(vec2rot, "vec2rot", "Q = vec2rot(V)", {v.get()});
  expectInputRefusals(vec2rot, "vec2rot", {"V"}, {v.get()});
  expectRowsRefused(vec2rot, {0, 1, 2, 4},
                    {"rotkit:vec2rot:vRows", "V must have 3 rows: one rotation vector (x, y, z) per column."});
}

// The kernel's quaternions, trailing dimensions as columns, none for none.
TEST(Vec2rotGateway, GivesTheKernelsQuaternions) {
  const std::vector<double> vectors = {0, 0, 1.5, -0.0, 0, 0, 1e-300, 2, -3, 4, 5, 6};
  std::vector<double> expected(16);
  vectorsToQuaternions(vectors.data(), expected.data(), 4);
  auto v = embedded::makeArray({3, 2, 2}, vectors);
  const embedded::CallResult result = embedded::call(vec2rot, 1, {v.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{4, 4}));
  EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
  auto none = makeDouble(3, 0);
  EXPECT_EQ(embedded::dimensions(embedded::call(vec2rot, 1, {none.get()}).output.get()),
            (std::vector<std::size_t>{4, 0}));
}

} // namespace
