// The embedded host's MEX interface: the subset of MATLAB's mex.h/matrix.h
// that this toolbox uses, implemented by libembeddedhost so that every
// gateway builds, runs and is tested without MATLAB or Octave.
//
// It mirrors MATLAB's large-array API: mwSize is 64 bits wide and
// mxCreateDoubleMatrix is a macro for the entry point
// mxCreateDoubleMatrix_730. mxGetPr gives the real parts (separate-complex
// layout). mexErrMsgTxt never returns: it unwinds to the embedded host's
// call helper (embedded_host.h), which reports the message.
#ifndef ROTKIT_EMBEDDED_MEX_H
#define ROTKIT_EMBEDDED_MEX_H

#include <cstddef>

#define ROTKIT_EMBEDDED_HOST 1

#define ROTKIT_HOST_API __attribute__((visibility("default")))

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

extern "C" {
ROTKIT_HOST_API bool mxIsComplex(const mxArray* a);
ROTKIT_HOST_API bool mxIsDouble(const mxArray* a);
ROTKIT_HOST_API bool mxIsSparse(const mxArray* a);
ROTKIT_HOST_API bool mxIsEmpty(const mxArray* a);
ROTKIT_HOST_API mxClassID mxGetClassID(const mxArray* a);
ROTKIT_HOST_API size_t mxGetM(const mxArray* a);
ROTKIT_HOST_API size_t mxGetN(const mxArray* a);
ROTKIT_HOST_API size_t mxGetNumberOfElements(const mxArray* a);
ROTKIT_HOST_API double* mxGetPr(const mxArray* a);
ROTKIT_HOST_API mxArray* mxCreateDoubleMatrix_730(mwSize m, mwSize n, mxComplexity flag);
ROTKIT_HOST_API void mxDestroyArray(mxArray* a);
[[noreturn]] ROTKIT_HOST_API void mexErrMsgTxt(const char* text);

// The entry point every deliverable exports.
ROTKIT_HOST_API void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);
}

#define mxCreateDoubleMatrix mxCreateDoubleMatrix_730

#endif
