// The embedded host's MEX interface: the subset of MATLAB's mex.h/matrix.h
// that this toolbox uses (listed in host/host.h), implemented by
// libembeddedhost so that every gateway builds, runs and is tested without
// MATLAB or Octave.
//
// It mirrors MATLAB's large-array API: mwSize is 64 bits wide and
// mxCreateDoubleMatrix is a macro for the entry point
// mxCreateDoubleMatrix_730. mxGetPr gives the real parts (separate-complex
// layout). mexErrMsgTxt and mexErrMsgIdAndTxt never return: they unwind to
// the embedded host's call helper (embedded_host.h), which reports the
// message and the identifier. An array set into a struct or a cell belongs
// to it from then on: destroying the struct or cell destroys it too.
#ifndef ROTKIT_EMBEDDED_MEX_H
#define ROTKIT_EMBEDDED_MEX_H

#include <cstdarg>
#include <cstddef>

#define ROTKIT_EMBEDDED_HOST 1

// The host's operations are exported by libembeddedhost (on Windows, a
// DLL that the deliverables and tests import from); mexFunction by each
// deliverable.
#if defined(_WIN32)
#if defined(ROTKIT_BUILDING_EMBEDDED_HOST)
#define ROTKIT_HOST_API __declspec(dllexport)
#else
#define ROTKIT_HOST_API __declspec(dllimport)
#endif
#define ROTKIT_MEX_ENTRY __declspec(dllexport)
#else
#define ROTKIT_HOST_API __attribute__((visibility("default")))
#define ROTKIT_MEX_ENTRY __attribute__((visibility("default")))
#endif

typedef std::size_t mwSize;
typedef std::size_t mwIndex;
typedef struct mxArray_tag mxArray;

typedef enum {
  mxUNKNOWN_CLASS = 0,
  mxCELL_CLASS,
  mxSTRUCT_CLASS,
  mxLOGICAL_CLASS,
  mxCHAR_CLASS,
  mxVOID_CLASS,
  mxDOUBLE_CLASS,
  mxSINGLE_CLASS,
  mxINT8_CLASS,
  mxUINT8_CLASS,
  mxINT16_CLASS,
  mxUINT16_CLASS,
  mxINT32_CLASS,
  mxUINT32_CLASS,
  mxINT64_CLASS,
  mxUINT64_CLASS,
  mxFUNCTION_CLASS
} mxClassID;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

typedef bool mxLogical;

extern "C" {
ROTKIT_HOST_API bool mxIsComplex(const mxArray* a);
ROTKIT_HOST_API bool mxIsDouble(const mxArray* a);
ROTKIT_HOST_API bool mxIsSparse(const mxArray* a);
ROTKIT_HOST_API bool mxIsEmpty(const mxArray* a);
ROTKIT_HOST_API bool mxIsChar(const mxArray* a);
ROTKIT_HOST_API bool mxIsLogical(const mxArray* a);
ROTKIT_HOST_API bool mxIsStruct(const mxArray* a);
ROTKIT_HOST_API bool mxIsCell(const mxArray* a);
ROTKIT_HOST_API mxClassID mxGetClassID(const mxArray* a);
ROTKIT_HOST_API size_t mxGetM(const mxArray* a);
ROTKIT_HOST_API size_t mxGetN(const mxArray* a);
ROTKIT_HOST_API size_t mxGetNumberOfElements(const mxArray* a);
ROTKIT_HOST_API mwSize mxGetNumberOfDimensions(const mxArray* a);
ROTKIT_HOST_API const mwSize* mxGetDimensions(const mxArray* a);
// Copies a char array into buf as a C string; 0 on success, 1 when `a` is
// not char or buf is too short (buf then holds what fits).
ROTKIT_HOST_API int mxGetString(const mxArray* a, char* buf, mwSize buflen);
ROTKIT_HOST_API mxLogical* mxGetLogicals(const mxArray* a);
ROTKIT_HOST_API double* mxGetPr(const mxArray* a);
ROTKIT_HOST_API mxArray* mxCreateDoubleMatrix_730(mwSize m, mwSize n, mxComplexity flag);
ROTKIT_HOST_API mxArray* mxCreateNumericArray_730(mwSize ndim, const mwSize* dims, mxClassID classId,
                                                   mxComplexity flag);
// The same without setting the elements: the gateway writes every one.
ROTKIT_HOST_API mxArray* mxCreateUninitNumericMatrix_730(mwSize m, mwSize n, mxClassID classId, mxComplexity flag);
ROTKIT_HOST_API mxArray* mxCreateUninitNumericArray_730(mwSize ndim, const mwSize* dims, mxClassID classId,
                                                         mxComplexity flag);
ROTKIT_HOST_API mxArray* mxCreateLogicalMatrix_730(mwSize m, mwSize n);
ROTKIT_HOST_API mxArray* mxCreateString(const char* text);
// Structs: m x n, with the fields `names`; every value starts empty (null).
ROTKIT_HOST_API mxArray* mxCreateStructMatrix_730(mwSize m, mwSize n, int fieldCount, const char** names);
// The value of field `name` of element `index`; null when the field is
// missing or empty.
ROTKIT_HOST_API mxArray* mxGetField(const mxArray* a, mwIndex index, const char* name);
// Sets field `name` of element `index` (a field the struct has), which
// then owns `value`.
ROTKIT_HOST_API void mxSetField(mxArray* a, mwIndex index, const char* name, mxArray* value);
// A struct's field count (0 for any other class), and the name of field
// `number` (from 0; null beyond the last).
ROTKIT_HOST_API int mxGetNumberOfFields(const mxArray* a);
ROTKIT_HOST_API const char* mxGetFieldNameByNumber(const mxArray* a, int number);
// Cells: m x n, every element empty (null) at first.
ROTKIT_HOST_API mxArray* mxCreateCellMatrix_730(mwSize m, mwSize n);
ROTKIT_HOST_API mxArray* mxGetCell(const mxArray* a, mwIndex index);
ROTKIT_HOST_API void mxSetCell(mxArray* a, mwIndex index, mxArray* value);
ROTKIT_HOST_API void mxDestroyArray(mxArray* a);
[[noreturn]] ROTKIT_HOST_API void mexErrMsgTxt(const char* text);
// Raises an error with an identifier ("rotkit:fn:reason") and a message
// formatted as printf does.
[[noreturn]] ROTKIT_HOST_API void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...);
// Issues a warning with an identifier and a message formatted as printf
// does; it returns (a host may turn it into an error, which does not).
ROTKIT_HOST_API void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...);
// Registers a function to run when the MEX file is cleared or the host exits.
ROTKIT_HOST_API int mexAtExit(void (*function)(void));

// The entry point every deliverable exports.
ROTKIT_MEX_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);
}

#define mxCreateDoubleMatrix mxCreateDoubleMatrix_730
#define mxCreateNumericArray mxCreateNumericArray_730
#define mxCreateLogicalMatrix mxCreateLogicalMatrix_730
#define mxCreateUninitNumericMatrix mxCreateUninitNumericMatrix_730
#define mxCreateUninitNumericArray mxCreateUninitNumericArray_730
#define mxCreateStructMatrix mxCreateStructMatrix_730
#define mxCreateCellMatrix mxCreateCellMatrix_730

#endif
