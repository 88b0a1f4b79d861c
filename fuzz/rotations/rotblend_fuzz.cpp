// Fuzz target for rotblend on the embedded host. Any call either raises one
// of rotblend's messages, having created nothing, or returns 4 x N, N the
// column count of t. For inputs of its data model (complex ones counting
// with their real parts) each column is the interpolation at t[i], as
// computed here from its definition: bit for bit in the linear branch. In
// the spherical branch the last bits of the sine are the implementation's
// (the reference takes <cmath>'s), so each component may lie a few ulps of
// its two terms away. The arc angle is the toolbox's own arc tangent, as
// the implementation takes it: for a huge t, an ulp of the angle would
// move the sine's argument by more than a turn.
#include "fuzz_check.h"
#include "host/messages.h"

#include <cfloat>
#include <cmath>
#include <limits>

#define ROTKIT_SCALAR_PASS_ONLY
#define ROTKIT_LANES_KERNEL "lanemath/atan2_lanes.h"
#include "simd/each_target.h"

namespace {

const MessageSet kMessages = {
    "Three inputs required.",
    "One output required.",
    ROTKIT_MSG_NOT_DOUBLE,
    ROTKIT_MSG_SPARSE,
    ROTKIT_MSG_TOO_LARGE,
    "q1 must hold at least four elements (w, x, y, z).",
    "q2 must hold at least four elements (w, x, y, z).",
    "t must hold at least one element per column.",
};

struct Reference {
  std::vector<double> values;
  std::vector<double> tolerance;
};

// A sine within an ulp or so moves each weight by a few ulps, and so the
// sum q1·w1 + p·w2 by a few ulps of its larger term, however much the two
// terms cancel. Near overflow a term may round to infinity on one side
// only: no bound there. A NaN term (from a NaN or infinite t) must give NaN.
double sphericalBound(double term1, double term2) {
  const double scale = std::fabs(term1) + std::fabs(term2);
  if (std::isnan(scale)) return 0;
  if (!(scale < DBL_MAX / 4)) return std::numeric_limits<double>::infinity();
  return 8 * DBL_EPSILON * scale + 8 * std::numeric_limits<double>::denorm_min();
}

// Each parameter from scratch: dot product, shorter-arc flip of q2, then
// the spherical formula below 0.999 or the normalised linear blend.
Reference referenceBlend(const double* q1, const double* q2, const std::vector<double>& t, std::size_t n) {
  Reference ref;
  for (std::size_t i = 0; i < n; ++i) {
    double d = ((q1[0] * q2[0] + q1[1] * q2[1]) + q1[2] * q2[2]) + q1[3] * q2[3];
    double p[4] = {q2[0], q2[1], q2[2], q2[3]};
    if (d < 0) {
      for (double& c : p) c = -c;
      d = -d;
    }
    double r[4];
    double bound[4] = {0, 0, 0, 0};
    if (std::fabs(d) < 0.999) {
      const double s = std::sqrt(1 - d * d);
      const double theta = rotkit::scalar::arcTangent2(s, d);
      const double inv = 1 / s;
      const double w1 = std::sin((1 - t[i]) * theta) * inv;
      const double w2 = std::sin(theta * t[i]) * inv;
      for (int k = 0; k < 4; ++k) {
        r[k] = q1[k] * w1 + p[k] * w2;
        bound[k] = sphericalBound(q1[k] * w1, p[k] * w2);
      }
    } else {
      double c[4];
      for (int k = 0; k < 4; ++k) c[k] = (1 - t[i]) * q1[k] + t[i] * p[k];
      const double norm = std::sqrt(((c[0] * c[0] + c[1] * c[1]) + c[2] * c[2]) + c[3] * c[3]);
      const double inv = 1 / norm;
      for (int k = 0; k < 4; ++k) r[k] = c[k] * inv;
    }
    ref.values.insert(ref.values.end(), r, r + 4);
    ref.tolerance.insert(ref.tolerance.end(), bound, bound + 4);
  }
  return ref;
}

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() != 3) return raises("Three inputs required.");
  if (call.nlhs != 1) return raises("One output required.");
  const FuzzArray& q1 = call.inputs[0];
  const FuzzArray& q2 = call.inputs[1];
  const FuzzArray& t = call.inputs[2];
  const std::size_t n = t.cols & 0xFFFFFFFFu;
  // Left to the gateway: classes other than double, sparse data, end
  // rotations shorter than four, and a t with columns but no rows.
  for (const FuzzArray* a : {&q1, &q2, &t}) {
    if (a->classId != mxDOUBLE_CLASS || a->sparse) return open(4, n);
  }
  if (elementCount(q1) < 4 || elementCount(q2) < 4) return open(4, n);
  if (t.cols >= (std::size_t{1} << 31)) return refuses();
  if (elementCount(t) < n) return open(4, n);
  if (q1.huge || q2.huge || (t.huge && n > 0)) return returnsShape(4, n);
  const Reference ref = referenceBlend(q1.values.data(), q2.values.data(), t.values, n);
  return returns(4, n, ref.values, ref.tolerance);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
