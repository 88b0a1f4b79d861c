// The vector paths of invertColumns against the scalar path, bit for bit:
// random values over a wide range of magnitudes (so that the order of the
// squared norm's sum shows), special values, every length up to a few
// vector widths, and data that is not aligned to the vector width.
#include "rotations/rotreverse/invert_quaternion.h"

#include "support/bits.h"
#include "support/paths.h"

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace {

using Path = NamedPath<InvertColumns>;

std::vector<Path> vectorPaths() { return runnablePaths(invertColumnsPaths(), invertColumns); }

// Signed zeros, infinities, NaN, subnormals, the extremes, and values whose
// squares overflow or underflow.
const std::vector<double> kSpecials = {0.0,     -0.0,         kInf,     -kInf,   kNaN,   DBL_TRUE_MIN, -DBL_TRUE_MIN,
                                       DBL_MIN, -DBL_MIN / 3, DBL_MAX,  1e-170,  -1e200, 1.0,          -1.0};

// Magnitudes from 2^-30 to 2^3, so that some squares vanish beside others;
// with probability `specialShare` a special value instead.
std::vector<double> quaternions(std::size_t count, double specialShare, std::mt19937_64& random) {
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-30, 3);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecials.size() - 1);
  std::vector<double> data(4 * count);
  for (double& v : data) {
    v = unit(random) < specialShare ? kSpecials[pick(random)] : std::ldexp(mantissa(random), exponent(random));
  }
  return data;
}

// Runs `path` and the scalar path on the same input, the path's buffers
// shifted by `shift` doubles off their allocation, and compares the bits.
void expectSameAsScalar(const Path& path, const std::vector<double>& q, std::size_t shift) {
  const auto count = static_cast<std::uint32_t>(q.size() / 4);
  std::vector<double> expected(q.size());
  scalarPath(invertColumnsPaths())(q.data(), expected.data(), count);

  // Exactly sized, so that the sanitizers see any access past an end.
  std::vector<double> in(shift + q.size()), out(shift + q.size(), 777.0);
  std::copy(q.begin(), q.end(), in.begin() + static_cast<std::ptrdiff_t>(shift));
  path.function(in.data() + shift, out.data() + shift, count);
  EXPECT_TRUE(SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected))
      << path.name << ", " << count << " columns, shift " << shift;
  for (std::size_t i = 0; i < shift; ++i) EXPECT_EQ(out[i], 777.0) << path.name << ": wrote before the output";
}

TEST(InvertColumnsVectorPaths, MatchScalarForEveryLengthAndAlignment) {
  std::mt19937_64 random(3);
  for (const Path& path : vectorPaths()) {
    for (std::size_t n = 0; n <= 19; ++n) {
      for (std::size_t shift : {0, 1, 2, 3}) expectSameAsScalar(path, quaternions(n, 0.05, random), shift);
    }
    expectSameAsScalar(path, quaternions(100003, 0.0, random), 1);
  }
}

TEST(InvertColumnsVectorPaths, MatchScalarOnSpecialValues) {
  std::mt19937_64 random(33);
  for (const Path& path : vectorPaths()) expectSameAsScalar(path, quaternions(4099, 0.7, random), 0);
}

TEST(InvertColumnsVectorPaths, KeepTheSignOfEveryZero) {
  // Each component +0 or −0 beside a nonzero scalar part, and the reverse.
  std::vector<double> q;
  for (unsigned bits = 0; bits < 16; ++bits) {
    for (double lead : {2.0, -0.5}) {
      q.push_back(lead);
      for (unsigned i = 0; i < 3; ++i) q.push_back((bits >> i) & 1 ? -0.0 : 0.0);
      q.push_back((bits >> 3) & 1 ? -0.0 : 0.0);
      q.push_back(lead);
      q.push_back((bits >> 1) & 1 ? -0.0 : 0.0);
      q.push_back(bits & 1 ? -0.0 : 0.0);
    }
  }
  for (const Path& path : vectorPaths()) expectSameAsScalar(path, q, 0);
}

} // namespace
