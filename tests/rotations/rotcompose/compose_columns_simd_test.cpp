// The vector paths of composeColumns against the scalar path, bit for bit:
// random and special values, every broadcast form, every length up to a few
// vector widths, and data that is not aligned to the vector width.
#include "rotations/rotcompose/compose_columns.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <random>
#include <string>

namespace {

using Path = NamedPath<ComposeColumns>;

std::vector<Path> vectorPaths() { return runnablePaths(composeColumnsPaths(), composeColumns); }

// Signed zeros, infinities, NaN, subnormals, the extremes, and values whose
// products overflow or underflow.
const std::vector<double> kSpecials = {0.0,     -0.0,     kInf,   -kInf,    kNaN,  DBL_TRUE_MIN, -DBL_TRUE_MIN,
                                       DBL_MIN / 3, -DBL_MIN, DBL_MAX, -DBL_MAX, 1.0,   -1.0,         1e200,
                                       -1e-200, 0.5,      3.0};

// Each element random, or with probability `specialShare` a special value.
std::vector<double> columns(std::size_t cols, double specialShare, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-2, 2);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  std::vector<double> data(4 * cols);
  for (double& v : data) v = unit(random) < specialShare ? kSpecials[pick(random)] : value(random);
  return data;
}

// Runs `path` and the scalar path on the same inputs, the path's buffers
// shifted by `shift` doubles off their allocation, and compares the bits.
void expectSameAsScalar(const Path& path, const std::vector<double>& q1, std::uint32_t cols1,
                        const std::vector<double>& q2, std::uint32_t cols2, std::size_t shift) {
  const std::uint32_t cols = cols1 > cols2 ? cols1 : cols2;
  std::vector<double> expected(4 * static_cast<std::size_t>(cols));
  scalarPath(composeColumnsPaths())(q1.data(), cols1, q2.data(), cols2, expected.data(), cols);

  // Exactly sized, so that the sanitizers see any access past an end.
  std::vector<double> a(shift + q1.size()), b(shift + q2.size()), out(shift + expected.size(), 777.0);
  std::copy(q1.begin(), q1.end(), a.begin() + static_cast<std::ptrdiff_t>(shift));
  std::copy(q2.begin(), q2.end(), b.begin() + static_cast<std::ptrdiff_t>(shift));
  path.function(a.data() + shift, cols1, b.data() + shift, cols2, out.data() + shift, cols);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << cols1 << " x " << cols2 << " columns, shift " << shift;
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0) << path.name << ": wrote before the output";
}

TEST(ComposeColumnsVectorPaths, MatchScalarForEveryBroadcastFormLengthAndAlignment) {
  std::mt19937_64 random(8);
  for (const Path& path : vectorPaths()) {
    for (std::uint32_t n = 1; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 2, 3}) {
        const std::vector<double> many1 = columns(n, 0.1, random);
        const std::vector<double> many2 = columns(n, 0.1, random);
        const std::vector<double> one = columns(1, 0.1, random);
        expectSameAsScalar(path, many1, n, many2, n, shift);
        expectSameAsScalar(path, one, 1, many2, n, shift);
        expectSameAsScalar(path, many1, n, one, 1, shift);
      }
    }
  }
}

TEST(ComposeColumnsVectorPaths, MatchScalarOnSpecialValues) {
  std::mt19937_64 random(88);
  const std::uint32_t n = 4099;
  for (const Path& path : vectorPaths()) {
    // Mostly special values: zeros of both signs meet in every sum.
    const std::vector<double> q1 = columns(n, 0.8, random);
    const std::vector<double> q2 = columns(n, 0.8, random);
    expectSameAsScalar(path, q1, n, q2, n, 0);
    for (std::size_t c = 0; c < 40; ++c) {
      const std::vector<double> one(q1.begin() + 4 * static_cast<std::ptrdiff_t>(c),
                                    q1.begin() + 4 * static_cast<std::ptrdiff_t>(c + 1));
      expectSameAsScalar(path, one, 1, q2, n, 1);
      expectSameAsScalar(path, q2, n, one, 1, 1);
    }
  }
}

TEST(ComposeColumnsVectorPaths, KeepTheSignOfEveryZeroTerm) {
  // Every pairing of +0 and −0 in both factors: the sign of a zero result
  // depends on each term's sign and on the order of the sums.
  std::vector<double> q1, q2;
  for (unsigned bits = 0; bits < 256; ++bits) {
    for (unsigned i = 0; i < 4; ++i) q1.push_back((bits >> i) & 1 ? -0.0 : 0.0);
    for (unsigned i = 4; i < 8; ++i) q2.push_back((bits >> i) & 1 ? -0.0 : 0.0);
  }
  for (const Path& path : vectorPaths()) expectSameAsScalar(path, q1, 256, q2, 256, 0);
}

} // namespace
