// The host array interface: the one header through which every gateway
// reaches its host (MATLAB, GNU Octave, or the embedded host of the tests).
//
// Which host is chosen by the include path: a MATLAB or Octave build finds
// the host's own mex.h, an embedded build finds host/embedded/mex.h. The
// gateways use only the operations declared there and the helpers below;
// kernels never include this file.
//
// Sizes: the host reports row and column counts at its own width (64 bits
// on every current host). The data model counts in 32 bits, so each gateway
// first makes sure a count fits (`fitsCountModel`) and then works with
// `lowBits32` of it.
#ifndef ROTKIT_HOST_H
#define ROTKIT_HOST_H

#include <mex.h>

#include "host/messages.h"
#include "parallel/worker_pool.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Counts below 2^31 fit the data model, whatever the host's width.
inline bool fitsCountModel(std::size_t hostCount) {
  return hostCount < (std::size_t{1} << 31);
}

// The low 32 bits of a host count, as the data model takes it.
inline std::uint32_t lowBits32(std::size_t hostCount) {
  return static_cast<std::uint32_t>(hostCount & 0xFFFFFFFFu);
}

// True when both counts of `a` fit the data model.
inline bool hasModelSize(const mxArray* a) {
  return fitsCountModel(mxGetM(a)) && fitsCountModel(mxGetN(a));
}

// Refuses `a` unless its data is a dense block of doubles: class double
// (real or complex; mxGetPr gives the real parts) and not sparse. Any other
// class would have its data misread, and Octave aborts on mxGetPr of a
// function handle, so this runs before anything touches the data.
inline void requireFullDouble(const mxArray* a) {
  if (!mxIsDouble(a)) mexErrMsgTxt(ROTKIT_MSG_NOT_DOUBLE);
  if (mxIsSparse(a)) mexErrMsgTxt(ROTKIT_MSG_SPARSE);
}

// Refuses `a` unless it is a real, full double array: the functions that
// take only real rotations say so, where rotblend and posechain let a
// complex input count with its real parts.
inline void requireRealFullDouble(const mxArray* a) {
  if (!mxIsDouble(a) || mxIsComplex(a)) mexErrMsgTxt(ROTKIT_MSG_NOT_REAL_DOUBLE);
  if (mxIsSparse(a)) mexErrMsgTxt(ROTKIT_MSG_SPARSE);
}

// Raises an error with an identifier, "rotkit:<function>:<reason>", that
// `try ... catch err` tells apart by err.identifier. The message is passed
// as it is (never read as a format). Every function beyond the first four
// reports its errors this way; those four keep mexErrMsgTxt and their texts.
[[noreturn]] inline void raiseError(const char* identifier, const char* message) {
  mexErrMsgIdAndTxt(identifier, "%s", message);
  // No host returns from it, but Octave's mex.h does not declare it so.
  std::abort();
}

// The argument counts of a function that returns into `ans` on a bare call
// (nlhs = 0), as MATLAB's own functions do: inputs first, then outputs.
inline void requireArgumentCounts(int nrhs, int minInputs, int maxInputs, int nlhs, int maxOutputs) {
  if (nrhs < minInputs) mexErrMsgTxt(ROTKIT_MSG_NOT_ENOUGH_INPUTS);
  if (nrhs > maxInputs) mexErrMsgTxt(ROTKIT_MSG_TOO_MANY_INPUTS);
  if (nlhs > maxOutputs) mexErrMsgTxt(ROTKIT_MSG_TOO_MANY_OUTPUTS);
}

// The column count of `a` (trailing dimensions counted as columns), once
// both of its counts are known to fit the data model.
inline std::uint32_t modelColumns(const mxArray* a) {
  if (!hasModelSize(a)) mexErrMsgTxt(ROTKIT_MSG_TOO_LARGE);
  return lowBits32(mxGetN(a));
}

