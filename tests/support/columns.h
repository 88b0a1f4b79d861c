// For the vector-path tests of the column kernels: one call of a kernel on
// copies of its input that are shifted off their allocation and exactly
// sized (the sanitizer build then sees any access past an end), compared
// bit for bit with the scalar path; and inputs that mix special values
// into random columns.
#ifndef ROTKIT_TESTS_COLUMNS_H
#define ROTKIT_TESTS_COLUMNS_H

#include "support/bits.h"

#include <cfloat>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

// A kernel as these tests call it: `count` columns from `in` to `out`.
using ColumnKernel = std::function<void(const double* in, double* out, std::uint32_t count)>;

// Runs `kernel` and `scalar` on `input` (inRows doubles per column), the
// kernel's buffers shifted by `shift` doubles; the outputs (outRows per
// column) must match bit for bit, and nothing may be written before them.
inline ::testing::AssertionResult SameBitsAsScalar(const ColumnKernel& kernel, const ColumnKernel& scalar,
                                                   const std::vector<double>& input, std::size_t inRows,
                                                   std::size_t outRows, std::size_t shift) {
  const auto count = static_cast<std::uint32_t>(input.size() / inRows);
  std::vector<double> expected(outRows * count);
  scalar(input.data(), expected.data(), count);
  std::vector<double> in(shift + input.size());
  std::vector<double> out(shift + expected.size(), 777.0);
  std::copy(input.begin(), input.end(), in.begin() + static_cast<std::ptrdiff_t>(shift));
  kernel(in.data() + shift, out.data() + shift, count);
  for (std::size_t i = 0; i < shift; ++i) {
    if (out[i] != 777.0) return ::testing::AssertionFailure() << "wrote before the output";
  }
  return SameBits(std::vector<double>(out.begin() + static_cast<std::ptrdiff_t>(shift), out.end()), expected)
         << " (" << count << " columns, shift " << shift << ")";
}

// Values that every formula must carry through alike on every path.
inline const std::vector<double>& specialValues() {
  static const std::vector<double> values = {0.0,     -0.0,    kInf,   -kInf,  kNaN,    DBL_TRUE_MIN, -DBL_MIN,
                                             DBL_MAX, -1e300,  1e-300, 1.0,    -1.0,    0.5,          3.141592653589793,
                                             1e-9,    -20.0,   1e200,  2e-160, 0x1p-27, 1.5707963267948966};
  return values;
}

// `count` columns of `rows` values: uniform in [−scale, scale], or with
// probability `specialShare` a special value.
inline std::vector<double> mixedColumns(std::size_t count, std::size_t rows, double scale, double specialShare,
                                        std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-scale, scale);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, specialValues().size() - 1);
  std::vector<double> data(rows * count);
  for (double& v : data) v = unit(random) < specialShare ? specialValues()[pick(random)] : value(random);
  return data;
}

#endif
