// emptymex(sizes, inputs...): the host's own cost of a call, for the
// end-to-end benchmark. Creates a real matrix of sizes(1) x sizes(2) as the
// output and, when sizes has four elements, a scratch matrix of sizes(3) x
// sizes(4) that the host frees at the end of the call (posechain's pattern);
// takes their data pointers, and computes nothing. The inputs after sizes
// are passed as a real call passes its own, and ignored.
//
// Built four times (bench/CMakeLists.txt): as the MEX file emptymex.mex and,
// on the oct-file binding, as the oct-file emptyoct.oct, each the empty call
// of its interface; and both again with ROTKIT_EMPTY_UNINIT defined
// (emptymex_uninit.mex, emptyoct_uninit.oct), whose output is created
// uninitialised, as the functions beyond the original four create theirs.
#include <mex.h>

#include <cstddef>

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 1 || nlhs != 1) mexErrMsgTxt("Usage: out = emptymex(sizes, inputs...)");
  const mxArray* sizes = prhs[0];
  const std::size_t count = mxGetNumberOfElements(sizes);
  if (!mxIsDouble(sizes) || mxIsComplex(sizes) || mxIsSparse(sizes) || (count != 2 && count != 4)) {
    mexErrMsgTxt("sizes must be a real double vector of 2 or 4 elements.");
  }
  const double* size = mxGetPr(sizes);
  for (std::size_t i = 0; i < count; ++i) {
    if (!(size[i] >= 0 && size[i] < 2147483648.0)) mexErrMsgTxt("sizes must lie in 0 .. 2^31 - 1.");
  }
  const mwSize rows = static_cast<mwSize>(size[0]);
  const mwSize cols = static_cast<mwSize>(size[1]);
#ifdef ROTKIT_EMPTY_UNINIT
  plhs[0] = mxCreateUninitNumericMatrix(rows, cols, mxDOUBLE_CLASS, mxREAL);
#else
  plhs[0] = mxCreateDoubleMatrix(rows, cols, mxREAL);
#endif
  volatile double* out = mxGetPr(plhs[0]);
  (void)out;
  if (count == 4) {
    mxArray* scratch = mxCreateDoubleMatrix(static_cast<mwSize>(size[2]), static_cast<mwSize>(size[3]), mxREAL);
    volatile double* scratchData = mxGetPr(scratch);
    (void)scratchData;
  }
}
