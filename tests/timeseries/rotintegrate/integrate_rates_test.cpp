// rotintegrate's kernel against motions known in closed form (long double,
// timeseries/motions.h): exact to rounding for a constant rate, second
// order for smooth ones on even and uneven steps, in both frames; the
// round trip through rotvel; lengths across several blocks.
#include "timeseries/rotintegrate/integrate_rates.h"

#include "support/bits.h"
#include "timeseries/motions.h"

#include <cfloat>

namespace {

std::vector<double> exactRates(Motion motion, const std::vector<double>& t, bool world) {
  std::vector<double> w;
  for (double time : t) {
    const MotionState s = motionAt(motion, time);
    for (long double c : world ? s.world : s.body) w.push_back(static_cast<double>(c));
  }
  return w;
}

std::vector<double> integrated(const std::vector<double>& w, const SampleTimes& time, const std::vector<double>& q0,
                               bool world) {
  const auto joints = static_cast<std::uint32_t>(q0.size() / 4);
  const auto count = static_cast<std::uint32_t>(w.size() / (3 * joints));
  std::vector<double> q(4 * std::size_t{joints} * count, 555.0);
  integrateRates(w.data(), joints, count, time, q0.data(), world, q.data());
  return q;
}

long double errorAt(Motion motion, std::uint32_t count, bool uneven, bool world) {
  const std::vector<double> t = sampleTimes(count, 2.0, uneven);
  const SampleTimes time = uneven ? SampleTimes{t.data(), 0.0} : SampleTimes{nullptr, 2.0 / (count - 1)};
  const std::vector<double> q0 = motionQuaternions(motion, {0.0});
  return worstQuaternionError(motion, t, integrated(exactRates(motion, t, world), time, q0, world));
}

TEST(IntegrateRates, ExactForAConstantRate) {
  for (bool world : {false, true}) {
    for (bool uneven : {false, true}) {
      // 2500 samples: three blocks of products, the last one shorter. Each
      // turn is rounded, and the roundings of a block's products add up.
      for (std::uint32_t count : {2u, 17u, 2500u}) {
        EXPECT_LT(errorAt(Motion::constant, count, uneven, world), 8 * (count + 8) * DBL_EPSILON)
            << count << world << uneven;
      }
    }
  }
}

TEST(IntegrateRates, SecondOrderForSmoothRates) {
  for (Motion motion : {Motion::fixedAxis, Motion::twoTurns}) {
    for (bool world : {false, true}) {
      for (bool uneven : {false, true}) {
        const long double coarse = errorAt(motion, 101, uneven, world);
        const long double fine = errorAt(motion, 201, uneven, world);
        EXPECT_GT(coarse / fine, 3.5L) << static_cast<int>(motion) << world << uneven;
        EXPECT_LT(coarse / fine, 4.6L) << static_cast<int>(motion) << world << uneven;
      }
    }
  }
}

// The first column is q0 bit for bit, whatever its length; every later
// column keeps that length to rounding; a single sample is q0; none gives nothing.
TEST(IntegrateRates, StartsAtQ0AndKeepsItsLength) {
  const std::vector<double> q0 = {-0.0, 2.0, 0.0, -0.0};
  const std::vector<double> w(3 * 3001, 0.25);
  const std::vector<double> q = integrated(w, SampleTimes{nullptr, 0.01}, q0, false);
  EXPECT_TRUE(SameBits({q.begin(), q.begin() + 4}, q0));
  for (std::size_t k = 0; k < 3001; ++k) {
    const double length = std::sqrt(q[4 * k] * q[4 * k] + q[4 * k + 1] * q[4 * k + 1] + q[4 * k + 2] * q[4 * k + 2] +
                                    q[4 * k + 3] * q[4 * k + 3]);
    ASSERT_NEAR(length, 2.0, 1000 * DBL_EPSILON) << k;
  }
  EXPECT_TRUE(SameBits(integrated({0.1, 0.2, 0.3}, SampleTimes{nullptr, 1.0}, q0, true), q0));
  EXPECT_TRUE(integrated({}, SampleTimes{nullptr, 1.0}, q0, true).empty());
}

}  // namespace
