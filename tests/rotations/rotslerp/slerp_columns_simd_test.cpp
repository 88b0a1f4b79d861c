// The vector paths of slerpColumns against the scalar path, bit for bit:
// random and special values, every broadcast form, every length up to a
// few vector widths, data not aligned to the vector width, and buffers
// sized exactly (the sanitizer build sees any access past an end).
#include "rotations/rotslerp/slerp_columns.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <random>
#include <string>

namespace {

using Path = NamedPath<SlerpColumns>;
using Columns = std::vector<double>;

std::vector<Path> vectorPaths() { return runnablePaths(slerpColumnsPaths(), slerpColumns); }

const Columns kSpecials = {0.0,  -0.0, kInf, -kInf, kNaN, DBL_TRUE_MIN, -DBL_MIN, DBL_MAX, -1e300,
                           1.0,  -1.0, 0.5,  0.999, 1e-200, std::sqrt(0.5)};

// Unit-ish quaternions (random directions, so every branch and flip
// occurs), each element with probability `specialShare` a special value.
Columns values(std::size_t count, double specialShare, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  Columns data(count);
  for (double& v : data) v = unit(random) < specialShare ? kSpecials[pick(random)] : 0.5 * normal(random);
  return data;
}

// Pairs of q1 and q2 that lie close together (the linear branch) or
// opposite (the flip), in every third column.
void nearPairs(const Columns& q1, Columns& q2, std::mt19937_64& random) {
  std::uniform_real_distribution<double> small(-1e-3, 1e-3);
  for (std::size_t k = 0; 4 * k + 3 < std::min(q1.size(), q2.size()); k += 3) {
    for (int i = 0; i < 4; ++i) q2[4 * k + i] = (k % 2 ? -1 : 1) * q1[4 * k + i] + small(random);
  }
}

Columns shifted(const Columns& v, std::size_t shift) {
  Columns out(shift + v.size(), 555.0);
  std::copy(v.begin(), v.end(), out.begin() + static_cast<std::ptrdiff_t>(shift));
  return out;
}

void expectSameAsScalar(const Path& path, const Columns& q1, std::uint32_t c1, const Columns& q2, std::uint32_t c2,
                        const Columns& t, std::uint32_t ct, std::uint32_t cols, std::size_t shift) {
  Columns expected(4 * std::size_t{cols});
  scalarPath(slerpColumnsPaths())(q1.data(), c1, q2.data(), c2, t.data(), ct, expected.data(), cols);
  const Columns a = shifted(q1, shift), b = shifted(q2, shift), u = shifted(t, shift);
  Columns out(shift + expected.size(), 777.0);
  path.function(a.data() + shift, c1, b.data() + shift, c2, u.data() + shift, ct, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(Columns(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", columns " << c1 << " " << c2 << " " << ct << " -> " << cols << ", shift " << shift;
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0) << path.name << ": wrote before the output";
}

TEST(SlerpColumnsVectorPaths, MatchScalarForEveryBroadcastFormLengthAndAlignment) {
  std::mt19937_64 random(21);
  std::uniform_real_distribution<double> param(-0.5, 1.5);
  for (const Path& path : vectorPaths()) {
    for (std::uint32_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 3}) {
        for (int form = 0; form < 8; ++form) {
          const std::uint32_t c1 = form & 1 ? 1 : n, c2 = form & 2 ? 1 : n, ct = form & 4 ? 1 : n;
          Columns q1 = values(4 * c1, 0.05, random), q2 = values(4 * c2, 0.05, random), t(ct);
          nearPairs(q1, q2, random);
          for (double& v : t) v = param(random);
          expectSameAsScalar(path, q1, c1, q2, c2, t, ct, n, shift);
        }
      }
    }
  }
}

TEST(SlerpColumnsVectorPaths, MatchScalarOnSpecialValues) {
  std::mt19937_64 random(22);
  const std::uint32_t n = 2053;
  for (const Path& path : vectorPaths()) {
    Columns q1 = values(4 * n, 0.5, random), q2 = values(4 * n, 0.5, random), t = values(n, 0.5, random);
    nearPairs(q1, q2, random);
    expectSameAsScalar(path, q1, n, q2, n, t, n, n, 0);
    // Lanes of one block that take different branches, flips and NaNs.
    expectSameAsScalar(path, q1, n, q2, n, {0.5}, 1, n, 2);
    expectSameAsScalar(path, Columns(q1.begin(), q1.begin() + 4), 1, q2, n, t, n, n, 1);
  }
}

} // namespace
