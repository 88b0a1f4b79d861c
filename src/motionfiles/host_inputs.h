// Reading a writer's inputs from the host: real double arrays, char rows,
// cells of char rows, optional struct fields. Gateway code; part of the
// motion-file layer (file_io.h).
#ifndef ROTKIT_MOTIONFILES_HOST_INPUTS_H
#define ROTKIT_MOTIONFILES_HOST_INPUTS_H

#include "host/host.h"
#include "motionfiles/host_arrays.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace motionfiles {

inline bool isRealDouble(const mxArray* a) {
  return a != nullptr && mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a);
}

inline bool isScalarStruct(const mxArray* a) { return a != nullptr && mxIsStruct(a) && mxGetNumberOfElements(a) == 1; }

// A real double matrix (two dimensions) whose counts fit the data model.
inline bool isRealMatrix(const mxArray* a) {
  return isRealDouble(a) && mxGetNumberOfDimensions(a) == 2 && hasModelSize(a);
}

// A real double scalar, its value in `value`.
inline bool readScalar(const mxArray* a, double& value) {
  if (!isRealDouble(a) || mxGetNumberOfElements(a) != 1) return false;
  value = *mxGetPr(a);
  return true;
}

// A field of a 1 x 1 struct that is there and not empty ([] counts as
// absent), or null.
inline const mxArray* presentField(const mxArray* s, const char* name) {
  const mxArray* a = mxGetField(s, 0, name);
  return a != nullptr && !mxIsEmpty(a) ? a : nullptr;
}

// A char row or an empty char array as text; false for anything else.
inline bool readText(const mxArray* a, std::string& text) {
  if (a == nullptr || !mxIsChar(a)) return false;
  if (mxGetNumberOfElements(a) == 0) {
    text.clear();
    return true;
  }
  return readCharRow(a, text);
}

// The elements of a cell that are all char rows (or empty char arrays), in
// column-major order; false for anything else.
inline bool readTexts(const mxArray* cell, std::vector<std::string>& texts) {
  if (cell == nullptr || !mxIsCell(cell)) return false;
  const std::size_t n = mxGetNumberOfElements(cell);
  texts.assign(n, std::string());
  for (std::size_t i = 0; i < n; ++i) {
    if (!readText(mxGetCell(cell, static_cast<mwIndex>(i)), texts[i])) return false;
  }
  return true;
}

} // namespace motionfiles

#endif
