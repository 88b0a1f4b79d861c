// Building a reader's result on the host: a struct that owns everything
// set into it, destroyed whole if the building stops halfway (a C++
// exception unwinds through the guard), so that a failed call leaves
// nothing behind. Gateway code; part of the motion-file layer (file_io.h).
#ifndef ROTKIT_MOTIONFILES_HOST_RESULTS_H
#define ROTKIT_MOTIONFILES_HOST_RESULTS_H

#include "host/host.h"
#include "motionfiles/host_arrays.h"

#include <cstddef>
#include <string>
#include <vector>

namespace motionfiles {

// Owns a host array until release().
class ArrayGuard {
 public:
  explicit ArrayGuard(mxArray* array = nullptr) : array_(array) {}
  ArrayGuard(const ArrayGuard&) = delete;
  ArrayGuard& operator=(const ArrayGuard&) = delete;
  ~ArrayGuard() {
    if (array_ != nullptr) mxDestroyArray(array_);
  }
  mxArray* get() const { return array_; }
  mxArray* release() {
    mxArray* array = array_;
    array_ = nullptr;
    return array;
  }

 private:
  mxArray* array_;
};

// A 1 x 1 struct of the given field names (valid and distinct).
inline mxArray* createStructOf(const std::vector<std::string>& names) {
  std::vector<const char*> pointers;
  for (const std::string& name : names) pointers.push_back(name.c_str());
  return mxCreateStructMatrix(1, 1, static_cast<int>(pointers.size()), pointers.data());
}

// A char row of `text` (a 0 x 0 char for an empty one, as '' is).
inline mxArray* createText(const std::string& text) { return mxCreateString(text.c_str()); }

// A 1 x n row of the first n numbers at `values`.
inline mxArray* createRowOf(const double* values, std::size_t n) {
  mxArray* row = createMatrix(1, n);
  double* out = mxGetPr(row);
  for (std::size_t i = 0; i < n; ++i) out[i] = values[i];
  return row;
}

} // namespace motionfiles

#endif
