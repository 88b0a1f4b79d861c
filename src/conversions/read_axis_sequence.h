// The `seq` argument of eul2rot and rot2eul, read from the host: refused
// with the identifiers rotkit:<function>:seqForm, seqLetters, seqCase and
// seqRepeat unless it is a 1 x 3 char row of axis letters that
// conversions/axis_sequence.h accepts. Gateways only.
#ifndef ROTKIT_EUL2ROT_READ_AXIS_SEQUENCE_H
#define ROTKIT_EUL2ROT_READ_AXIS_SEQUENCE_H

#include "conversions/axis_sequence.h"
#include "host/host.h"

// The class and the shape are asked before the text is read: mxGetString
// is called only on a char array of exactly three characters (never
// mxGetChars, whose element type differs between MATLAB and Octave).
inline EulerAxes readAxisSequence(const Signature& f, const mxArray* seq) {
  const char* const form = "seq must be three axis letters, such as 'ZXY' (intrinsic) or 'zxy' (extrinsic).";
  if (!mxIsChar(seq) || mxGetNumberOfDimensions(seq) != 2 || mxGetM(seq) != 1 || mxGetN(seq) != 3) {
    refuse(f, "seqForm", form);
  }
  char text[4] = {};
  if (mxGetString(seq, text, sizeof text) != 0) refuse(f, "seqForm", form);
  const char letters[3] = {text[0], text[1], text[2]};
  EulerAxes axes;
  const SequenceProblem problem = parseAxisSequence(letters, axes);
  if (problem == SequenceProblem::letters) {
    refuse(f, "seqLetters", "seq must name its axes with the letters x, y and z.");
  }
  if (problem == SequenceProblem::mixedCase) {
    refuse(f, "seqCase", "seq must be all upper case (intrinsic) or all lower case (extrinsic).");
  }
  if (problem == SequenceProblem::repeated) {
    refuse(f, "seqRepeat", "seq must not repeat an axis in neighbouring places, as 'ZZX' does.");
  }
  return axes;
}

#endif
