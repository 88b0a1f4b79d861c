// What the fuzz targets of the conversions (eul2rot, rot2eul, vec2rot,
// rot2vec) share: the checks of the leading inputs in their documented
// order, and references computed here from the definitions in plain double
// arithmetic (turns about the axes multiplied out with <cmath>'s sine and
// cosine), against which a result is checked within a tolerance.
// Quaternions scalar first, Hamilton product.
#ifndef ROTKIT_FUZZ_CONVERSION_ORACLE_H
#define ROTKIT_FUZZ_CONVERSION_ORACLE_H

#include "conversions/axis_sequence.h"
#include "fuzz_check.h"

#include <array>
#include <cmath>
#include <string>

namespace conversion_oracle {

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// The argument counts of `f` (at most `outputs` outputs), then the class
// and size of the first input, then its row count (`rowsRefusal` unless
// it has `rows`): the outcome when one of them fails, or an Open outcome
// with rows = 0 when all pass.
inline Outcome leadingChecks(const FuzzCall& call, const Named& f, int outputs, std::size_t rows,
                             const Outcome& rowsRefusal) {
  if (call.inputs.size() < f.inputs.size()) return raises(f.function, refusal::notEnoughInputs, f.call);
  if (call.inputs.size() > f.inputs.size()) return raises(f.function, refusal::tooManyInputs, f.call);
  if (call.nlhs > outputs) return raises(f.function, refusal::tooManyOutputs, f.call);
  const FuzzArray& a = call.inputs[0];
  if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(f.function, refusal::notRealDouble, f.inputs[0]);
  if (a.sparse) return raises(f.function, refusal::sparse, f.inputs[0]);
  if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(f.function, refusal::tooLarge, f.inputs[0]);
  if (a.rows != rows) return rowsRefusal;
  return open(0, 0);
}

inline bool passed(const Outcome& o) { return o.kind == OutcomeKind::Open && o.rows == 0 && o.cols == 0; }

// The axis sequence's checks in `function`, in order; on success `axes`
// holds it.
inline Outcome sequenceChecks(const FuzzArray& seq, const std::string& function, EulerAxes& axes) {
  const std::string id = "rotkit:" + function + ":";
  if (seq.classId != mxCHAR_CLASS || seq.rows != 1 || seq.cols != 3) {
    return raises(id + "seqForm", "seq must be three axis letters, such as 'ZXY' (intrinsic) or 'zxy' (extrinsic).");
  }
  const char letters[3] = {seq.text[0], seq.text[1], seq.text[2]};
  switch (parseAxisSequence(letters, axes)) {
    case SequenceProblem::letters:
      return raises(id + "seqLetters", "seq must name its axes with the letters x, y and z.");
    case SequenceProblem::mixedCase:
      return raises(id + "seqCase", "seq must be all upper case (intrinsic) or all lower case (extrinsic).");
    case SequenceProblem::repeated:
      return raises(id + "seqRepeat", "seq must not repeat an axis in neighbouring places, as 'ZZX' does.");
    case SequenceProblem::none: break;
  }
  return open(0, 0);
}

using Quaternion = std::array<double, 4>;

inline Quaternion multiply(const Quaternion& a, const Quaternion& b) {
  return {a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3], a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2],
          a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1], a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0]};
}

inline Quaternion turn(int axis, double angle) {
  Quaternion q{std::cos(angle / 2), 0, 0, 0};
  q[1 + axis] = std::sin(angle / 2);
  return q;
}

// The rotation of Euler angles in the intrinsic form of `axes`:
// Ri(b1)·Rj(b2)·Rk(b3), the angles reversed for an extrinsic sequence.
inline Quaternion eulerReference(const double* a, const EulerAxes& axes) {
  const double b1 = axes.reversed ? a[2] : a[0];
  const double b3 = axes.reversed ? a[0] : a[2];
  return multiply(multiply(turn(axes.i, b1), turn(axes.j, a[1])), turn(axes.k, b3));
}

inline Quaternion vectorReference(const double* v) {
  const double angle = std::hypot(std::hypot(v[0], v[1]), v[2]);
  if (angle == 0) return {1, 0, 0, 0};
  const double f = std::sin(angle / 2) / angle;
  return {std::cos(angle / 2), f * v[0], f * v[1], f * v[2]};
}

inline bool allFinite(const double* x, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(x[i])) return false;
  }
  return true;
}

// True when q (any length in the range where its squares are exact enough)
// and the unit quaternion r are the same rotation within `tolerance`.
inline bool sameRotation(const double* q, const Quaternion& r, double tolerance) {
  const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  double plus = 0, minus = 0;
  for (int i = 0; i < 4; ++i) {
    plus = std::fmax(plus, std::fabs(q[i] / n - r[i]));
    minus = std::fmax(minus, std::fabs(q[i] / n + r[i]));
  }
  return std::fmin(plus, minus) <= tolerance;
}

// A quaternion whose rotation the reference can judge: finite, its length
// well inside the double range.
inline bool judgeable(const double* q) {
  if (!allFinite(q, 4)) return false;
  const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  return n > 1e-150 && n < 1e150;
}

}  // namespace conversion_oracle

#endif
