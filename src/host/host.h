// The host array interface: the one header through which every gateway
// reaches its host (MATLAB, GNU Octave, or the embedded host of the tests).
//
// Which host is chosen by the include path: a MATLAB or Octave MEX build
// finds the host's own mex.h, an oct-file build host/octave/mex.h (Octave's
// native interface), an embedded build host/embedded/mex.h. The
// gateways use only the operations declared there and the helpers below;
// kernels never include this file.
//
// The host operations, the whole set (a binding to another host implements
// exactly these):
//   inspecting  mxIsDouble mxIsComplex mxIsSparse mxIsEmpty mxIsChar
//               mxIsLogical mxIsStruct mxIsCell mxGetClassID mxGetM mxGetN
//               mxGetNumberOfElements mxGetNumberOfDimensions mxGetDimensions
//   reading     mxGetPr mxGetLogicals mxGetString mxGetField mxGetCell
//               mxGetNumberOfFields mxGetFieldNameByNumber
//               (MATLAB alone: mxArrayToUTF8String mxFree, for file names)
//   creating    mxCreateDoubleMatrix mxCreateNumericArray (double)
//               mxCreateLogicalMatrix mxCreateString mxCreateStructMatrix
//               mxCreateCellMatrix, and mxSetField mxSetCell (the struct or
//               cell then owns the value), mxDestroyArray
//   the call    mexErrMsgTxt mexErrMsgIdAndTxt (neither returns)
//               mexWarnMsgIdAndTxt mexAtExit
// An error unwinds (or jumps) through the gateway's frames: a gateway raises
// only once every C++ object it holds with resources is gone.
//
// Sizes: the host reports row and column counts at its own width (64 bits
// on every current host). The data model counts in 32 bits, so each gateway
// first makes sure a count fits (`fitsCountModel`) and then works with
// `lowBits32` of it.
#ifndef ROTKIT_HOST_H
#define ROTKIT_HOST_H

#include <mex.h>

#include "host/messages.h"
#include "host/refusals.h"
#include "parallel/worker_pool.h"

#include <cstddef>
#include <cstdint>
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

// rotblend's and posechain's refusal, with the original four's texts: `a`
// must hold a dense block of doubles, class double (real or complex;
// mxGetPr gives the real parts) and not sparse. Any other class would have
// its data misread, and Octave aborts on mxGetPr of a function handle, so
// this runs before anything touches the data.
inline void requireFullDouble(const mxArray* a) {
  if (!mxIsDouble(a)) mexErrMsgTxt(ROTKIT_MSG_NOT_DOUBLE);
  if (mxIsSparse(a)) mexErrMsgTxt(ROTKIT_MSG_SPARSE);
}

// Raises an error with an identifier, "rotkit:<function>:<reason>", that
// `try ... catch err` tells apart by err.identifier. The message is passed
// as it is (never read as a format). Every function beyond the original
// four reports its errors this way, through the helpers below or directly
// for refusals of its own; those four keep mexErrMsgTxt and their texts.
[[noreturn]] inline void raiseError(const char* identifier, const char* message) {
  mexErrMsgIdAndTxt(identifier, "%s", message);
  // Never reached: every host unwinds out of mexErrMsgIdAndTxt, but
  // Octave's mex.h does not declare it [[noreturn]].
  std::abort();
}

// A function beyond the original four, as its refusals name it.
struct Signature {
  const char* name;  // "rotapply": its identifiers are rotkit:rotapply:<reason>
  const char* call;  // "V2 = rotapply(Q, V)": shown when an argument count is wrong
};

// Raises a refusal of host/refusals.h for `f`, about `subject`. The texts
// are composed on the stack: nothing is left behind when the host unwinds.
[[noreturn]] inline void refuse(const Signature& f, const SharedRefusal& r, const char* subject) {
  char identifier[96];
  char message[256];
  refusal::composeIdentifier(identifier, sizeof identifier, f.name, r.reason);
  refusal::composeMessage(message, sizeof message, r, subject);
  raiseError(identifier, message);
}

