// What rotfit and rotmean do with their weights: every weight is
// multiplied by one power of two that brings the largest into [1, 2). The
// product is exact, every sum of weighted terms is scaled by the same power
// of two, and no eigenvector or ratio changes: a mean or fit depends on the
// weights' ratios alone, and no sum of weighted terms can overflow. Also the
// error-free sum both use to add partial sums. Plain double arithmetic,
// compiled once per vector path (simd/each_target.h) beside the kernels
// that use it; bit for bit the same in each.
#if defined(ROTKIT_MEASURES_WEIGHTS_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)  // simd/once_per_target.h
#ifdef ROTKIT_MEASURES_WEIGHTS_LANES_H
#undef ROTKIT_MEASURES_WEIGHTS_LANES_H
#else
#define ROTKIT_MEASURES_WEIGHTS_LANES_H
#endif

// The power of two s with s·max(weights) in [1, 2): 1 without weights, when
// all are zero, and at most 2^1023 for the tiniest.
inline double weightScale(const double* weights, std::uint32_t count) {
  double largest = 0.0;
  if (weights != nullptr) {
    for (std::uint32_t k = 0; k < count; ++k) largest = weights[k] > largest ? weights[k] : largest;
  }
  if (!(largest > 0.0)) return 1.0;
  int exponent = 0;
  std::frexp(largest, &exponent);
  const int power = 1 - exponent;
  return std::ldexp(1.0, power > 1023 ? 1023 : power);
}

// sum + value, its rounding error added to `error` (Knuth's two-sum: exact
// for any two finite doubles, in round to nearest).
inline void addWithError(double& sum, double& error, double value) {
  const double total = sum + value;
  const double part = total - sum;
  error = error + ((sum - (total - part)) + (value - part));
  sum = total;
}

#endif
