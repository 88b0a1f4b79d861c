// The fuzz targets' shared input decoder: turns the fuzzer's bytes into one
// MEX call on the embedded host, as MATLAB would make it from the prompt.
//
// The bytes choose the requested output count, the input count, and for
// each input its class, complexity, sparsity, shape and values. Values lean
// on a table of awkward doubles (signed zeros, NaN, infinities, subnormals,
// huge magnitudes, small and non-integer parent numbers); any other byte
// takes the next eight bytes as a raw double. A real full double array may
// have a third dimension (rotation matrices are 3 x 3 x N). Char arrays hold
// letters of a small alphabet (the axis letters in both cases and a few
// others), so that axis sequences, good and bad, are likely. "Huge" inputs carry counts no
// memory could hold and have no data, so a gateway that reads one crashes.
// When the bytes run out every further choice reads as zero, so any byte
// string is a valid call.
#ifndef ROTKIT_FUZZ_INPUT_H
#define ROTKIT_FUZZ_INPUT_H

#include "embedded_host.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzArray {
  embedded::Array array;
  mxClassID classId = mxDOUBLE_CLASS;
  bool complex = false;
  bool sparse = false;
  bool huge = false;           // counts beyond memory, no data
  std::size_t rows = 0;
  std::size_t cols = 0;        // every dimension after the first, as mxGetN counts them
  std::size_t width = 0;       // the second dimension alone
  std::size_t pages = 1;       // a third dimension (real full doubles only); cols includes it
  std::vector<double> values;  // double class: full data, or the stored nonzeros when sparse
  std::string text;            // char class: the characters, column-major
};

struct FuzzCall {
  int nlhs = 0;
  std::vector<FuzzArray> inputs;
};

FuzzCall decodeCall(const std::uint8_t* data, std::size_t size);

// The inputs' handles, in call order, for embedded::call.
std::vector<const mxArray*> handlesOf(const FuzzCall& call);

// True for a real, full double input with data: one that the kernels can
// read as a column-major block.
bool isPlainDouble(const FuzzArray& input);

// rows * cols, which never wraps: huge inputs pair one huge count with a
// small one.
std::size_t elementCount(const FuzzArray& input);

// One line per input, for the report of a finding.
std::string describeCall(const FuzzCall& call);

#endif
