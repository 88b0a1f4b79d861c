// The part of the fuzz oracle that rotapply, rotnormalize, rot2mat and
// mat2rot share: the outcome of their common checks, in their order.
// The argument counts come first, then for each input in turn its class
// and complexity, sparse storage and counts beyond the 32-bit model; every
// one of these fixes the identifier and the message exactly.
#ifndef ROTKIT_FUZZ_MATRIX_ORACLE_H
#define ROTKIT_FUZZ_MATRIX_ORACLE_H

#include "fuzz_check.h"

#include <optional>

inline bool fitsModel(std::size_t count) { return count < (std::size_t{1} << 31); }

// The refusal the common checks give for `call` of `f`, if any.
inline std::optional<Outcome> commonRefusal(const FuzzCall& call, const Named& f) {
  if (call.inputs.size() < f.inputs.size()) return raises(f.function, refusal::notEnoughInputs, f.call);
  if (call.inputs.size() > f.inputs.size()) return raises(f.function, refusal::tooManyInputs, f.call);
  if (call.nlhs > 1) return raises(f.function, refusal::tooManyOutputs, f.call);
  for (std::size_t p = 0; p < call.inputs.size(); ++p) {
    const FuzzArray& a = call.inputs[p];
    if (a.classId != mxDOUBLE_CLASS || a.complex) return raises(f.function, refusal::notRealDouble, f.inputs[p]);
    if (a.sparse) return raises(f.function, refusal::sparse, f.inputs[p]);
    if (!fitsModel(a.rows) || !fitsModel(a.cols)) return raises(f.function, refusal::tooLarge, f.inputs[p]);
  }
  return std::nullopt;
}

#endif
