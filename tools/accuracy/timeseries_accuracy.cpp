// The accuracy of the time-series functions, for docs/accuracy.md
// (make accuracy, tools/accuracy/run_accuracy.sh):
//   timeseries_accuracy inputs DIR   writes the keys and queries for scipy
//   (scipy_timeseries.py DIR then writes its results beside them)
//   timeseries_accuracy report DIR   prints the tables
// 1. Orders: rotvel, rotintegrate, the round trip and rotinterp's spline
//    and slerp on motions known in closed form (tests/timeseries/motions.h,
//    long double), the step halved three times, even and uneven steps.
// 2. rotinterp's 'slerp' against the exact great arc (long double), keys
//    from half a turn to a few ulps apart, beside rotslerp and scipy's Slerp.
// 3. rotinterp's 'spline' against scipy's RotationSpline on the same keys.
#include "rotations/rotslerp/slerp_columns.h"
#include "timeseries/rotintegrate/integrate_rates.h"
#include "timeseries/rotinterp/interpolate_times.h"
#include "timeseries/rotvel/angular_velocity.h"
#include "timeseries/motions.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

void writeDoubles(const std::string& path, const std::vector<double>& v) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(v.data()), static_cast<std::streamsize>(v.size() * sizeof(double)));
}

std::vector<double> readDoubles(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const auto bytes = static_cast<std::size_t>(in.tellg());
  std::vector<double> v(bytes / sizeof(double));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(v.data()), static_cast<std::streamsize>(bytes));
  return v;
}

struct Interpolated {
  std::vector<double> q, w, a;
};

Interpolated interpolate(const std::vector<double>& keys, const std::vector<double>& t, const std::vector<double>& ti,
                         bool spline) {
  const auto n = static_cast<std::uint32_t>(t.size());
  const auto m = static_cast<std::uint32_t>(ti.size());
  Interpolated r{std::vector<double>(4 * m), std::vector<double>(3 * m), std::vector<double>(3 * m)};
  std::vector<double> scratch(kSplineRecord * n);
  interpolateTimes(InterpolationCall{keys.data(), 1, n, SampleTimes{t.data(), 0.0}, ti.data(), m, r.q.data(),
                                     r.w.data(), r.a.data(), spline ? scratch.data() : nullptr});
  return r;
}

// ---- 1. Orders ----

struct OrderRow {
  long double rotvel, rotvelWorld, integrate, roundTrip, spline, splineRate, slerp;
};

OrderRow errorsAt(Motion motion, std::uint32_t count, bool uneven) {
  const std::vector<double> t = sampleTimes(count, 2.0, uneven);
  const std::vector<double> q = motionQuaternions(motion, t);
  const SampleTimes time{t.data(), 0.0};
  OrderRow row{};
  std::vector<double> w(3 * count), ww(3 * count), exact;
  angularVelocities(q.data(), 1, count, time, false, w.data());
  angularVelocities(q.data(), 1, count, time, true, ww.data());
  row.rotvel = worstRateError(motion, t, w, false);
  row.rotvelWorld = worstRateError(motion, t, ww, true);
  for (double s : t) {
    for (long double c : motionAt(motion, s).body) exact.push_back(static_cast<double>(c));
  }
  std::vector<double> back(4 * count);
  integrateRates(exact.data(), 1, count, time, q.data(), false, back.data());
  row.integrate = worstQuaternionError(motion, t, back);
  integrateRates(w.data(), 1, count, time, q.data(), false, back.data());
  row.roundTrip = worstQuaternionError(motion, t, back);
  std::vector<double> ti;
  for (std::uint32_t k = 0; k + 1 < count; ++k) ti.push_back(t[k] + (t[k + 1] - t[k]) / 3);
  const Interpolated s = interpolate(q, t, ti, true);
  row.spline = worstQuaternionError(motion, ti, s.q);
  row.splineRate = worstRateError(motion, ti, s.w, false);
  row.slerp = worstQuaternionError(motion, ti, interpolate(q, t, ti, false).q);
  return row;
}

void reportOrders() {
  const char* names[] = {"constant rate", "fixed axis, varying rate", "two constant turns composed"};
  std::printf("### Orders of accuracy (worst error over the samples; ratio to the step twice as long)\n\n");
  for (Motion motion : {Motion::constant, Motion::fixedAxis, Motion::twoTurns}) {
    for (bool uneven : {false, true}) {
      std::printf("%s, %s steps over [0, 2]:\n\n", names[static_cast<int>(motion)], uneven ? "uneven" : "even");
      std::printf("| samples | rotvel body | rotvel world | rotintegrate | round trip | spline q | spline ω | slerp q |\n");
      std::printf("|---:|---|---|---|---|---|---|---|\n");
      OrderRow before{};
      for (std::uint32_t count : {51u, 101u, 201u, 401u}) {
        const OrderRow r = errorsAt(motion, count, uneven);
        auto cell = [&](long double e, long double b) {
          char text[64];
          if (count == 51 || motion == Motion::constant) {
            std::snprintf(text, sizeof text, "%.2Le", e);
          } else {
            std::snprintf(text, sizeof text, "%.2Le (%.2Lf)", e, b / e);
          }
          return std::string(text);
        };
        std::printf("| %u | %s | %s | %s | %s | %s | %s | %s |\n", count, cell(r.rotvel, before.rotvel).c_str(),
                    cell(r.rotvelWorld, before.rotvelWorld).c_str(), cell(r.integrate, before.integrate).c_str(),
                    cell(r.roundTrip, before.roundTrip).c_str(), cell(r.spline, before.spline).c_str(),
                    cell(r.splineRate, before.splineRate).c_str(), cell(r.slerp, before.slerp).c_str());
        before = r;
      }
      std::printf("\n");
    }
  }
}

