// Random columns for the tests that compare every vector path with the
// scalar one bit for bit: ordinary values mixed with the values that break
// arithmetic (signed zeros, infinities, NaN, subnormals, the extremes).
#ifndef ROTKIT_TESTS_SPECIAL_VALUES_H
#define ROTKIT_TESTS_SPECIAL_VALUES_H

#include "support/bits.h"

#include <cfloat>
#include <random>
#include <vector>

const std::vector<double> kSpecialValues = {0.0,     -0.0,    kInf,    -kInf,  kNaN,   DBL_TRUE_MIN, -DBL_TRUE_MIN,
                                            DBL_MIN / 3, -DBL_MIN, DBL_MAX, -DBL_MAX, 1.0,   -1.0,   1e200,
                                            -1e-200, 0.5,     3.0,     0x1p500, 0x1p-500, -0x1p501, 0x1p-501};

// `count` doubles, each uniform in [-2, 2) or, with probability
// `specialShare`, one of kSpecialValues.
inline std::vector<double> mixedValues(std::size_t count, double specialShare, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-2, 2);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, kSpecialValues.size() - 1);
  std::vector<double> data(count);
  for (double& v : data) v = unit(random) < specialShare ? kSpecialValues[pick(random)] : value(random);
  return data;
}

// A copy of `data` placed `shift` doubles into an exactly sized buffer, so
// that unaligned data and any access past the end (under the sanitizers)
// are both exercised.
inline std::vector<double> shifted(const std::vector<double>& data, std::size_t shift) {
  std::vector<double> out(shift + data.size());
  std::copy(data.begin(), data.end(), out.begin() + static_cast<std::ptrdiff_t>(shift));
  return out;
}

#endif
