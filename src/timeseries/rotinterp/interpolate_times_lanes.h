// rotinterp's kernel, written once and compiled for every vector path
// (simd/each_target.h): one query per lane, quaternions scalar first.
// Results are defined bit for bit: every operation rounded on its own in
// the order written (never a fused multiply-add); the logarithm and the
// exponential are quaternion/rotation_vector_lanes.h's.
//
// A query time u falls in the step from key k to k + 1 (t(k) <= u < t(k+1),
// the last key in the last step), at τ = u − t(k), s = τ/h, h = t(k+1) − t(k).
// On that step the rotation is q(k) ⊗ exp(r(τ)), r a rotation vector:
//   'slerp'   r = v·s, v the rotation vector of q(k)* ⊗ q(k+1) (the shorter
//             way): the great arc at constant rate v/h, whatever the angle
//             (no blend for close keys); ω = v/h, ω̇ = 0.
//   'spline'  r = τ·(ω(k) + s·(e1 + s·e0)), the cubic through r(0) = 0 and
//             r(h) = v with ṙ(0) = ω(k), ṙ(h) = A(v)·ω(k+1), ω(k) the
//             spline's rates at the keys (solveSplineRates);
//             ω = J(r)·ṙ, ω̇ = J(r)·r̈ + the term quadratic in ṙ
//             (rotation_jacobian_lanes.h).
// A query equal to a key time gives that key itself, bit for bit; one
// outside [t(1), t(end)], or NaN, gives NaN.
#include "quaternion/rotation_vector_lanes.h"
#include "timeseries/rotinterp/rotation_jacobian_lanes.h"

// Where each record field lies (kSplineRecord doubles per key and joint).
namespace spline_record {
constexpr std::size_t kStep = 0;       // v(k), the rotation vector of the step
constexpr std::size_t kRate = 3;       // ω(k), the rate at key k
constexpr std::size_t kJacobian = 6;   // j1, j2, a1, n1, n2 of v(k)
constexpr std::size_t kLinear = 11;    // e1 (the solver's y(k) until it ends)
constexpr std::size_t kCubic = 14;     // e0 (the solver's 3 x 3 pivot inverse G(k) until it ends)
constexpr std::size_t kInverseStep = 23;  // 1/h(k)
}  // namespace spline_record

inline Quat conjugateOf(const Quat& q) { return Quat{q.w, -q.x, -q.y, -q.z}; }

// The spline's steps [begin, end) of one joint: v(k) and its coefficients.
inline void prepareSteps(const InterpolationCall& call, std::uint32_t joint, std::uint32_t begin, std::uint32_t end) {
  using namespace spline_record;
  const std::size_t stride = 4 * std::size_t{call.joints};
  const double* keys = call.keys + 4 * std::size_t{joint};
  double* records = call.splineRecords + kSplineRecord * std::size_t{joint} * call.keyCount;
  for (std::uint32_t k = begin; k < end; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k - begin, end - begin);
    const Quat a = loadQuaternions(keys + k * stride, stride, lanes);
    const Quat b = loadQuaternions(keys + (k + 1) * stride, stride, lanes);
    const Vec3 v = quaternionToVector(hamiltonProduct(conjugateOf(a), b));
    const JacobianCoefficients c = jacobianCoefficients(dot3(v, v));
    double* record = records + kSplineRecord * k;
    storeVectors(record + kStep, kSplineRecord, lanes, v);
    const V rows[5] = {c.j1, c.j2, c.a1, c.n1, c.n2};
    storeRows<5>(record + kJacobian, kSplineRecord, lanes, rows);
  }
}

// The right-hand sides of the spline's rows [begin, end) of one joint
// (1 <= begin, end <= n − 1), from the rates of the solution before:
//   6·(v(k−1)·(1/h(k−1))² + v(k)·(1/h(k))²) − N(v(k−1), A(v(k−1))·ω(k)),
// into the record's kLinear field (interpolate_times.cpp subtracts the
// end rows' known terms and solves). Rows are independent: one per lane.
inline void splineRightSides(const InterpolationCall& call, std::uint32_t joint, std::uint32_t begin,
                             std::uint32_t end) {
  using namespace spline_record;
  double* records = call.splineRecords + kSplineRecord * std::size_t{joint} * call.keyCount;
  for (std::uint32_t k = begin; k < end; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k - begin, end - begin);
    double* row = records + kSplineRecord * k;
    double* before = row - kSplineRecord;
    V c[5];
    loadRows<5>(before + kJacobian, kSplineRecord, lanes, c);
    const JacobianCoefficients cb{c[0], c[1], c[2], c[3], c[4]};
    V ib[1], ia[1];
    loadRows<1>(before + kInverseStep, kSplineRecord, lanes, ib);
    loadRows<1>(row + kInverseStep, kSplineRecord, lanes, ia);
    const Vec3 vb = loadVectors(before + kStep, kSplineRecord, lanes);
    const Vec3 va = loadVectors(row + kStep, kSplineRecord, lanes);
    const Vec3 rDot = applyJacobian(vb, V(-0.5), cb.a1, loadVectors(row + kRate, kSplineRecord, lanes));
    const Vec3 quadratic = accelerationTerm(vb, rDot, cb);
    const V sb = ib[0] * ib[0];
    const V sa = ia[0] * ia[0];
    storeVectors(row + kLinear, kSplineRecord, lanes,
                 Vec3{(vb.x * sb + va.x * sa) * 6.0 - quadratic.x, (vb.y * sb + va.y * sa) * 6.0 - quadratic.y,
                      (vb.z * sb + va.z * sa) * 6.0 - quadratic.z});
  }
}