// Raises "rotkit:<f.name>:<reason>" with `message` as it is: for the
// refusals of code that several functions share (the axis sequence of
// eul2rot and rot2eul); a gateway raises its own with raiseError.
[[noreturn]] inline void refuse(const Signature& f, const char* reason, const char* message) {
  char identifier[96];
  refusal::composeIdentifier(identifier, sizeof identifier, f.name, reason);
  raiseError(identifier, message);
}

// The argument counts of a function that returns into `ans` on a bare call
// (nlhs = 0), as MATLAB's own functions do: inputs first, then outputs.
inline void requireArgumentCounts(const Signature& f, int nrhs, int minInputs, int maxInputs, int nlhs,
                                  int maxOutputs) {
  if (nrhs < minInputs) refuse(f, refusal::notEnoughInputs, f.call);
  if (nrhs > maxInputs) refuse(f, refusal::tooManyInputs, f.call);
  if (nlhs > maxOutputs) refuse(f, refusal::tooManyOutputs, f.call);
}

// Refuses the argument `a`, called `name` in the messages, unless it is a
// real, full double array: the functions that take only real rotations say
// so, where rotblend and posechain let a complex input count with its real
// parts. Runs before anything touches the data.
inline void requireRealFullDouble(const Signature& f, const mxArray* a, const char* name) {
  if (!mxIsDouble(a) || mxIsComplex(a)) refuse(f, refusal::notRealDouble, name);
  if (mxIsSparse(a)) refuse(f, refusal::sparse, name);
}

// The column count of the argument `a` (trailing dimensions counted as
// columns), once both of its counts are known to fit the data model.
inline std::uint32_t modelColumns(const Signature& f, const mxArray* a, const char* name) {
  if (!hasModelSize(a)) refuse(f, refusal::tooLarge, name);
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

// Creates a real m x n double matrix. MATLAB's large-array API names the
// entry point mxCreateDoubleMatrix_730 and maps mxCreateDoubleMatrix onto it
// with a macro; Octave exports plain mxCreateDoubleMatrix. Going through the
// macro name serves both. Counts are widened without sign.
inline mxArray* createRealMatrix(std::uint32_t rows, std::uint32_t cols) {
  return mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxREAL);
}

// Creates a real rows x cols double matrix whose elements are not set, for
// an output whose every element the kernel writes: the functions beyond
// the original four create theirs so, which spares the host's zero fill
// (the original four keep mxCreateDoubleMatrix, which their contract
// names). The tests and the input sweep run under valgrind's check for
// uninitialised values, so an element a kernel misses cannot hide.
inline mxArray* createUninitRealMatrix(std::uint32_t rows, std::uint32_t cols) {
  return mxCreateUninitNumericMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxDOUBLE_CLASS, mxREAL);
}

// Creates a real rows x cols x pages double array. A host drops trailing
// singleton dimensions, so pages = 1 gives a rows x cols matrix.
inline mxArray* createRealArray3(std::uint32_t rows, std::uint32_t cols, std::uint32_t pages) {
  const mwSize dims[3] = {static_cast<mwSize>(rows), static_cast<mwSize>(cols), static_cast<mwSize>(pages)};
  return mxCreateNumericArray(3, dims, mxDOUBLE_CLASS, mxREAL);
}

// createRealArray3 without the zero fill (see createUninitRealMatrix).
inline mxArray* createUninitRealArray3(std::uint32_t rows, std::uint32_t cols, std::uint32_t pages) {
  const mwSize dims[3] = {static_cast<mwSize>(rows), static_cast<mwSize>(cols), static_cast<mwSize>(pages)};
  return mxCreateUninitNumericArray(3, dims, mxDOUBLE_CLASS, mxREAL);
}

// Creates a 1 x n logical row, all false.
inline mxArray* createLogicalRow(std::uint32_t n) {
  return mxCreateLogicalMatrix(1, static_cast<mwSize>(n));
}

// Issues a warning with an identifier ("rotkit:<function>:<reason>"); the
// message is passed as it is. The user may have made the warning an error,
// which then leaves the gateway as raiseError does: call it last, with
// nothing of the gateway's own left to free.
inline void raiseWarning(const char* identifier, const char* message) {
  mexWarnMsgIdAndTxt(identifier, "%s", message);
}

#endif
