// The embedded host's side for tests: building input arrays of every kind,
// calling a deliverable's mexFunction the way MATLAB does, and seeing what
// the call did (its output or its error text, and the matrices it created).
#ifndef ROTKIT_EMBEDDED_HOST_H
#define ROTKIT_EMBEDDED_HOST_H

#include "mex.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace embedded {

struct ArrayDeleter {
  void operator()(mxArray* a) const { mxDestroyArray(a); }
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

// A full real double matrix; `values` in column-major order, padded with
// zeros or cut to rows * cols.
ROTKIT_HOST_API Array makeDouble(std::size_t rows, std::size_t cols, const std::vector<double>& values = {});
// A full complex double matrix: real parts `re`, imaginary parts `im`.
ROTKIT_HOST_API Array makeComplex(std::size_t rows, std::size_t cols, const std::vector<double>& re,
                                  const std::vector<double>& im);
// A sparse double matrix holding `nonzeros` stored elements; mxGetPr gives
// just those, as a real host does.
ROTKIT_HOST_API Array makeSparse(std::size_t rows, std::size_t cols, const std::vector<double>& nonzeros);
// An array of any class, its data zero bytes of the class's element size.
ROTKIT_HOST_API Array makeOfClass(mxClassID classId, std::size_t rows, std::size_t cols);
// A double matrix with counts no memory could hold; it has no data, so a
// kernel that reads it fails loudly.
ROTKIT_HOST_API Array makeHuge(std::size_t rows, std::size_t cols);

// A full real double array of any number of dimensions (trailing ones
// count as columns), `values` in column-major order, padded with zeros.
ROTKIT_HOST_API Array makeArray(const std::vector<std::size_t>& dims, const std::vector<double>& values = {});
// A char array of `rows` rows holding `text` in column-major order (a row
// string for rows = 1), one byte per character.
ROTKIT_HOST_API Array makeChar(const std::string& text, std::size_t rows = 1);

// A 1 x 1 struct with the given fields in order (a null value: an empty
// field), and a rows x cols cell of the given elements in column-major
// order (the rest empty). Both take the arrays over.
ROTKIT_HOST_API Array makeStruct(std::vector<std::pair<std::string, Array>> fields);
ROTKIT_HOST_API Array makeCell(std::size_t rows, std::size_t cols, std::vector<Array> elements);

// Reads back a full double array, and a logical one.
ROTKIT_HOST_API std::vector<double> values(const mxArray* a);
ROTKIT_HOST_API std::vector<bool> logicals(const mxArray* a);
// The dimensions of an array, as mxGetDimensions gives them.
ROTKIT_HOST_API std::vector<std::size_t> dimensions(const mxArray* a);
// What an element of mxCreateUninitNumericMatrix holds until the gateway
// writes it: a signalling NaN whose payload no kernel makes.
ROTKIT_HOST_API double unsetElement();
// The bytes of a char array ("" for null or any other class).
ROTKIT_HOST_API std::string text(const mxArray* a);

using MexEntry = void (*)(int, mxArray*[], int, const mxArray*[]);

struct Warning {
  std::string identifier;
  std::string message;
};

struct CallResult {
  bool raised = false;          // mexErrMsgTxt or mexErrMsgIdAndTxt was called
  std::string message;          // its text
  std::string identifier;       // the identifier of mexErrMsgIdAndTxt, else empty
  Array output;                 // plhs[0] after a call that returned
  std::vector<Array> extraOutputs;  // plhs[1], plhs[2], ... up to nlhs, after a call that returned
  std::size_t created = 0;      // matrices created during the call
  std::vector<std::string> log; // the host operations called, in order
  std::vector<Warning> warnings;  // mexWarnMsgIdAndTxt's, in order
};

// Calls `entry` with nlhs and the inputs as MATLAB would. Arrays the call
// created other than its outputs (and what they hold) are freed when it ends.
ROTKIT_HOST_API CallResult call(MexEntry entry, int nlhs, const std::vector<const mxArray*>& inputs);

// Runs, and forgets, the functions registered with mexAtExit, as a host
// does when it clears the MEX files; returns how many ran.
ROTKIT_HOST_API std::size_t runAtExit();

// Loads a deliverable's shared library and returns its exported mexFunction;
// fails the process with a message when it cannot.
ROTKIT_HOST_API MexEntry loadEntry(const std::string& libraryPath);

// A deliverable loaded by loadLibrary, for the tests of unloading: one
// reference to the library (dlopen, LoadLibrary) and its mexFunction.
struct Library {
  void* handle = nullptr;
  MexEntry entry = nullptr;
};
ROTKIT_HOST_API Library loadLibrary(const std::string& libraryPath);
// Gives the reference back (dlclose, FreeLibrary), as a host does after a
// `clear` has run the library's mexAtExit functions.
ROTKIT_HOST_API void unloadLibrary(Library& library);
// Whether the library is loaded in this process now.
ROTKIT_HOST_API bool isLoaded(const std::string& libraryPath);

} // namespace embedded

#endif
