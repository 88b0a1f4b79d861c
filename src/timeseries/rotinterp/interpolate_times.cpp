// rotinterp's kernel on every vector path of the build, the choice of the
// widest at run time, the split over worker threads, and the spline's
// rates at the keys; the formulas are timeseries/rotinterp/*_lanes.h.
#include "timeseries/rotinterp/interpolate_times.h"

#define ROTKIT_LANES_KERNEL "timeseries/rotinterp/interpolate_times_lanes.h"
#include "simd/each_target.h"

#include "parallel/worker_pool.h"

namespace {

// Queries (times joints) per thread below which a thread of its own costs
// more than it saves: a logarithm or an exponential per query.
constexpr std::uint32_t kQueriesPerThread = 8192;

// The spline's equations are solved again with the term quadratic in the
// rates taken from the last solution, as scipy's RotationSpline does, until
// no rate moves by more than kTolerance·(1 + |rate|), at most kMaxIterations
// times (scipy: 1e-9 and 10).
constexpr double kTolerance = 1e-12;
constexpr int kMaxIterations = 20;
// Rows per thread for the right-hand sides: a few dozen operations each.
constexpr std::uint32_t kRowsPerThread = 32768;

using rotkit::scalar::JacobianCoefficients;
using rotkit::scalar::Vec3;
namespace record = rotkit::scalar::spline_record;

struct Matrix3 {
  double m[9];  // row by row
};

Vec3 scaled(const Vec3& v, double f) { return Vec3{v.x * f, v.y * f, v.z * f}; }
Vec3 minus(const Vec3& a, const Vec3& b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 plus(const Vec3& a, const Vec3& b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

Vec3 times(const Matrix3& a, const Vec3& v) {
  return Vec3{(a.m[0] * v.x + a.m[1] * v.y) + a.m[2] * v.z, (a.m[3] * v.x + a.m[4] * v.y) + a.m[5] * v.z,
              (a.m[6] * v.x + a.m[7] * v.y) + a.m[8] * v.z};
}

Matrix3 times(const Matrix3& a, const Matrix3& b) {
  Matrix3 c;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      c.m[3 * i + j] = (a.m[3 * i] * b.m[j] + a.m[3 * i + 1] * b.m[3 + j]) + a.m[3 * i + 2] * b.m[6 + j];
    }
  }
  return c;
}

// f·(I − j1·[v]× + j2·[v]×²), [v]×² = v·vᵀ − |v|²·I.
Matrix3 jacobianMatrix(const Vec3& v, double j1, double j2, double f) {
  const double vv = (v.x * v.x + v.y * v.y) + v.z * v.z;
  const double s[9] = {0.0, -v.z, v.y, v.z, 0.0, -v.x, -v.y, v.x, 0.0};
  const double p[3] = {v.x, v.y, v.z};
  Matrix3 a;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const double square = p[i] * p[j] - (i == j ? vv : 0.0);
      a.m[3 * i + j] = (((i == j ? 1.0 : 0.0) - j1 * s[3 * i + j]) + j2 * square) * f;
    }
  }
  return a;
}

// The inverse by the adjugate times the reciprocal of the determinant.
Matrix3 inverse(const Matrix3& a) {
  const double* m = a.m;
  const double c0 = m[4] * m[8] - m[5] * m[7];
  const double c1 = m[5] * m[6] - m[3] * m[8];
  const double c2 = m[3] * m[7] - m[4] * m[6];
  const double reciprocal = 1.0 / ((m[0] * c0 + m[1] * c1) + m[2] * c2);
  const Matrix3 adjugate{{c0, m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4], c1, m[0] * m[8] - m[2] * m[6],
                          m[2] * m[3] - m[0] * m[5], c2, m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]}};
  Matrix3 result;
  for (int i = 0; i < 9; ++i) result.m[i] = adjugate.m[i] * reciprocal;
  return result;
}

// One joint's records, read and written field by field.
struct Records {
  double* base;
  double* at(std::uint32_t k, std::size_t field) const { return base + kSplineRecord * std::size_t{k} + field; }
  Vec3 vec(std::uint32_t k, std::size_t field) const {
    const double* p = at(k, field);
    return Vec3{p[0], p[1], p[2]};
  }
  void put(std::uint32_t k, std::size_t field, const Vec3& v) const {
    double* p = at(k, field);
    p[0] = v.x;
    p[1] = v.y;
    p[2] = v.z;
  }
  JacobianCoefficients coefficients(std::uint32_t k) const {
    const double* p = at(k, record::kJacobian);
    return JacobianCoefficients{p[0], p[1], p[2], p[3], p[4]};
  }
};

