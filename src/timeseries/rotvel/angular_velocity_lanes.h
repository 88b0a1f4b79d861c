// rotvel's kernel, written once and compiled for every vector path
// (simd/each_target.h): one sample per lane, quaternions scalar first.
// Results are defined bit for bit: every operation is rounded on its own in
// the order written (never a fused multiply-add), the logarithm is
// quaternion/rotation_vector_lanes.h's.
//
// The turn from sample k to k + 1 is d(k) = q(k)* ⊗ q(k+1) in the body's
// frame, q(k+1) ⊗ q(k)* in the fixed one, and r(k) its rotation vector, the
// shorter way (angle in [0, π]); a(k) = r(k) / h(k), h(k) = t(k+1) − t(k),
// is the mean rate over the step: exactly the angular velocity when it is
// constant, and that of the step's middle to second order otherwise. The
// rate at a sample is those of the steps on either side, each weighted by
// the other step's share:
//   ω(k) = a(k−1)·(h(k)/(h(k−1) + h(k))) + a(k)·(h(k−1)/(h(k−1) + h(k))),
// the middles' rates interpolated to t(k) (second order on uneven steps
// too; 0.5 and 0.5 exactly on even ones). The first and last samples take
// the line through the two nearest middles out to their own time:
//   ω(0) = a(0) + (a(0) − a(1))·(h(0)/(h(0) + h(1))),
// and the same from the end. Two samples give a(0) at both; one gives NaN.
#include "quaternion/rotation_vector_lanes.h"

// r(k) / h(k) for the `lanes` steps from column k on; `column` points at
// joint j of column k.
inline Vec3 stepRates(const double* column, std::size_t stride, std::uint32_t lanes, V step, bool world) {
  const Quat a = loadQuaternions(column, stride, lanes);
  const Quat b = loadQuaternions(column + stride, stride, lanes);
  const Quat conjugate{a.w, -a.x, -a.y, -a.z};
  const Vec3 r = quaternionToVector(world ? hamiltonProduct(b, conjugate) : hamiltonProduct(conjugate, b));
  return Vec3{r.x / step, r.y / step, r.z / step};
}

// h(k) for the `lanes` steps from k on.
inline V stepsFrom(const SampleTimes& time, std::uint32_t k, std::uint32_t lanes) {
  if (time.times == nullptr) return V(time.interval);
  return loadRow(time.times + k + 1, lanes) - loadRow(time.times + k, lanes);
}

// A sample at an end: a0 + (a0 − a1)·share, per component.
inline void endRate(const double* a0, const double* a1, double share, double* out) {
  for (int c = 0; c < 3; ++c) out[c] = a0[c] + (a0[c] - a1[c]) * share;
}

// Samples [begin, end) of every joint.
inline void angularVelocityRange(const double* q, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                                 bool world, std::uint32_t begin, std::uint32_t end, double* w) {
  if (begin >= end) return;
  const std::size_t qStride = 4 * std::size_t{joints};
  const std::size_t wStride = 3 * std::size_t{joints};
  for (std::uint32_t j = 0; j < joints; ++j) {
    const double* qj = q + 4 * std::size_t{j};
    double* wj = w + 3 * std::size_t{j};
    if (count == 1) {
      for (int c = 0; c < 3; ++c) wj[c] = std::numeric_limits<double>::quiet_NaN();
      continue;
    }
    // The rates of the steps, each computed alike wherever it is needed.
    double rates[3 * (kLanes + 1)];
    auto oneRate = [&](std::uint32_t k, double* out) {
      storeVectors(out, 3, 1, stepRates(qj + k * qStride, qStride, 1, stepsFrom(time, k, 1), world));
    };
    if (begin == 0 || end == count) {
      // The ends: a(0) (a(N−2)), and a(1) (a(N−3)) beside it.
      for (int side = 0; side < 2; ++side) {
        if ((side == 0 && begin != 0) || (side == 1 && end != count)) continue;
        const std::uint32_t step = side == 0 ? 0 : count - 2;
        double* out = side == 0 ? wj : wj + (count - 1) * wStride;
        oneRate(step, out);
        if (count == 2) continue;
        const std::uint32_t inner = side == 0 ? 1 : count - 3;
        double a0[3], a1[3];
        oneRate(step, a0);
        oneRate(inner, a1);
        const double h = stepAfter(time, step);
        endRate(a0, a1, h / (h + stepAfter(time, inner)), out);
      }
    }
    // Interior samples k in [first, stop): a(k−1) and a(k).
    const std::uint32_t first = begin == 0 ? 1 : begin;
    const std::uint32_t stop = end == count ? count - 1 : end;
    if (first >= stop) continue;
    oneRate(first - 1, rates);  // the carry: a(k−1) for the first block
    for (std::uint32_t k = first; k < stop; k += kLanes) {
      const std::uint32_t lanes = lanesFrom(k - first, stop - first);
      const V after = stepsFrom(time, k, lanes);
      storeVectors(rates + 3, 3, lanes, stepRates(qj + k * qStride, qStride, lanes, after, world));
      const V before = stepsFrom(time, k - 1, lanes);
      const Vec3 previous = loadVectors(rates, 3, lanes);
      const Vec3 next = loadVectors(rates + 3, 3, lanes);
      const V span = before + after;
      const V wPrevious = after / span;
      const V wNext = before / span;
      storeVectors(wj + k * wStride, wStride, lanes,
                   Vec3{previous.x * wPrevious + next.x * wNext, previous.y * wPrevious + next.y * wNext,
                        previous.z * wPrevious + next.z * wNext});
      for (int c = 0; c < 3; ++c) rates[c] = rates[3 * lanes + c];
    }
  }
}