// Makes sure, once per MEX file, that the host joins the kernels' worker
// threads (parallel/worker_pool.h) before it unloads the MEX file: `clear`,
// `clear mex` and leaving the host then never leave a thread running code
// that is gone. Gateways call it before their kernel. Internal linkage, so
// that every MEX file registers its own.
static inline void joinWorkersAtExit() {
  static bool registered = false;
  if (!registered) {
    mexAtExit(parallel::stopWorkers);
    registered = true;
  }
}

// The checks of the functions that report every error with an identifier,
// "rotkit:<function>:<reason>", and a message naming the argument. The
// identifier is built here from the function's name and the reason.
[[noreturn]] inline void raiseFunctionError(const char* function, const char* reason, const char* message) {
  char identifier[96];
  std::snprintf(identifier, sizeof identifier, "rotkit:%s:%s", function, reason);
  raiseError(identifier, message);
}

// requireArgumentCounts with identifiers: reasons notEnoughInputs,
// tooManyInputs, tooManyOutputs, in that order.
inline void requireArgumentCountsOf(const char* function, int nrhs, int minInputs, int maxInputs, int nlhs,
                                    int maxOutputs) {
  char text[128];
  if (nrhs < minInputs) {
    std::snprintf(text, sizeof text, "Too few inputs: %d given, at least %d needed (see help %s).", nrhs, minInputs,
                  function);
    raiseFunctionError(function, "notEnoughInputs", text);
  }
  if (nrhs > maxInputs) {
    std::snprintf(text, sizeof text, "Too many inputs: %d given, at most %d taken (see help %s).", nrhs, maxInputs,
                  function);
    raiseFunctionError(function, "tooManyInputs", text);
  }
  if (nlhs > maxOutputs) {
    std::snprintf(text, sizeof text, "Too many outputs: %d requested, at most %d given (see help %s).", nlhs,
                  maxOutputs, function);
    raiseFunctionError(function, "tooManyOutputs", text);
  }
}

// Refuses argument `name` of `function` unless it is a real, full double
// array whose two counts fit the data model: reasons notRealDouble, sparse,
// tooLarge, checked in that order before anything touches the data.
inline void requireRealFullDoubleOf(const char* function, const mxArray* a, const char* name) {
  char text[128];
  if (!mxIsDouble(a) || mxIsComplex(a)) {
    std::snprintf(text, sizeof text, "%s must be a real double array.", name);
    raiseFunctionError(function, "notRealDouble", text);
  }
  if (mxIsSparse(a)) {
    std::snprintf(text, sizeof text, "%s must be a full array; convert it with full().", name);
    raiseFunctionError(function, "sparse", text);
  }
  if (!hasModelSize(a)) {
    std::snprintf(text, sizeof text, "%s is too large: row and column counts must be below 2^31.", name);
    raiseFunctionError(function, "tooLarge", text);
  }
}

// Creates a real m x n double matrix. MATLAB's large-array API names the
// entry point mxCreateDoubleMatrix_730 and maps mxCreateDoubleMatrix onto it
// with a macro; Octave exports plain mxCreateDoubleMatrix. Going through the
// macro name serves both. Counts are widened without sign.
inline mxArray* createRealMatrix(std::uint32_t rows, std::uint32_t cols) {
  return mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxREAL);
}

// Creates a real rows x cols x pages double array. A host drops trailing
// singleton dimensions, so pages = 1 gives a rows x cols matrix.
inline mxArray* createRealArray3(std::uint32_t rows, std::uint32_t cols, std::uint32_t pages) {
  const mwSize dims[3] = {static_cast<mwSize>(rows), static_cast<mwSize>(cols), static_cast<mwSize>(pages)};
  return mxCreateNumericArray(3, dims, mxDOUBLE_CLASS, mxREAL);
}

// Creates a 1 x n logical row, all false.
inline mxArray* createLogicalRow(std::uint32_t n) {
  return mxCreateLogicalMatrix(1, static_cast<mwSize>(n));
}

#endif
