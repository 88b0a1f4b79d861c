// Euler-angle sequences as eul2rot and rot2eul take them: three axis
// letters, upper case intrinsic (turning axes), lower case extrinsic (fixed
// axes), no two neighbours equal: the six Tait-Bryan sequences (three
// different axes, 'ZXY') and the six proper Euler ones (first and third the
// same, 'ZXZ'). Quaternions are scalar first, Hamilton product; nothing
// here touches a host or a number.
//
// Both kernels work on the intrinsic form: the extrinsic sequence 'xyz'
// with angles (a1, a2, a3) is the intrinsic 'ZYX' with (a3, a2, a1), the
// same rotation Rz(a3)·Ry(a2)·Rx(a1).
#ifndef ROTKIT_EUL2ROT_AXIS_SEQUENCE_H
#define ROTKIT_EUL2ROT_AXIS_SEQUENCE_H

// The intrinsic form of a sequence: the rotation Ri(b1)·Rj(b2)·Rk(b3) (for
// a proper Euler sequence k = i) with axes 0 = x, 1 = y, 2 = z.
struct EulerAxes {
  int i = 0;
  int j = 1;
  int k = 2;        // the third axis; i again for a proper Euler sequence
  int other = 2;    // the axis that is neither i nor j
  bool proper = false;
  // (i, j, other) in the cyclic order x, y, z: e_i·e_j = +e_other.
  bool even = true;
  // Extrinsic: the angles are (b3, b2, b1), their rows read and written in
  // reverse order.
  bool reversed = false;
};

enum class SequenceProblem { none, letters, mixedCase, repeated };

// Reads three characters (not a C string: any bytes) into `axes`, or says
// what is wrong with them, in this order: a letter other than x, y, z (either
// case), upper and lower case mixed, two neighbours the same axis.
inline SequenceProblem parseAxisSequence(const char (&text)[3], EulerAxes& axes) {
  int axis[3];
  int upper = 0;
  for (int n = 0; n < 3; ++n) {
    const char c = text[n];
    if (c >= 'X' && c <= 'Z') {
      axis[n] = c - 'X';
      ++upper;
    } else if (c >= 'x' && c <= 'z') {
      axis[n] = c - 'x';
    } else {
      return SequenceProblem::letters;
    }
  }
  if (upper != 0 && upper != 3) return SequenceProblem::mixedCase;
  if (axis[0] == axis[1] || axis[1] == axis[2]) return SequenceProblem::repeated;
  axes.reversed = upper == 0;
  axes.i = axes.reversed ? axis[2] : axis[0];
  axes.j = axis[1];
  axes.k = axes.reversed ? axis[0] : axis[2];
  axes.proper = axes.i == axes.k;
  axes.other = 3 - axes.i - axes.j;
  axes.even = axes.j == (axes.i + 1) % 3;
  return SequenceProblem::none;
}

#endif
