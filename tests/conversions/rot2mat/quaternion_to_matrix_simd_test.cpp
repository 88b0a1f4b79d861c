// The vector paths of quaternionsToMatrices against the scalar path, bit
// for bit: random and special values, every length up to a few vector
// widths, unaligned data.
#include "conversions/rot2mat/quaternion_to_matrix.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"

namespace {

using Path = NamedPath<QuaternionsToMatrices>;

void expectSameAsScalar(const Path& path, const std::vector<double>& q, std::size_t shift) {
  const auto cols = static_cast<std::uint32_t>(q.size() / 4);
  std::vector<double> expected(9 * std::size_t{cols});
  scalarPath(quaternionsToMatricesPaths())(q.data(), expected.data(), cols);
  const std::vector<double> in = shifted(q, shift);
  std::vector<double> out(shift + expected.size(), 777.0);
  path.function(in.data() + shift, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << cols << " columns, shift " << shift;
}

TEST(QuaternionsToMatricesVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(31);
  for (const Path& path : runnablePaths(quaternionsToMatricesPaths(), quaternionsToMatrices)) {
    for (std::size_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 3}) expectSameAsScalar(path, mixedValues(4 * n, 0.1, random), shift);
    }
    expectSameAsScalar(path, mixedValues(4 * 4099, 0.8, random), 0);
  }
}

} // namespace
