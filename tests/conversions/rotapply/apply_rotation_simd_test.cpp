// The vector paths of applyRotations against the scalar path, bit for bit:
// random and special values, both broadcast forms, every length up to a
// few vector widths, data not aligned to the vector width.
#include "conversions/rotapply/apply_rotation.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"

namespace {

using Path = NamedPath<ApplyRotations>;

void expectSameAsScalar(const Path& path, const std::vector<double>& q, std::uint32_t qCols,
                        const std::vector<double>& v, std::uint32_t vCols, std::size_t shift) {
  const std::uint32_t cols = qCols == 1 ? vCols : qCols;
  std::vector<double> expected(3 * std::size_t{cols});
  scalarPath(applyRotationsPaths())(q.data(), qCols, v.data(), vCols, expected.data(), cols);
  const std::vector<double> a = shifted(q, shift), b = shifted(v, shift);
  std::vector<double> out(shift + expected.size(), 777.0);
  path.function(a.data() + shift, qCols, b.data() + shift, vCols, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << qCols << " quaternions, " << vCols << " vectors, shift " << shift;
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0) << path.name << ": wrote before the output";
}

TEST(ApplyRotationsVectorPaths, MatchScalarForEveryBroadcastFormLengthAndAlignment) {
  std::mt19937_64 random(11);
  for (const Path& path : runnablePaths(applyRotationsPaths(), applyRotations)) {
    for (std::uint32_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 3}) {
        const std::vector<double> q = mixedValues(4 * n, 0.1, random), v = mixedValues(3 * n, 0.1, random);
        const std::vector<double> oneQ = mixedValues(4, 0.1, random), oneV = mixedValues(3, 0.1, random);
        expectSameAsScalar(path, q, n, v, n, shift);
        expectSameAsScalar(path, oneQ, 1, v, n, shift);
        expectSameAsScalar(path, q, n, oneV, 1, shift);
      }
    }
  }
}

TEST(ApplyRotationsVectorPaths, MatchScalarOnSpecialValues) {
  std::mt19937_64 random(12);
  const std::uint32_t n = 4099;
  for (const Path& path : runnablePaths(applyRotationsPaths(), applyRotations)) {
    expectSameAsScalar(path, mixedValues(4 * n, 0.8, random), n, mixedValues(3 * n, 0.8, random), n, 0);
  }
}

} // namespace