// Where a query lies: its step and position, or outside.
struct QueryPlace {
  std::uint32_t step;  // k, the step's first key
  bool inside;
  bool onKey;          // the query is key `key`'s time
  std::uint32_t key;
  double tau;          // u − t(k)
  double length;       // h
};

// The step of u, from a guess (the step of the query before, or the one
// after it, for ordered queries); binary search where both miss.
inline QueryPlace placeQuery(const InterpolationCall& call, double u, std::uint32_t& guess) {
  QueryPlace place{0, false, false, 0, 0.0, 0.0};
  const std::uint32_t n = call.keyCount;
  if (n == 0 || !(u >= timeOf(call.keyTimes, 0)) || !(u <= timeOf(call.keyTimes, n - 1))) return place;
  place.inside = true;
  if (n == 1) {
    place.onKey = true;
    return place;
  }
  auto holds = [&](std::uint32_t k) {
    return timeOf(call.keyTimes, k) <= u && (u < timeOf(call.keyTimes, k + 1) || k == n - 2);
  };
  std::uint32_t k = guess < n - 1 ? guess : n - 2;
  if (!holds(k) && k + 1 < n - 1 && holds(k + 1)) k = k + 1;  // the next step: queries in order
  if (!holds(k)) {
    std::uint32_t low = 0, high = n - 1;  // t(low) <= u, and u < t(high) or high = n − 1
    while (high - low > 1) {
      const std::uint32_t middle = low + (high - low) / 2;
      if (timeOf(call.keyTimes, middle) <= u) {
        low = middle;
      } else {
        high = middle;
      }
    }
    k = low < n - 1 ? low : n - 2;
  }
  guess = k;
  const double start = timeOf(call.keyTimes, k);
  const double stop = timeOf(call.keyTimes, k + 1);
  place.step = k;
  place.onKey = u == start || u == stop;
  place.key = u == start ? k : k + 1;
  place.tau = u - start;
  place.length = stop - start;
  return place;
}

