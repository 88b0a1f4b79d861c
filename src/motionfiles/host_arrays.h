// Host arrays for the motion-file gateways: structs, cells, strings and
// matrices filled from C++ containers. Gateway code (it calls the host);
// part of the motion-file layer (file_io.h).
#ifndef ROTKIT_MOTIONFILES_HOST_ARRAYS_H
#define ROTKIT_MOTIONFILES_HOST_ARRAYS_H

#include "host/host.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace motionfiles {

// A 1 x 1 struct of the given fields, all empty until set.
inline mxArray* createStruct(const std::vector<const char*>& fields) {
  std::vector<const char*> names(fields);
  return mxCreateStructMatrix(1, 1, static_cast<int>(names.size()), names.data());
}

// A real rows x cols double matrix, zero filled.
inline mxArray* createMatrix(std::size_t rows, std::size_t cols) {
  return mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxREAL);
}

// A 1 x n double row of the given numbers.
template <typename Number>
mxArray* createRow(const std::vector<Number>& numbers) {
  mxArray* row = createMatrix(1, numbers.size());
  double* data = mxGetPr(row);
  for (std::size_t i = 0; i < numbers.size(); ++i) data[i] = static_cast<double>(numbers[i]);
  return row;
}

inline mxArray* createScalar(double value) {
  mxArray* scalar = createMatrix(1, 1);
  *mxGetPr(scalar) = value;
  return scalar;
}

// A 1 x n cell of char rows.
inline mxArray* createTextRow(const std::vector<std::string>& texts) {
  mxArray* cell = mxCreateCellMatrix(1, static_cast<mwSize>(texts.size()));
  for (std::size_t i = 0; i < texts.size(); ++i) mxSetCell(cell, static_cast<mwIndex>(i), mxCreateString(texts[i].c_str()));
  return cell;
}

// The text of a char row of the host, in UTF-8, or false when `a` is not a
// non-empty char row. Octave's chars are UTF-8 bytes already; MATLAB's are
// UTF-16, and its mxGetString gives them in the local code page (on
// Windows, a name outside it would become '?'), so MATLAB's are asked for
// in UTF-8.
inline bool readCharRow(const mxArray* a, std::string& text) {
  if (!mxIsChar(a) || mxGetNumberOfDimensions(a) != 2 || mxGetM(a) != 1 || mxGetN(a) == 0) return false;
#if !defined(HAVE_OCTAVE) && !defined(ROTKIT_EMBEDDED_HOST) && !defined(ROTKIT_OCTFILE_HOST)
  char* utf8 = mxArrayToUTF8String(a);
  if (utf8 == nullptr) return false;
  text.assign(utf8);
  mxFree(utf8);
  return true;
#else
  // A character may take up to 4 bytes in UTF-8.
  std::vector<char> buffer(4 * mxGetN(a) + 1);
  if (mxGetString(a, buffer.data(), static_cast<mwSize>(buffer.size())) != 0) return false;
  text.assign(buffer.data());
  return true;
#endif
}

} // namespace motionfiles

#endif
