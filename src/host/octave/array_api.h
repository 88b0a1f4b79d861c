// The host operations of host/host.h over Octave's own values (octave_value),
// declared on the binding's array type: the gateway sees them through
// host/octave/mex.h, which names that type mxArray; the binding's
// implementation (octave_host.cpp) sees Octave's headers, which declare an
// mxArray class of their own, and so uses the type's own name.
//
// The types of counts, classes and logicals are those of Octave's MEX
// interface (octave/mxtypes.h), so a gateway compiles here exactly as it
// does against Octave's mex.h. Everything has C++ linkage and hidden
// visibility: nothing here can bind to Octave's exported MEX functions, and
// no two oct-files share a symbol.
#ifndef ROTKIT_HOST_OCTAVE_ARRAY_API_H
#define ROTKIT_HOST_OCTAVE_ARRAY_API_H

#include <octave/mxtypes.h>

#include <cstddef>

#define ROTKIT_OCTAVE_HIDDEN __attribute__((visibility("hidden")))

namespace rotkit_octave {
// An array of a call: a view of a value the caller passed (or of an element
// of one), or one the gateway created, which the call owns until it ends.
class ROTKIT_OCTAVE_HIDDEN HostArray;
} // namespace rotkit_octave

#define ROTKIT_OCTAVE_API ROTKIT_OCTAVE_HIDDEN

using rotkit_octave::HostArray;

ROTKIT_OCTAVE_API bool mxIsComplex(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsDouble(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsSparse(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsEmpty(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsChar(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsLogical(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsStruct(const HostArray* a);
ROTKIT_OCTAVE_API bool mxIsCell(const HostArray* a);
ROTKIT_OCTAVE_API mxClassID mxGetClassID(const HostArray* a);
ROTKIT_OCTAVE_API std::size_t mxGetM(const HostArray* a);
ROTKIT_OCTAVE_API std::size_t mxGetN(const HostArray* a);
ROTKIT_OCTAVE_API std::size_t mxGetNumberOfElements(const HostArray* a);
ROTKIT_OCTAVE_API mwSize mxGetNumberOfDimensions(const HostArray* a);
ROTKIT_OCTAVE_API const mwSize* mxGetDimensions(const HostArray* a);

// The real parts of a double array (the stored elements of a sparse one);
// null for any other class.
ROTKIT_OCTAVE_API double* mxGetPr(const HostArray* a);
ROTKIT_OCTAVE_API mxLogical* mxGetLogicals(const HostArray* a);
// A char array as a C string in column-major order: 0 when it fits in
// buflen bytes with its terminator, else 1 (buf then holds what fits; a
// value of another class gives an empty string).
ROTKIT_OCTAVE_API int mxGetString(const HostArray* a, char* buf, mwSize buflen);
// Field `name` of struct element `index` (from 0) and cell element
// `index`: null when there is no such field or element, or, in an array
// the gateway created, when nothing was set there.
ROTKIT_OCTAVE_API HostArray* mxGetField(const HostArray* a, mwIndex index, const char* name);
ROTKIT_OCTAVE_API int mxGetNumberOfFields(const HostArray* a);
ROTKIT_OCTAVE_API const char* mxGetFieldNameByNumber(const HostArray* a, int number);
ROTKIT_OCTAVE_API HostArray* mxGetCell(const HostArray* a, mwIndex index);

// Creation: zero-filled, but for the uninitialised matrix, whose every
// element the gateway must write. mxCreateNumericArray and the uninitialised
// matrix take the double class only, which is all the gateways create.
ROTKIT_OCTAVE_API HostArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag);
ROTKIT_OCTAVE_API HostArray* mxCreateUninitNumericMatrix(mwSize m, mwSize n, mxClassID classId, mxComplexity flag);
ROTKIT_OCTAVE_API HostArray* mxCreateNumericArray(mwSize ndim, const mwSize* dims, mxClassID classId,
                                                  mxComplexity flag);
ROTKIT_OCTAVE_API HostArray* mxCreateUninitNumericArray(mwSize ndim, const mwSize* dims, mxClassID classId,
                                                        mxComplexity flag);
ROTKIT_OCTAVE_API HostArray* mxCreateLogicalMatrix(mwSize m, mwSize n);
ROTKIT_OCTAVE_API HostArray* mxCreateString(const char* text);
ROTKIT_OCTAVE_API HostArray* mxCreateStructMatrix(mwSize m, mwSize n, int fieldCount, const char** names);
ROTKIT_OCTAVE_API HostArray* mxCreateCellMatrix(mwSize m, mwSize n);
// The struct or cell owns `value` from then on (destroying it destroys the
// value); what the slot held before goes back to the call.
ROTKIT_OCTAVE_API void mxSetField(HostArray* a, mwIndex index, const char* name, HostArray* value);
ROTKIT_OCTAVE_API void mxSetCell(HostArray* a, mwIndex index, HostArray* value);
ROTKIT_OCTAVE_API void mxDestroyArray(HostArray* a);

// Errors and warnings reach the caller as the MEX interface gives them,
// "<function>: <message>". An error unwinds (an Octave exception) through
// the gateway to the call, which frees every array the gateway created.
[[noreturn]] ROTKIT_OCTAVE_API void mexErrMsgTxt(const char* text);
[[noreturn]] ROTKIT_OCTAVE_API void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
ROTKIT_OCTAVE_API void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// Runs `function` when the oct-file is unloaded (clear, or Octave's exit).
ROTKIT_OCTAVE_API int mexAtExit(void (*function)(void));

// The gateway of the function an oct-file serves (its <name>_gateway.cpp).
ROTKIT_OCTAVE_API void mexFunction(int nlhs, HostArray* plhs[], int nrhs, const HostArray* prhs[]);

#endif