// The queries [begin, end): per block of lanes, each lane's step found and
// its data gathered, then every joint's formulas in lanes.
inline void evaluateQueries(const InterpolationCall& call, std::uint32_t begin, std::uint32_t end) {
  using namespace spline_record;
  const bool spline = call.splineRecords != nullptr;
  const std::size_t keyStride = 4 * std::size_t{call.joints};
  const std::size_t rateStride = 3 * std::size_t{call.joints};
  std::uint32_t guess = 0;
  for (std::uint32_t first = begin; first < end; first += kLanes) {
    const std::uint32_t lanes = lanesFrom(first - begin, end - begin);
    QueryPlace places[kLanes];
    double tau[kLanes] = {}, length[kLanes], onKey[kLanes] = {}, outside[kLanes] = {};
    for (std::uint32_t i = 0; i < kLanes; ++i) {
      length[i] = 1.0;
      if (i >= lanes) continue;
      places[i] = placeQuery(call, call.queries[first + i], guess);
      tau[i] = places[i].tau;
      length[i] = places[i].inside && call.keyCount > 1 ? places[i].length : 1.0;
      onKey[i] = places[i].onKey ? 1.0 : 0.0;
      outside[i] = places[i].inside ? 0.0 : 1.0;
    }
    const V tauV = load(tau), h = load(length);
    const M keyLanes = load(onKey) != 0.0;
    const M nanLanes = load(outside) != 0.0;
    const V s = tauV / h;
    for (std::uint32_t j = 0; j < call.joints; ++j) {
      // Gathered per lane: q(k), q(k+1) or the cubic, and the key itself.
      double start[4 * kLanes] = {}, next[4 * kLanes] = {}, key[4 * kLanes] = {};
      double rate[3 * kLanes] = {}, e1[3 * kLanes] = {}, e0[3 * kLanes] = {};
      const double* keys = call.keyCount > 0 ? call.keys + 4 * std::size_t{j} : nullptr;  // no keys: no data
      const double* records =
          spline ? call.splineRecords + kSplineRecord * std::size_t{j} * call.keyCount : nullptr;
      for (std::uint32_t i = 0; i < lanes; ++i) {
        if (!places[i].inside) continue;
        const std::size_t k = places[i].step;
        for (int c = 0; c < 4; ++c) key[4 * i + c] = keys[places[i].key * keyStride + c];
        if (call.keyCount == 1) continue;
        for (int c = 0; c < 4; ++c) {
          start[4 * i + c] = keys[k * keyStride + c];
          next[4 * i + c] = keys[(k + 1) * keyStride + c];
        }
        if (spline) {
          const double* record = records + kSplineRecord * k;
          for (int c = 0; c < 3; ++c) {
            rate[3 * i + c] = record[kRate + c];
            e1[3 * i + c] = record[kLinear + c];
            e0[3 * i + c] = record[kCubic + c];
          }
        }
      }
      const Quat a = loadQuaternions(start, 4, kLanes);
      const V zero(0.0);
      Vec3 r, omega{zero, zero, zero}, alpha{zero, zero, zero};
      if (!spline) {
        const Vec3 v = quaternionToVector(hamiltonProduct(conjugateOf(a), loadQuaternions(next, 4, kLanes)));
        r = Vec3{v.x * s, v.y * s, v.z * s};
        omega = Vec3{v.x / h, v.y / h, v.z / h};
        alpha = Vec3{V(0.0), V(0.0), V(0.0)};
      } else {
        const Vec3 w0 = loadVectors(rate, 3, kLanes);
        const Vec3 c1 = loadVectors(e1, 3, kLanes);
        const Vec3 c0 = loadVectors(e0, 3, kLanes);
        // r = τ(ω + s(e1 + s·e0)), ṙ = ω + s(2e1 + 3s·e0), r̈ = (2e1 + 6s·e0)/h.
        r = Vec3{tauV * (w0.x + s * (c1.x + s * c0.x)), tauV * (w0.y + s * (c1.y + s * c0.y)),
                 tauV * (w0.z + s * (c1.z + s * c0.z))};
        if (call.rates != nullptr || call.accelerations != nullptr) {
          const Vec3 rDot{w0.x + s * (c1.x * 2.0 + (s * c0.x) * 3.0), w0.y + s * (c1.y * 2.0 + (s * c0.y) * 3.0),
                          w0.z + s * (c1.z * 2.0 + (s * c0.z) * 3.0)};
          const Vec3 rDdot{(c1.x * 2.0 + (s * c0.x) * 6.0) / h, (c1.y * 2.0 + (s * c0.y) * 6.0) / h,
                           (c1.z * 2.0 + (s * c0.z) * 6.0) / h};
          const JacobianCoefficients k = jacobianCoefficients(dot3(r, r));
          omega = applyJacobian(r, k.j1, k.j2, rDot);
          const Vec3 linear = applyJacobian(r, k.j1, k.j2, rDdot);
          const Vec3 quadratic = accelerationTerm(r, rDot, k);
          alpha = Vec3{linear.x + quadratic.x, linear.y + quadratic.y, linear.z + quadratic.z};
        }
      }
      const Quat turned = hamiltonProduct(a, vectorToQuaternion(r));
      const Quat exact = loadQuaternions(key, 4, kLanes);
      const V nan(std::numeric_limits<double>::quiet_NaN());
      auto pick = [&](V value, V onKeyValue) { return select(nanLanes, nan, select(keyLanes, onKeyValue, value)); };
      // One key has no rate: NaN there too.
      auto pickRate = [&](V value) { return call.keyCount < 2 ? nan : select(nanLanes, nan, value); };
      storeQuaternions(call.rotations + first * keyStride + 4 * std::size_t{j}, keyStride, lanes,
                       Quat{pick(turned.w, exact.w), pick(turned.x, exact.x), pick(turned.y, exact.y),
                            pick(turned.z, exact.z)});
      if (call.rates != nullptr) {
        storeVectors(call.rates + first * rateStride + 3 * std::size_t{j}, rateStride, lanes,
                     Vec3{pickRate(omega.x), pickRate(omega.y), pickRate(omega.z)});
      }
      if (call.accelerations != nullptr) {
        storeVectors(call.accelerations + first * rateStride + 3 * std::size_t{j}, rateStride, lanes,
                     Vec3{pickRate(alpha.x), pickRate(alpha.y), pickRate(alpha.z)});
      }
    }
  }
}