Vec3 applyA(const Vec3& v, const JacobianCoefficients& c, const Vec3& x) {
  return rotkit::scalar::applyJacobian(v, -0.5, c.a1, x);
}
Vec3 applyJ(const Vec3& v, const JacobianCoefficients& c, const Vec3& x) {
  return rotkit::scalar::applyJacobian(v, c.j1, c.j2, x);
}

}  // namespace

const KernelPaths<EvaluateQueries>& evaluateQueriesPaths() {
  static const KernelPaths<EvaluateQueries> paths = ROTKIT_KERNEL_PATHS(evaluateQueries);
  return paths;
}

const KernelPaths<SplineRightSides>& splineRightSidesPaths() {
  static const KernelPaths<SplineRightSides> paths = ROTKIT_KERNEL_PATHS(splineRightSides);
  return paths;
}

const KernelPaths<PrepareSteps>& prepareStepsPaths() {
  static const KernelPaths<PrepareSteps> paths = ROTKIT_KERNEL_PATHS(prepareSteps);
  return paths;
}

// The rates ω(1) .. ω(n−2) at the inner keys make the angular acceleration
// continuous there; ω(0) and ω(n−1) are the mean rates of the first and
// last steps (scipy's choice). Row k of the block-tridiagonal system:
//   (2/h(k−1))·J(v(k−1))·ω(k−1) + 4·(1/h(k−1) + 1/h(k))·ω(k) + (2/h(k))·A(v(k))·ω(k+1)
//     = 6·(v(k−1)/h(k−1)² + v(k)/h(k)²) − N(v(k−1), A(v(k−1))·ω(k)),
// N the quadratic term, taken from the rates of the solution before. The
// matrix is the same for every solution, so it is factored once (block
// elimination: the pivots' inverses G(k) = (D(k) − L(k)·G(k−1)·U(k−1))⁻¹,
// by the adjugate); each solution is then a forward and a backward
// substitution, ω(k) = y(k) − G(k)·U(k)·ω(k+1).
void solveSplineRates(const InterpolationCall& call, std::uint32_t joint) {
  const std::uint32_t n = call.keyCount;
  const Records records{call.splineRecords + kSplineRecord * std::size_t{joint} * n};
  auto inverseStep = [&](std::uint32_t k) { return *records.at(k, record::kInverseStep); };
  for (std::uint32_t k = 0; k + 1 < n; ++k) *records.at(k, record::kInverseStep) = 1.0 / stepAfter(call.keyTimes, k);
  records.put(0, record::kRate, scaled(records.vec(0, record::kStep), inverseStep(0)));
  const Vec3 lastRate = scaled(records.vec(n - 2, record::kStep), inverseStep(n - 2));
  records.put(n - 1, record::kRate, lastRate);
  for (std::uint32_t k = 1; k + 1 < n; ++k) {
    records.put(k, record::kRate, scaled(records.vec(k - 1, record::kStep), inverseStep(k - 1)));
  }
  auto lower = [&](std::uint32_t k) {  // L(k) = (2/h(k−1))·J(v(k−1))
    const JacobianCoefficients c = records.coefficients(k - 1);
    return jacobianMatrix(records.vec(k - 1, record::kStep), c.j1, c.j2, 2.0 * inverseStep(k - 1));
  };
  auto upperTimes = [&](std::uint32_t k, const Vec3& x) {  // U(k)·x = (2/h(k))·A(v(k))·x
    return scaled(applyA(records.vec(k, record::kStep), records.coefficients(k), x), 2.0 * inverseStep(k));
  };

  // The factors: G(k) for every inner key.
  Matrix3 previousGU{};  // G(k−1)·U(k−1)
  for (std::uint32_t k = 1; n > 2 && k + 1 < n; ++k) {
    const double diagonal = (inverseStep(k - 1) + inverseStep(k)) * 4.0;
    Matrix3 pivot{{diagonal, 0.0, 0.0, 0.0, diagonal, 0.0, 0.0, 0.0, diagonal}};
    if (k > 1) {
      const Matrix3 lgu = times(lower(k), previousGU);
      for (int i = 0; i < 9; ++i) pivot.m[i] = pivot.m[i] - lgu.m[i];
    }
    const Matrix3 g = inverse(pivot);
    std::copy(g.m, g.m + 9, records.at(k, record::kCubic));
    if (k + 2 < n) {
      const JacobianCoefficients c = records.coefficients(k);
      previousGU = times(g, jacobianMatrix(records.vec(k, record::kStep), -0.5, c.a1, 2.0 * inverseStep(k)));
    }
  }
  auto pivotInverse = [&](std::uint32_t k) {
    Matrix3 g;
    std::copy(records.at(k, record::kCubic), records.at(k, record::kCubic) + 9, g.m);
    return g;
  };

  const SplineRightSides rightSides = splineRightSidesPaths().widest();
  for (int iteration = 0; n > 2 && iteration < kMaxIterations; ++iteration) {
    // The right-hand sides in lanes (rows independent, on the worker
    // threads too), then the forward substitution in order.
    parallel::forColumns(n - 2, kRowsPerThread, [&](std::uint32_t begin, std::uint32_t end) {
      rightSides(call, joint, begin + 1, end + 1);
    });
    Vec3 previousY{0.0, 0.0, 0.0};
    for (std::uint32_t k = 1; k + 1 < n; ++k) {
      const double ib = inverseStep(k - 1);
      const Vec3 vb = records.vec(k - 1, record::kStep);
      const JacobianCoefficients cb = records.coefficients(k - 1);
      Vec3 rhs = records.vec(k, record::kLinear);
      if (k == 1) rhs = minus(rhs, scaled(applyJ(vb, cb, records.vec(0, record::kRate)), 2.0 * ib));
      if (k + 2 == n) rhs = minus(rhs, upperTimes(k, lastRate));
      if (k > 1) rhs = minus(rhs, scaled(applyJ(vb, cb, previousY), 2.0 * ib));
      previousY = times(pivotInverse(k), rhs);
      records.put(k, record::kLinear, previousY);
    }
    bool settled = true;
    Vec3 after{0.0, 0.0, 0.0};
    for (std::uint32_t k = n - 2; k >= 1; --k) {
      const Vec3 y = records.vec(k, record::kLinear);
      const Vec3 x = k + 2 < n ? minus(y, times(pivotInverse(k), upperTimes(k, after))) : y;
      const Vec3 old = records.vec(k, record::kRate);
      const double xs[3] = {x.x, x.y, x.z};
      const double olds[3] = {old.x, old.y, old.z};
      for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(xs[i] - olds[i]) <= kTolerance * (1.0 + std::fabs(xs[i])))) settled = false;
      }
      records.put(k, record::kRate, x);
      after = x;
    }
    if (settled) break;
  }

  // The cubic of each step from its end rates: e1 = 3a − 2ω(k) − ṙ(h),
  // e0 = ω(k) + ṙ(h) − 2a, a = v/h, ṙ(h) = A(v)·ω(k+1) (ω(1) for two keys).
  for (std::uint32_t k = 0; k + 1 < n; ++k) {
    const Vec3 v = records.vec(k, record::kStep);
    const Vec3 a = scaled(v, inverseStep(k));
    const Vec3 start = records.vec(k, record::kRate);
    const Vec3 endRate =
        n == 2 ? records.vec(1, record::kRate) : applyA(v, records.coefficients(k), records.vec(k + 1, record::kRate));
    records.put(k, record::kLinear, minus(minus(scaled(a, 3.0), scaled(start, 2.0)), endRate));
    records.put(k, record::kCubic, minus(plus(start, endRate), scaled(a, 2.0)));
  }
}

void interpolateTimes(const InterpolationCall& call) {
  const std::uint32_t joints = call.joints;
  const std::uint32_t perThread = kQueriesPerThread / (joints < kQueriesPerThread ? joints : kQueriesPerThread);
  if (call.splineRecords != nullptr && call.keyCount >= 2) {
    const PrepareSteps prepare = prepareStepsPaths().widest();
    parallel::forColumns(call.keyCount - 1, perThread, [&](std::uint32_t begin, std::uint32_t end) {
      for (std::uint32_t j = 0; j < joints; ++j) prepare(call, j, begin, end);
    });
    parallel::forColumns(joints, 1, [&](std::uint32_t begin, std::uint32_t end) {
      for (std::uint32_t j = begin; j < end; ++j) solveSplineRates(call, j);
    });
  }
  const EvaluateQueries evaluate = evaluateQueriesPaths().widest();
  parallel::forColumns(call.queryCount, perThread, [&](std::uint32_t begin, std::uint32_t end) {
    evaluate(call, begin, end);
  });
}
