// rotvel's kernel against motions whose angular velocity is known in
// closed form (long double, timeseries/motions.h): exact to rounding for a
// constant rate at every sample, second order for smooth ones (halving the
// step divides the error by about four) on even and uneven steps, in both
// frames; and the short motions.
#include "timeseries/rotvel/angular_velocity.h"

#include "support/bits.h"
#include "timeseries/motions.h"

#include <cfloat>

namespace {

std::vector<double> ratesOf(const std::vector<double>& q, const SampleTimes& time, bool world, std::uint32_t joints = 1) {
  const auto count = static_cast<std::uint32_t>(q.size() / (4 * joints));
  std::vector<double> w(3 * std::size_t{joints} * count);
  angularVelocities(q.data(), joints, count, time, world, w.data());
  return w;
}

long double errorAt(Motion motion, std::uint32_t count, bool uneven, bool world) {
  const std::vector<double> t = sampleTimes(count, 2.0, uneven);
  const std::vector<double> q = motionQuaternions(motion, t);
  const SampleTimes time = uneven ? SampleTimes{t.data(), 0.0} : SampleTimes{nullptr, 2.0 / (count - 1)};
  return worstRateError(motion, t, ratesOf(q, time, world), world);
}

// A constant rate: the rounding of the quaternions over the step, no more.
TEST(AngularVelocities, ExactForAConstantRateAtEverySample) {
  for (bool world : {false, true}) {
    for (bool uneven : {false, true}) {
      for (std::uint32_t count : {3u, 20u, 401u}) {
        const long double step = 2.0L / (count - 1);
        EXPECT_LT(errorAt(Motion::constant, count, uneven, world), 8 * DBL_EPSILON / step)
            << count << (world ? " world" : " body") << (uneven ? " uneven" : "");
      }
    }
  }
}

// Halving the step divides the error by about four: second order, the ends
// included (the error is the worst over every sample).
TEST(AngularVelocities, SecondOrderForSmoothMotionsOnEvenAndUnevenSteps) {
  for (Motion motion : {Motion::fixedAxis, Motion::twoTurns}) {
    for (bool world : {false, true}) {
      for (bool uneven : {false, true}) {
        const long double coarse = errorAt(motion, 101, uneven, world);
        const long double fine = errorAt(motion, 201, uneven, world);
        EXPECT_GT(coarse / fine, 3.5L) << static_cast<int>(motion) << world << uneven;
        EXPECT_LT(coarse / fine, 4.6L) << static_cast<int>(motion) << world << uneven;
        EXPECT_LT(coarse, 5e-3L);
      }
    }
  }
}

// q and −q are one rotation: flipping any sample's sign changes no bit.
TEST(AngularVelocities, SignsOfTheSamplesChangeNothing) {
  const std::vector<double> t = sampleTimes(40, 2.0, true);
  std::vector<double> q = motionQuaternions(Motion::twoTurns, t);
  const std::vector<double> w = ratesOf(q, SampleTimes{t.data(), 0.0}, false);
  for (std::size_t k = 0; k < q.size(); k += 12) {
    for (int c = 0; c < 4; ++c) q[k + c] = -q[k + c];
  }
  EXPECT_TRUE(SameBits(ratesOf(q, SampleTimes{t.data(), 0.0}, false), w));
}

// One sample: NaN; two: the step's rate at both; an empty motion writes
// nothing; joints are independent of each other.
TEST(AngularVelocities, ShortMotionsAndJoints) {
  const double h = std::sqrt(0.5);
  EXPECT_TRUE(SameBits(ratesOf({1, 0, 0, 0}, SampleTimes{nullptr, 0.5}, false), {kNaN, kNaN, kNaN}));
  const std::vector<double> two = ratesOf({1, 0, 0, 0, h, 0, 0, h}, SampleTimes{nullptr, 0.5}, false);
  EXPECT_EQ(two[0], 0.0);
  EXPECT_NEAR(two[2], M_PI, 1e-15);
  EXPECT_TRUE(SameBits({two[0], two[1], two[2]}, {two[3], two[4], two[5]}));
  EXPECT_TRUE(ratesOf({}, SampleTimes{nullptr, 0.5}, false).empty());
  const std::vector<double> t = sampleTimes(30, 2.0, false);
  const std::vector<double> a = motionQuaternions(Motion::fixedAxis, t);
  const std::vector<double> b = motionQuaternions(Motion::twoTurns, t);
  std::vector<double> both;
  for (std::size_t k = 0; k < t.size(); ++k) {
    both.insert(both.end(), a.begin() + 4 * k, a.begin() + 4 * k + 4);
    both.insert(both.end(), b.begin() + 4 * k, b.begin() + 4 * k + 4);
  }
  const SampleTimes time{t.data(), 0.0};
  const std::vector<double> wa = ratesOf(a, time, true), wb = ratesOf(b, time, true), w = ratesOf(both, time, true, 2);
  for (std::size_t k = 0; k < t.size(); ++k) {
    EXPECT_TRUE(SameBits({w.begin() + 6 * k, w.begin() + 6 * k + 3}, {wa.begin() + 3 * k, wa.begin() + 3 * k + 3}));
    EXPECT_TRUE(SameBits({w.begin() + 6 * k + 3, w.begin() + 6 * k + 6}, {wb.begin() + 3 * k, wb.begin() + 3 * k + 3}));
  }
}

}  // namespace
