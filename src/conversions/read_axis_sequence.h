// The `seq` argument of eul2rot and rot2eul, read from the host: refused
// with the toolbox's messages (host/messages.h) unless it is a 1 x 3 char
// row of axis letters that conversions/axis_sequence.h accepts. Gateways only.
#ifndef ROTKIT_EUL2ROT_READ_AXIS_SEQUENCE_H
#define ROTKIT_EUL2ROT_READ_AXIS_SEQUENCE_H

#include "conversions/axis_sequence.h"
#include "host/host.h"

// The class and the shape are asked before the text is read: mxGetString
// is called only on a char array of exactly three characters (never
// mxGetChars, whose element type differs between MATLAB and Octave).
inline EulerAxes readAxisSequence(const mxArray* seq) {
  if (!mxIsChar(seq) || mxGetNumberOfDimensions(seq) != 2 || mxGetM(seq) != 1 || mxGetN(seq) != 3) {
    mexErrMsgTxt(ROTKIT_MSG_SEQ_FORM);
  }
  char text[4] = {};
  if (mxGetString(seq, text, sizeof text) != 0) mexErrMsgTxt(ROTKIT_MSG_SEQ_FORM);
  const char letters[3] = {text[0], text[1], text[2]};
  EulerAxes axes;
  // Not a switch: Octave's mexErrMsgTxt is not declared [[noreturn]].
  const SequenceProblem problem = parseAxisSequence(letters, axes);
  if (problem == SequenceProblem::letters) mexErrMsgTxt(ROTKIT_MSG_SEQ_LETTERS);
  if (problem == SequenceProblem::mixedCase) mexErrMsgTxt(ROTKIT_MSG_SEQ_CASE);
  if (problem == SequenceProblem::repeated) mexErrMsgTxt(ROTKIT_MSG_SEQ_REPEAT);
  return axes;
}

#endif
