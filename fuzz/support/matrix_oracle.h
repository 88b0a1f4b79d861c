// The part of the fuzz oracle that rotapply, rotnormalize, rot2mat and
// mat2rot share: the outcome of their common checks, in their order.
// MATLAB's own argument-count messages come first, then for each input in
// turn its class and complexity, sparse storage and counts beyond the
// 32-bit model; every one of these fixes the message exactly.
#ifndef ROTKIT_FUZZ_MATRIX_ORACLE_H
#define ROTKIT_FUZZ_MATRIX_ORACLE_H

#include "fuzz_check.h"
#include "host/messages.h"

#include <optional>

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// The message the common checks raise for `call`, if any.
inline std::optional<Outcome> commonRefusal(const FuzzCall& call, std::size_t inputs) {
  if (call.inputs.size() < inputs) return raises(ROTKIT_MSG_NOT_ENOUGH_INPUTS);
  if (call.inputs.size() > inputs) return raises(ROTKIT_MSG_TOO_MANY_INPUTS);
  if (call.nlhs > 1) return raises(ROTKIT_MSG_TOO_MANY_OUTPUTS);
  for (const FuzzArray& a : call.inputs) {
    if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(ROTKIT_MSG_NOT_REAL_DOUBLE);
    if (a.sparse) return raises(ROTKIT_MSG_SPARSE);
    if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(ROTKIT_MSG_TOO_LARGE);
  }
  return std::nullopt;
}

// Every message the conversions raise.
inline const MessageSet& conversionMessages() {
  static const MessageSet messages = {ROTKIT_MSG_NOT_ENOUGH_INPUTS, ROTKIT_MSG_TOO_MANY_INPUTS,
                                      ROTKIT_MSG_TOO_MANY_OUTPUTS,  ROTKIT_MSG_NOT_REAL_DOUBLE,
                                      ROTKIT_MSG_SPARSE,            ROTKIT_MSG_TOO_LARGE,
                                      ROTKIT_MSG_Q_ROWS,            ROTKIT_MSG_V_ROWS,
                                      ROTKIT_MSG_R_SHAPE,           ROTKIT_MSG_MISMATCH};
  return messages;
}

#endif
