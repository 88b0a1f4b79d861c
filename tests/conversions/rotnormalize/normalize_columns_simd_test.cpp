// The vector paths of normalizeColumns against the scalar path, bit for
// bit: random and special values, huge and tiny columns beside ordinary
// ones in the same block (so that a block scales some lanes and not
// others), every length up to a few vector widths, unaligned data.
#include "conversions/rotnormalize/normalize_columns.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"

#include <cmath>

namespace {

using Path = NamedPath<NormalizeColumns>;

void expectSameAsScalar(const Path& path, const std::vector<double>& q, std::size_t shift) {
  const auto cols = static_cast<std::uint32_t>(q.size() / 4);
  std::vector<double> expected(q.size());
  scalarPath(normalizeColumnsPaths())(q.data(), expected.data(), cols);
  const std::vector<double> in = shifted(q, shift);
  std::vector<double> out(shift + q.size(), 777.0);
  path.function(in.data() + shift, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << cols << " columns, shift " << shift;
}

// Columns scaled by 2^e, e from -1100 to 1000, so that every block mixes
// lanes that are scaled up, scaled down and left alone.
std::vector<double> scaledColumns(std::size_t cols, std::mt19937_64& random) {
  std::uniform_int_distribution<int> exponent(-1100, 1000);
  std::vector<double> q = mixedValues(4 * cols, 0.05, random);
  for (std::size_t k = 0; k < cols; ++k) {
    const int e = k % 3 == 0 ? 0 : exponent(random);
    for (std::size_t i = 0; i < 4; ++i) q[4 * k + i] = std::ldexp(q[4 * k + i], e);
  }
  return q;
}

TEST(NormalizeColumnsVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(21);
  for (const Path& path : runnablePaths(normalizeColumnsPaths(), normalizeColumns)) {
    for (std::size_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 3}) expectSameAsScalar(path, scaledColumns(n, random), shift);
    }
  }
}

TEST(NormalizeColumnsVectorPaths, MatchScalarOnSpecialAndExtremeValues) {
  std::mt19937_64 random(22);
  for (const Path& path : runnablePaths(normalizeColumnsPaths(), normalizeColumns)) {
    expectSameAsScalar(path, mixedValues(4 * 4099, 0.8, random), 0);
    expectSameAsScalar(path, scaledColumns(4099, random), 0);
  }
}

} // namespace