// ---- 2. and 3.: the keys ----

// Pairs of unit keys 10^-e apart (e uniform in [0, 16]), one pair per
// column pair, at times 0 and 1, queried at fixed fractions.
const std::vector<double> kFractions = {0.1, 0.25, 0.37, 0.5, 0.75, 0.93};

std::vector<double> closePairs(std::size_t count) {
  std::mt19937_64 random(2026);
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> pairs;
  for (std::size_t p = 0; p < count; ++p) {
    long double a[4], b[4], na = 0, nb = 0;
    for (auto& c : a) {
      c = normal(random);
      na += c * c;
    }
    const long double spread = std::pow(10.0L, -16.0L * unit(random));
    for (int c = 0; c < 4; ++c) {
      a[c] /= std::sqrt(na);
      b[c] = a[c] + spread * normal(random);
      nb += b[c] * b[c];
    }
    for (long double c : a) pairs.push_back(static_cast<double>(c));
    for (long double c : b) pairs.push_back(static_cast<double>(c / std::sqrt(nb)));
  }
  return pairs;
}

Quat4 exactSlerp(const double* pa, const double* pb, long double s) {
  Quat4 a{pa[0], pa[1], pa[2], pa[3]}, b{pb[0], pb[1], pb[2], pb[3]};
  if (a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3] < 0) {
    for (auto& c : b) c = -c;
  }
  const long double angle = 2 * std::atan2(std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                                                     (a[2] - b[2]) * (a[2] - b[2]) + (a[3] - b[3]) * (a[3] - b[3])),
                                           std::sqrt((a[0] + b[0]) * (a[0] + b[0]) + (a[1] + b[1]) * (a[1] + b[1]) +
                                                     (a[2] + b[2]) * (a[2] + b[2]) + (a[3] + b[3]) * (a[3] + b[3])));
  Quat4 r;
  for (int c = 0; c < 4; ++c) {
    r[c] = angle == 0 ? a[c] : (std::sin((1 - s) * angle) * a[c] + std::sin(s * angle) * b[c]) / std::sin(angle);
  }
  return r;
}

// The worst component error in units of 2^-52 of each pair's results (4 per
// fraction) against the exact arc, for pairs whose keys lie within the
// decade [10^-hi, 10^-lo) of each other.
long double slerpError(const std::vector<double>& pairs, const std::vector<double>& results, int lo, int hi) {
  long double worst = 0;
  const std::size_t fractions = kFractions.size();
  for (std::size_t p = 0; p < pairs.size() / 8; ++p) {
    long double d = 0;
    for (int c = 0; c < 4; ++c) d += (pairs[8 * p + c] - pairs[8 * p + 4 + c]) * (pairs[8 * p + c] - pairs[8 * p + 4 + c]);
    const long double apart = std::sqrt(d);
    if (!(apart >= std::pow(10.0L, -hi) && apart < std::pow(10.0L, -lo))) continue;
    for (std::size_t f = 0; f < fractions; ++f) {
      const Quat4 e = exactSlerp(&pairs[8 * p], &pairs[8 * p + 4], kFractions[f]);
      const double* got = &results[4 * (p * fractions + f)];
      long double plus = 0, minus = 0;
      for (int c = 0; c < 4; ++c) {
        plus = std::fmax(plus, std::fabs(got[c] - e[c]));
        minus = std::fmax(minus, std::fabs(got[c] + e[c]));
      }
      worst = std::fmax(worst, std::fmin(plus, minus));
    }
  }
  return worst / DBL_EPSILON;
}

std::vector<double> rotinterpPairs(const std::vector<double>& pairs) {
  std::vector<double> out;
  const std::vector<double> t = {0.0, 1.0};
  for (std::size_t p = 0; p < pairs.size() / 8; ++p) {
    const std::vector<double> keys(pairs.begin() + 8 * p, pairs.begin() + 8 * p + 8);
    const Interpolated r = interpolate(keys, t, kFractions, false);
    out.insert(out.end(), r.q.begin(), r.q.end());
  }
  return out;
}

