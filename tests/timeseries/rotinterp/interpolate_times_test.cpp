// rotinterp's kernel: 'slerp' on the great arc to a few units of 2^-52
// against a long double reference, for keys far apart and as close as a
// few ulps, the keys themselves at key times; 'spline' exact for a constant
// rate, C² at the keys (rates and accelerations from both sides agree),
// second order towards smooth motions; NaN outside the keys.
#include "timeseries/rotinterp/interpolate_times.h"

#include "support/bits.h"
#include "timeseries/motions.h"

#include <cfloat>
#include <random>

namespace {

struct Result {
  std::vector<double> q, w, a;
};

Result interpolate(const std::vector<double>& keys, const SampleTimes& keyTimes, const std::vector<double>& queries,
                   bool spline, std::uint32_t joints = 1) {
  const auto n = static_cast<std::uint32_t>(keys.size() / (4 * joints));
  const auto m = static_cast<std::uint32_t>(queries.size());
  Result r{std::vector<double>(4 * std::size_t{joints} * m), std::vector<double>(3 * std::size_t{joints} * m),
           std::vector<double>(3 * std::size_t{joints} * m)};
  std::vector<double> scratch(kSplineRecord * joints * n);
  interpolateTimes(InterpolationCall{keys.data(), joints, n, keyTimes, queries.data(), m, r.q.data(), r.w.data(),
                                     r.a.data(), spline ? scratch.data() : nullptr});
  return r;
}

// Slerp of two keys at s, in long double: q1 (q1* q2)^s by the angle.
Quat4 exactSlerp(const Quat4& a, Quat4 b, long double s) {
  long double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
  if (dot < 0) {
    for (auto& c : b) c = -c;
    dot = -dot;
  }
  long double diff = 0, sum = 0;
  for (int c = 0; c < 4; ++c) {
    diff += (a[c] - b[c]) * (a[c] - b[c]);
    sum += (a[c] + b[c]) * (a[c] + b[c]);
  }
  const long double half = std::atan2(std::sqrt(diff), std::sqrt(sum));  // half the angle between them
  const long double angle = 2 * half;
  Quat4 r;
  for (int c = 0; c < 4; ++c) {
    r[c] = angle == 0 ? a[c] : (std::sin((1 - s) * angle) * a[c] + std::sin(s * angle) * b[c]) / std::sin(angle);
  }
  return r;
}

TEST(InterpolateTimes, SlerpStaysOnTheGreatArcForFarAndCloseKeys) {
  std::mt19937_64 random(61);
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> unit(0, 1);
  long double worst = 0;
  for (int pair = 0; pair < 2000; ++pair) {
    Quat4 a, b;
    long double na = 0;
    for (auto& c : a) {
      c = normal(random);
      na += c * c;
    }
    for (auto& c : a) c /= std::sqrt(na);
    // A partner at a random distance, from about half a turn to a few ulps.
    const long double spread = std::pow(10.0L, -16.0L * unit(random));
    long double nb = 0;
    for (int c = 0; c < 4; ++c) {
      b[c] = a[c] + spread * normal(random);
      nb += b[c] * b[c];
    }
    for (auto& c : b) c /= std::sqrt(nb);
    std::vector<double> keys;
    for (long double c : a) keys.push_back(static_cast<double>(c));
    for (long double c : b) keys.push_back(static_cast<double>((pair % 2 ? -1 : 1) * c));
    const std::vector<double> queries = {0.1, 0.37, 0.5, 0.93};
    const Result r = interpolate(keys, SampleTimes{nullptr, 1.0}, queries, false);
    const Quat4 ka{keys[0], keys[1], keys[2], keys[3]}, kb{keys[4], keys[5], keys[6], keys[7]};
    for (std::size_t i = 0; i < queries.size(); ++i) {
      const Quat4 e = exactSlerp(ka, kb, queries[i]);
      for (int c = 0; c < 4; ++c) worst = std::fmax(worst, std::fabs(r.q[4 * i + c] - e[c]));
    }
  }
  EXPECT_LT(worst / DBL_EPSILON, 4.0L) << "units of 2^-52";
}

TEST(InterpolateTimes, KeyTimesGiveTheKeysAndOutsideGivesNaN) {
  const std::vector<double> keys = {-0.0, 1.0, 0.0, -0.0, 0.6, 0.0, -0.8, 0.0, -0.6, 0.0, 0.8, -0.0};
  const std::vector<double> times = {0.5, 1.5, 4.0};
  for (bool spline : {false, true}) {
    const Result r = interpolate(keys, SampleTimes{times.data(), 0.0}, {4.0, 0.5, 1.5, kNaN, 0.49, 4.01, -kInf}, spline);
    std::vector<double> expected = {keys[8], keys[9], keys[10], keys[11], keys[0], keys[1], keys[2], keys[3],
                                    keys[4], keys[5], keys[6], keys[7]};
    expected.resize(28, kNaN);
    EXPECT_TRUE(SameBits(r.q, expected)) << spline;
    for (std::size_t i = 9; i < 21; ++i) EXPECT_TRUE(std::isnan(r.w[i]) && std::isnan(r.a[i])) << i;
  }
  // A scalar interval: keys at 0, h, 2h, computed as k·h.
  const Result r = interpolate(keys, SampleTimes{nullptr, 0.1}, {2 * 0.1, 0.1}, false);
  EXPECT_TRUE(SameBits(r.q, {keys[8], keys[9], keys[10], keys[11], keys[4], keys[5], keys[6], keys[7]}));
  // One key: itself at its time, NaN rates.
  const Result one = interpolate({0.6, 0.8, 0, 0}, SampleTimes{nullptr, 1.0}, {0.0, 0.5}, true);
  EXPECT_TRUE(SameBits(one.q, {0.6, 0.8, 0, 0, kNaN, kNaN, kNaN, kNaN}));
  EXPECT_TRUE(std::isnan(one.w[0]) && std::isnan(one.a[0]));
}

long double splineError(Motion motion, std::uint32_t keyCount, bool uneven, long double* rateError) {
  const std::vector<double> t = sampleTimes(keyCount, 2.0, uneven);
  const std::vector<double> keys = motionQuaternions(motion, t);
  std::vector<double> queries;
  for (std::uint32_t k = 0; k + 1 < keyCount; ++k) queries.push_back(t[k] + (t[k + 1] - t[k]) / 3);
  const Result r = interpolate(keys, SampleTimes{t.data(), 0.0}, queries, true);
  if (rateError != nullptr) *rateError = worstRateError(motion, queries, r.w, false);
  return worstQuaternionError(motion, queries, r.q);
}

TEST(InterpolateTimes, SplineIsExactForAConstantRateAndConvergesForSmoothMotions) {
  long double rate = 0;
  EXPECT_LT(splineError(Motion::constant, 50, true, &rate), 16 * DBL_EPSILON);
  EXPECT_LT(rate, 1e-11L);
  for (Motion motion : {Motion::fixedAxis, Motion::twoTurns}) {
    const long double coarse = splineError(motion, 41, true, nullptr);
    const long double fine = splineError(motion, 81, true, nullptr);
    EXPECT_GT(coarse / fine, 3.5L) << static_cast<int>(motion);
    EXPECT_LT(coarse, 1e-3L);
  }
}

// The angular velocity and acceleration just before and just after each
// inner key agree (the spline is C²), and with 'slerp' the rate is the
// step's constant one.
TEST(InterpolateTimes, SplineRatesAndAccelerationsAreContinuousAtTheKeys) {
  std::mt19937_64 random(62);
  std::normal_distribution<double> normal;
  std::vector<double> v, t;
  for (int k = 0; k < 9; ++k) {
    t.push_back(k == 0 ? 0 : t.back() + 0.1 + 0.5 * std::fabs(normal(random)));
    for (int c = 0; c < 3; ++c) v.push_back(0.5 * normal(random) + (k > 0 ? v[v.size() - 3] : 0));
  }
  std::vector<double> keys;
  for (int k = 0; k < 9; ++k) {
    const Quat4 q = turn({v[3 * k], v[3 * k + 1], v[3 * k + 2]});
    for (long double c : q) keys.push_back(static_cast<double>(c));
  }
  std::vector<double> queries;
  for (int k = 1; k < 8; ++k) {
    queries.push_back(t[k] - 1e-8);
    queries.push_back(t[k] + 1e-8);
  }
  const Result r = interpolate(keys, SampleTimes{t.data(), 0.0}, queries, true);
  for (std::size_t i = 0; i < queries.size(); i += 2) {
    for (int c = 0; c < 3; ++c) {
      // Each side's rate carried to the key by its acceleration.
      EXPECT_NEAR(r.w[3 * i + c] + 1e-8 * r.a[3 * i + c], r.w[3 * i + 3 + c] - 1e-8 * r.a[3 * i + 3 + c], 1e-9) << i;
      EXPECT_NEAR(r.a[3 * i + c], r.a[3 * i + 3 + c], 1e-4 * (1 + std::fabs(r.a[3 * i + c]))) << i;
    }
  }
}

}  // namespace
