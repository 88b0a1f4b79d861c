// Motions whose orientation and angular velocity are known in closed form,
// computed in long double and rounded once, for the accuracy tests of the
// time-series functions: a constant angular velocity; a fixed axis with a
// varying rate; two constant turns composed, q(t) = exp(a·t/2) ⊗ exp(b·t/2),
// whose body rate is b + B(t)*·a·B(t) and world rate a + A(t)·b·A(t)*.
// Quaternions scalar first, Hamilton product.
#ifndef ROTKIT_TESTS_TIMESERIES_MOTIONS_H
#define ROTKIT_TESTS_TIMESERIES_MOTIONS_H

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

using Quat4 = std::array<long double, 4>;
using Vec3L = std::array<long double, 3>;

inline Quat4 product(const Quat4& a, const Quat4& b) {
  return {a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3], a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2],
          a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1], a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0]};
}

inline Quat4 conjugate(const Quat4& q) { return {q[0], -q[1], -q[2], -q[3]}; }

// exp(v/2): the turn by |v| about v.
inline Quat4 turn(const Vec3L& v) {
  const long double angle = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (angle == 0) return {1, 0, 0, 0};
  const long double f = std::sin(angle / 2) / angle;
  return {std::cos(angle / 2), f * v[0], f * v[1], f * v[2]};
}

// q·v·q* for a unit q.
inline Vec3L rotated(const Quat4& q, const Vec3L& v) {
  const Quat4 r = product(product(q, {0, v[0], v[1], v[2]}), conjugate(q));
  return {r[1], r[2], r[3]};
}

enum class Motion { constant, fixedAxis, twoTurns };

struct MotionState {
  Quat4 q;
  Vec3L body;
  Vec3L world;
};

inline MotionState motionAt(Motion motion, long double t) {
  const Vec3L a{0.7L, -0.4L, 0.9L};
  const Vec3L b{-0.5L, 1.1L, 0.3L};
  const Quat4 start{0.6L, 0.0L, 0.8L, 0.0L};
  switch (motion) {
    case Motion::constant: {
      const Quat4 q = product(start, turn({a[0] * t, a[1] * t, a[2] * t}));
      return {q, a, rotated(start, a)};
    }
    case Motion::fixedAxis: {
      // angle φ(t) = sin(2t) + t²/2 about a unit axis; rate φ'(t)·axis.
      const Vec3L axis{0.48L, 0.6L, 0.64L};
      const long double phi = std::sin(2 * t) + t * t / 2;
      const long double rate = 2 * std::cos(2 * t) + t;
      const Vec3L w{axis[0] * rate, axis[1] * rate, axis[2] * rate};
      return {turn({axis[0] * phi, axis[1] * phi, axis[2] * phi}), w, w};
    }
    case Motion::twoTurns: {
      const Quat4 qa = turn({a[0] * t, a[1] * t, a[2] * t});
      const Quat4 qb = turn({b[0] * t, b[1] * t, b[2] * t});
      const Vec3L aInB = rotated(conjugate(qb), a);
      const Vec3L bInA = rotated(qa, b);
      return {product(qa, qb), {b[0] + aInB[0], b[1] + aInB[1], b[2] + aInB[2]},
              {a[0] + bInA[0], a[1] + bInA[1], a[2] + bInA[2]}};
    }
  }
  return {};
}

// Sample times over [0, span]: even steps, or uneven ones (a smooth warp of
// an even grid, so that halving the step halves every step).
inline std::vector<double> sampleTimes(std::uint32_t count, double span, bool uneven) {
  std::vector<double> t(count);
  for (std::uint32_t k = 0; k < count; ++k) {
    const long double s = span * static_cast<long double>(k) / (count - 1);
    t[k] = static_cast<double>(uneven ? s + 0.15L * std::sin(3 * s) : s);
  }
  return t;
}

// The rounded quaternions of a motion at the times t.
inline std::vector<double> motionQuaternions(Motion motion, const std::vector<double>& t) {
  std::vector<double> q;
  for (double time : t) {
    const Quat4 s = motionAt(motion, time).q;
    for (long double c : s) q.push_back(static_cast<double>(c));
  }
  return q;
}

// The largest error of rates (3 x N) against the motion's exact rates.
inline long double worstRateError(Motion motion, const std::vector<double>& t, const std::vector<double>& w,
                                  bool world) {
  long double worst = 0;
  for (std::size_t k = 0; k < t.size(); ++k) {
    const MotionState s = motionAt(motion, t[k]);
    const Vec3L& exact = world ? s.world : s.body;
    for (int c = 0; c < 3; ++c) worst = std::fmax(worst, std::fabs(w[3 * k + c] - exact[c]));
  }
  return worst;
}

// The largest component error of quaternions (4 x N) against the motion's
// (either sign of the exact one).
inline long double worstQuaternionError(Motion motion, const std::vector<double>& t, const std::vector<double>& q) {
  long double worst = 0;
  for (std::size_t k = 0; k < t.size(); ++k) {
    const Quat4 s = motionAt(motion, t[k]).q;
    long double plus = 0, minus = 0;
    for (int c = 0; c < 4; ++c) {
      plus = std::fmax(plus, std::fabs(q[4 * k + c] - s[c]));
      minus = std::fmax(minus, std::fabs(q[4 * k + c] + s[c]));
    }
    worst = std::fmax(worst, std::fmin(plus, minus));
  }
  return worst;
}

#endif
