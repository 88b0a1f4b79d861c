// The accuracy of rotblend's own sine over its range, measured densely:
// against the long double sinl (some 11 bits finer than a double), and its
// distance from <cmath>'s sin. Prints the worst error in ulps and where.
//   sine_sweep [grid points, default 2^26]
#define ROTKIT_LANES_KERNEL "lanemath/sine_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using rotkit::scalar::kSineRange;
using rotkit::scalar::sine;

struct Sweep {
  double worst = 0;
  double worstAt = 0;
  double worstFromLibrary = 0;
  double worstFromLibraryAt = 0;
  unsigned long long count = 0;
  unsigned long long notNearest = 0;  // more than half an ulp off: not the correctly rounded sine

  void measure(double x) {
    const double ours = sine(x);
    const long double exact = sinl(static_cast<long double>(x));
    ++count;
    if (exact == 0) return;
    const long double ulp = std::ldexp(1.0L, ilogbl(exact) - 52);
    const double error = static_cast<double>(fabsl(static_cast<long double>(ours) - exact) / ulp);
    if (error > 0.5) ++notNearest;
    if (error > worst) {
      worst = error;
      worstAt = x;
    }
    const double fromLibrary =
        static_cast<double>(fabsl(static_cast<long double>(ours) - static_cast<long double>(std::sin(x))) / ulp);
    if (fromLibrary > worstFromLibrary) {
      worstFromLibrary = fromLibrary;
      worstFromLibraryAt = x;
    }
  }
};

} // namespace

int main(int argc, char** argv) {
  const unsigned long long grid = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : (1ull << 26);
  Sweep sweep;
  // An even grid over the whole range, off the round numbers.
  for (unsigned long long i = 0; i < grid; ++i) {
    sweep.measure(-kSineRange + 2 * kSineRange * (static_cast<double>(i) + 0.3819660112501051) / static_cast<double>(grid));
  }
  // Every double within 2^18 of each multiple of π/2 in the range, where the
  // reduction cancels most.
  for (int k = -10; k <= 10; ++k) {
    const double centre = static_cast<double>(k * 1.5707963267948966192313216916397514L);
    double up = centre;
    double down = centre;
    for (int i = 0; i < (1 << 18); ++i) {
      sweep.measure(up);
      sweep.measure(down);
      up = std::nextafter(up, INFINITY);
      down = std::nextafter(down, -INFINITY);
    }
  }
  // Small magnitudes, binade by binade.
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> mantissa(1, 2);
  for (int e = -40; e <= 3; ++e) {
    for (int i = 0; i < (1 << 16); ++i) {
      const double v = std::ldexp(mantissa(random), e);
      sweep.measure(v);
      sweep.measure(-v);
    }
  }
  std::printf("sine over |x| <= %g: %llu arguments\n", kSineRange, sweep.count);
  std::printf("  worst error against sinl: %.4f ulp, at x = %.17g\n", sweep.worst, sweep.worstAt);
  std::printf("  not the nearest double: %.3g%% of the arguments\n",
              100.0 * static_cast<double>(sweep.notNearest) / static_cast<double>(sweep.count));
  std::printf("  largest distance from <cmath>'s sin: %.4f ulp, at x = %.17g\n", sweep.worstFromLibrary,
              sweep.worstFromLibraryAt);
  return sweep.worst < 1.0 ? 0 : 1;
}
