// The vector paths of matricesToQuaternions against the scalar path, bit
// for bit: arbitrary and special values, near rotations whose pivots
// differ lane by lane, ties between pivots, every length up to a few
// vector widths, unaligned data.
#include "conversions/mat2rot/matrix_to_quaternion.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/rotation_samples.h"
#include "support/special_values.h"

namespace {

using Path = NamedPath<MatricesToQuaternions>;

void expectSameAsScalar(const Path& path, const std::vector<double>& r, std::size_t shift) {
  const auto cols = static_cast<std::uint32_t>(r.size() / 9);
  std::vector<double> expected(4 * std::size_t{cols});
  scalarPath(matricesToQuaternionsPaths())(r.data(), expected.data(), cols);
  const std::vector<double> in = shifted(r, shift);
  std::vector<double> out(shift + expected.size(), 777.0);
  path.function(in.data() + shift, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << cols << " matrices, shift " << shift;
}

TEST(MatricesToQuaternionsVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(41);
  for (const Path& path : runnablePaths(matricesToQuaternionsPaths(), matricesToQuaternions)) {
    for (std::size_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 3}) {
        expectSameAsScalar(path, mixedValues(9 * n, 0.1, random), shift);
        expectSameAsScalar(path, samples::roundedMatrices(samples::randomUnit(n, random)), shift);
      }
    }
  }
}

TEST(MatricesToQuaternionsVectorPaths, MatchScalarOnSpecialValuesAndTies) {
  std::mt19937_64 random(42);
  // Every axis-aligned rotation (pivots tie), with signs of zero flipped at
  // random, and half turns, beside arbitrary matrices.
  std::vector<double> r = samples::roundedMatrices(samples::axisAligned());
  std::bernoulli_distribution flip(0.5);
  for (double& e : r) e = (e == 0 && flip(random)) ? -0.0 : e;
  const std::vector<double> half = samples::roundedMatrices(samples::nearHalfTurns(400, random));
  const std::vector<double> special = mixedValues(9 * 2000, 0.8, random);
  r.insert(r.end(), half.begin(), half.end());
  r.insert(r.end(), special.begin(), special.end());
  for (const Path& path : runnablePaths(matricesToQuaternionsPaths(), matricesToQuaternions)) {
    expectSameAsScalar(path, r, 0);
  }
}

} // namespace