std::vector<double> rotslerpPairs(const std::vector<double>& pairs) {
  std::vector<double> out;
  for (std::size_t p = 0; p < pairs.size() / 8; ++p) {
    std::vector<double> r(4 * kFractions.size());
    slerpColumns(&pairs[8 * p], 1, &pairs[8 * p + 4], 1, kFractions.data(), static_cast<std::uint32_t>(kFractions.size()),
                 r.data(), static_cast<std::uint32_t>(kFractions.size()));
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

// Smooth keys for the spline: a random walk of rotation vectors, uneven
// times, queries spread over them.
void splineKeys(std::vector<double>& keys, std::vector<double>& t, std::vector<double>& ti) {
  std::mt19937_64 random(2027);
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> step(0.02, 0.08);
  long double v[3] = {0, 0, 0}, rate[3] = {0.5, -0.3, 0.8};
  double now = 0;
  for (int k = 0; k < 400; ++k) {
    t.push_back(now);
    const double h = step(random);
    now += h;
    const Quat4 q = turn({v[0], v[1], v[2]});
    for (long double c : q) keys.push_back(static_cast<double>(c));
    for (int c = 0; c < 3; ++c) {
      rate[c] += 0.5 * normal(random);
      v[c] += rate[c] * h;
    }
  }
  for (int i = 0; i < 4000; ++i) ti.push_back(t.front() + (t.back() - t.front()) * (i + 0.5) / 4000);
}

void writeInputs(const std::string& dir) {
  writeDoubles(dir + "/pairs.bin", closePairs(20000));
  writeDoubles(dir + "/fractions.bin", kFractions);
  std::vector<double> keys, t, ti;
  splineKeys(keys, t, ti);
  writeDoubles(dir + "/keys.bin", keys);
  writeDoubles(dir + "/times.bin", t);
  writeDoubles(dir + "/queries.bin", ti);
}

long double largestDifference(const std::vector<double>& a, const std::vector<double>& b, std::size_t rows,
                              bool eitherSign) {
  long double worst = 0;
  for (std::size_t k = 0; k < a.size() / rows; ++k) {
    long double plus = 0, minus = 0;
    for (std::size_t c = 0; c < rows; ++c) {
      plus = std::fmax(plus, std::fabs(static_cast<long double>(a[rows * k + c]) - b[rows * k + c]));
      minus = std::fmax(minus, std::fabs(static_cast<long double>(a[rows * k + c]) + b[rows * k + c]));
    }
    worst = std::fmax(worst, eitherSign ? std::fmin(plus, minus) : plus);
  }
  return worst;
}

long double largestMagnitude(const std::vector<double>& a) {
  long double worst = 0;
  for (double v : a) worst = std::fmax(worst, std::fabs(static_cast<long double>(v)));
  return worst;
}

void report(const std::string& dir) {
  reportOrders();
  const std::vector<double> pairs = readDoubles(dir + "/pairs.bin");
  const std::vector<double> ours = rotinterpPairs(pairs), theirs = rotslerpPairs(pairs);
  const std::vector<double> scipy = readDoubles(dir + "/pairs.scipy");
  std::printf("### 'slerp' on the great arc (worst component error, units of 2^-52, against long double)\n\n");
  std::printf("| keys apart, ‖q1 − q2‖ | rotinterp 'slerp' | rotslerp | scipy Slerp |\n|---|---|---|---|\n");
  for (int decade = 0; decade < 16; decade += 2) {
    std::printf("| 1e-%d .. 1e-%d | %.2Lf | %.3Lg | %.2Lf |\n", decade + 2, decade, slerpError(pairs, ours, decade, decade + 2),
                slerpError(pairs, theirs, decade, decade + 2), slerpError(pairs, scipy, decade, decade + 2));
  }
  std::vector<double> keys = readDoubles(dir + "/keys.bin"), t = readDoubles(dir + "/times.bin"),
                      ti = readDoubles(dir + "/queries.bin");
  const Interpolated spline = interpolate(keys, t, ti, true), slerp = interpolate(keys, t, ti, false);
  std::printf("\n### Against scipy (400 smooth keys at uneven times, 4000 queries)\n\n");
  std::printf("| result | largest difference | largest value | relative |\n|---|---|---|---|\n");
  struct Row {
    const char* name;
    const std::vector<double>* ours;
    const char* file;
    std::size_t rows;
  };
  const Row rows[] = {{"spline rotation (RotationSpline, its tolerance 1e-9)", &spline.q, "spline_q.scipy", 4},
                      {"spline angular velocity", &spline.w, "spline_w.scipy", 3},
                      {"spline angular acceleration", &spline.a, "spline_a.scipy", 3},
                      {"spline rotation (RotationSpline iterated to 1e-15)", &spline.q, "strict_q.scipy", 4},
                      {"spline angular velocity (to 1e-15)", &spline.w, "strict_w.scipy", 3},
                      {"spline angular acceleration (to 1e-15)", &spline.a, "strict_a.scipy", 3},
                      {"slerp rotation (Slerp)", &slerp.q, "slerp_q.scipy", 4}};
  for (const Row& row : rows) {
    const std::vector<double> other = readDoubles(dir + "/" + row.file);
    const long double diff = largestDifference(*row.ours, other, row.rows, row.rows == 4);
    const long double size = largestMagnitude(other);
    std::printf("| %s | %.2Le | %.3Lg | %.2Le |\n", row.name, diff, size, diff / size);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: timeseries_accuracy inputs|report DIR\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "inputs") {
    writeInputs(argv[2]);
  } else {
    report(argv[2]);
  }
  return 0;
}
