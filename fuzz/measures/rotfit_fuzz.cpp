// Fuzz target for rotfit on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns Q (4 x N) and, as asked, T (3 x N) and rms
// (1 x N): per frame NaN in every row of all three, or a unit Q with
// w >= 0; NaN wherever fewer than three points are usable; and, for
// coordinates of a judgeable size, an rms that Q and T give back (computed
// here) and no larger than that of the best translation alone.
#include "conversion_oracle.h"
#include "identified_oracle.h"

#include <cctype>

namespace {

using namespace identified_oracle;

const Named kRotfit{"rotfit", "[Q, T, rms] = rotfit(A, B), rotfit(A, B, W) or rotfit(..., 'translation', false)",
                    {"A", "B", "W"}};

bool isTranslation(const FuzzArray& a) {
  if (a.classId != mxCHAR_CLASS || a.rows != 1 || a.text.size() != 11) return false;
  for (std::size_t i = 0; i < 11; ++i) {
    if (std::tolower(static_cast<unsigned char>(a.text[i])) != "translation"[i]) return false;
  }
  return true;
}

Outcome expectedOutcome(const FuzzCall& call) {
  Outcome o = countChecks(call, kRotfit, 2, 5, 3);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = classChecks(call, kRotfit, i);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = sizeChecks(call, kRotfit, i);
  if (!passed(o)) return o;
  const FuzzArray& a = call.inputs[0];
  const FuzzArray& b = call.inputs[1];
  if (b.rows % 3 != 0) {
    return raises("rotkit:rotfit:pointRows",
                  "B must have 3 rows per point (a multiple of 3): point m's (x, y, z) in rows 3m-2 to 3m.");
  }
  if (a.rows != b.rows) {
    return raises("rotkit:rotfit:aRows", "A must have the rows of B, 3 per point: " + std::to_string(b.rows) + ".");
  }
  const std::size_t frames = b.cols, points = b.rows / 3;
  if (a.cols != 1 && a.cols != frames) {
    return raises("rotkit:rotfit:aColumns",
                  "A must have one column (a reference cluster) or one per column of B: " + std::to_string(frames) + ".");
  }
  const bool weighted = call.inputs.size() >= 3 && call.inputs[2].classId != mxCHAR_CLASS;
  if (weighted) {
    const FuzzArray& w = call.inputs[2];
    o = classChecks(call, kRotfit, 2);
    if (passed(o)) o = sizeChecks(call, kRotfit, 2);
    if (!passed(o)) return o;
    if (w.huge && w.rows * w.cols == points && (w.rows == 1 || w.cols == 1)) return returnsShape(4, frames);
    o = weightChecks("rotfit", w, points, "point");
    if (!passed(o)) return o;
  }
  for (std::size_t i = weighted ? 3 : 2; i < call.inputs.size(); i += 2) {
    if (!isTranslation(call.inputs[i])) {
      return raises("rotkit:rotfit:option",
                    "Options come as name-value pairs after A, B and W; the one option is 'translation'.");
    }
    if (i + 1 >= call.inputs.size()) return raises("rotkit:rotfit:optionValue", "'translation' needs a value: true or false.");
    return open(4, frames);  // the value's checks: left to the gateway's tests
  }
  return returnsShape(4, frames);
}

bool usable(const double* a, const double* b, double weight) {
  return weight > 0 && conversion_oracle::allFinite(a, 3) && conversion_oracle::allFinite(b, 3);
}

// Calls f(a_m, b_m, w_m) for the usable points of frame k of the call.
template <class F>
void forUsablePoints(const FuzzCall& call, std::size_t k, const F& f) {
  const FuzzArray& a = call.inputs[0];
  const FuzzArray& b = call.inputs[1];
  const bool weighted = call.inputs.size() >= 3 && call.inputs[2].classId != mxCHAR_CLASS;
  const std::size_t points = b.rows / 3;
  for (std::size_t m = 0; m < points; ++m) {
    const double* am = &a.values[3 * points * (a.cols > 1 ? k : 0) + 3 * m];
    const double* bm = &b.values[3 * points * k + 3 * m];
    const double w = weighted ? call.inputs[2].values[m] : 1.0;
    if (usable(am, bm, w)) f(am, bm, w);
  }
}

void checkFrames(const FuzzCall& call, const embedded::CallResult& result) {
  const FuzzArray& a = call.inputs[0];
  const FuzzArray& b = call.inputs[1];
  const bool weighted = call.inputs.size() >= 3 && call.inputs[2].classId != mxCHAR_CLASS;
  if (a.huge || b.huge || (weighted && call.inputs[2].huge) || call.inputs.size() > (weighted ? 3u : 2u)) return;
  const std::vector<double> q = embedded::values(result.output.get());
  const std::vector<double> t = call.nlhs >= 2 ? embedded::values(result.extraOutputs[0].get()) : std::vector<double>{};
  const std::vector<double> rms = call.nlhs >= 3 ? embedded::values(result.extraOutputs[1].get()) : std::vector<double>{};
  for (std::size_t k = 0; k < b.cols; ++k) {
    const std::string frame = "frame " + std::to_string(k);
    const double* qk = &q[4 * k];
    const bool nan = std::isnan(qk[0]);
    for (int i = 0; i < 4; ++i) {
      if (std::isnan(qk[i]) != nan) reportFinding(call, frame + ": NaN in some rows of Q only");
    }
    for (std::size_t i = 0; i < t.size() / b.cols; ++i) {
      if (std::isnan(t[3 * k + i]) != nan) reportFinding(call, frame + ": T and Q disagree on NaN");
    }
    if (!rms.empty() && std::isnan(rms[k]) != nan) reportFinding(call, frame + ": rms and Q disagree on NaN");
    std::size_t count = 0;
    bool judgeable = true;
    double size = 0, weights = 0, ca[3] = {0, 0, 0}, cb[3] = {0, 0, 0};
    forUsablePoints(call, k, [&](const double* am, const double* bm, double w) {
      ++count;
      judgeable = judgeable && w > 1e-6 && w < 1e6;
      for (int i = 0; i < 3; ++i) {
        size = std::fmax(size, std::fmax(std::fabs(am[i]), std::fabs(bm[i])));
        judgeable = judgeable && (am[i] == 0 || std::fabs(am[i]) > 1e-100) && (bm[i] == 0 || std::fabs(bm[i]) > 1e-100);
        ca[i] += w * am[i];
        cb[i] += w * bm[i];
      }
      weights += w;
    });
    if (count < 3 && !nan) reportFinding(call, frame + ": a rotation from fewer than three points");
    if (nan) continue;
    const double n2 = qk[0] * qk[0] + qk[1] * qk[1] + qk[2] * qk[2] + qk[3] * qk[3];
    if (!(std::fabs(n2 - 1) < 1e-14) || std::signbit(qk[0])) reportFinding(call, frame + ": Q not unit with w >= 0");
    if (rms.empty() || !judgeable || !(size < 1e100)) continue;
    // The rms of Q and T, and of the identity with the centroids' offset.
    const conversion_oracle::Quaternion r{qk[0], qk[1], qk[2], qk[3]}, c{qk[0], -qk[1], -qk[2], -qk[3]};
    double sum = 0, still = 0;
    forUsablePoints(call, k, [&](const double* am, const double* bm, double w) {
      const conversion_oracle::Quaternion p =
          conversion_oracle::multiply(conversion_oracle::multiply(r, {0, am[0], am[1], am[2]}), c);
      for (int i = 0; i < 3; ++i) {
        const double d = p[1 + i] + t[3 * k + i] - bm[i];
        const double e = (am[i] - ca[i] / weights) - (bm[i] - cb[i] / weights);
        sum += w * d * d;
        still += w * e * e;
      }
    });
    const double given = std::sqrt(sum / weights), identity = std::sqrt(still / weights);
    if (!(std::fabs(given - rms[k]) <= 1e-9 * size)) reportFinding(call, frame + ": rms is not that of Q and T");
    if (!(rms[k] <= identity + 1e-9 * size)) reportFinding(call, frame + ": the identity fits better than Q");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  const Outcome expected = expectedOutcome(call);
  // A huge B of no points asks for outputs of billions of frames, which a
  // real host would try to make: not a call to make here.
  const bool mustRaise = expected.kind == OutcomeKind::Raises || expected.kind == OutcomeKind::Refuses;
  if (!mustRaise && expected.cols > (std::size_t{1} << 20)) return 0;
  const std::size_t created = call.nlhs < 1 ? 1 : static_cast<std::size_t>(call.nlhs);
  const embedded::CallResult result = callAndCheck(mexFunction, call, expected, {"The value of 'translation'*"}, created);
  if (!result.raised && result.output != nullptr) checkFrames(call, result);
  return 0;
}
