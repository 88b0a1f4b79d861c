// The accuracy of the toolbox's cosine (and so of sineCosine, which gives
// the bits of sine and cosine) and of its atan2, measured densely against
// long double (some 11 bits finer than a double). Prints the worst error in
// ulps and where, and how often a result is not the nearest double.
//   trig_sweep [grid points, default 2^24]
#define ROTKIT_LANES_KERNEL "lanemath/trig_sweep_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

struct Sweep {
  const char* name;
  double worst = 0;
  double worstAt = 0, worstAt2 = 0;
  unsigned long long count = 0, notNearest = 0;

  void measure(double value, long double exact, double at, double at2 = 0) {
    ++count;
    if (exact == 0 || std::isnan(static_cast<double>(exact))) return;
    const int exponent = std::max(ilogbl(exact), -1022);
    const double error = static_cast<double>(fabsl(static_cast<long double>(value) - exact) / std::ldexp(1.0L, exponent - 52));
    if (error > 0.5) ++notNearest;
    if (error > worst) {
      worst = error;
      worstAt = at;
      worstAt2 = at2;
    }
  }
  void print() const {
    std::printf("%s: %llu arguments, worst %.4f ulp at %.17g", name, count, worst, worstAt);
    if (worstAt2 != 0) std::printf(", %.17g", worstAt2);
    std::printf("; not the nearest double: %.3g%%\n", 100.0 * static_cast<double>(notNearest) / static_cast<double>(count));
  }
};

}  // namespace

int main(int argc, char** argv) {
  const unsigned long long grid = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : (1ull << 24);
  Sweep cosine{"cosine over |x| <= 16"};
  for (unsigned long long i = 0; i < grid; ++i) {
    const double x = -16.0 + 32.0 * (static_cast<double>(i) + 0.3819660112501051) / static_cast<double>(grid);
    cosine.measure(rotkit::scalar::cosine(x), cosl(static_cast<long double>(x)), x);
  }
  // Every double within 2^16 of each multiple of π/2, where cos of an odd
  // multiple cancels to almost 0.
  for (int k = -10; k <= 10; ++k) {
    double up = static_cast<double>(k * 1.5707963267948966192313216916397514L), down = up;
    for (int i = 0; i < (1 << 16); ++i, up = std::nextafter(up, INFINITY), down = std::nextafter(down, -INFINITY)) {
      cosine.measure(rotkit::scalar::cosine(up), cosl(static_cast<long double>(up)), up);
      cosine.measure(rotkit::scalar::cosine(down), cosl(static_cast<long double>(down)), down);
    }
  }
  cosine.print();

  Sweep atan2{"atan2, every quadrant and magnitude"};
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> exponent(-1074, 1023), nearby(-60, 60);
  for (unsigned long long i = 0; i < grid; ++i) {
    double y = unit(random), x = unit(random);
    switch (i % 4) {
      case 1: y = std::ldexp(y, exponent(random)); x = std::ldexp(x, exponent(random)); break;
      case 2: y = std::ldexp(x * unit(random), nearby(random)); break;
      case 3: y = x * (i % 8 < 4 ? 0.4375 : 0.6875) * (1 + 1e-6 * unit(random)); break;
      default: break;
    }
    atan2.measure(rotkit::scalar::arcTangent2(y, x), atan2l(static_cast<long double>(y), static_cast<long double>(x)), y, x);
  }
  atan2.print();
  return cosine.worst < 1.0 && atan2.worst < 1.0 ? 0 : 1;
}
