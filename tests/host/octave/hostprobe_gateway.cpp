// hostprobe(mode, ...): a gateway that calls every host operation of
// host/host.h and returns what it saw, built both as an oct-file on the
// binding of src/host/octave and as an Octave MEX file (tests/CMakeLists.txt),
// so that hostprobe_test.m can hold the two builds to the same answers:
//   describe(x)       a struct of everything the inspecting and reading
//                     operations say about x
//   field(s, k, name) describe of field `name` of element k (from 0), or
//                     'none'; cell(c, k) the same for a cell element
//   fields(s)         the field names, by number, in a cell
//   create            a struct of arrays of every kind the binding creates
//   uninit(m, n)      an uninitialised m x n matrix, every element written
//   destroy           a struct and a cell destroyed, then a matrix returned
//   warn(id, text)    a warning, then 1
//   error(kind, n)    an n x n output created, then an error: kind 'plain',
//                     'id' or 'newline'
//   outputs           nlhs in every output slot it has (at least one)
//   none              no output set
#include "host/host.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

mxArray* number(double value) {
  mxArray* a = mxCreateDoubleMatrix(1, 1, mxREAL);
  *mxGetPr(a) = value;
  return a;
}

mxArray* row(const double* values, std::size_t count) {
  mxArray* a = mxCreateDoubleMatrix(1, static_cast<mwSize>(count), mxREAL);
  for (std::size_t i = 0; i < count; ++i) mxGetPr(a)[i] = values[i];
  return a;
}

std::string text(const mxArray* a) {
  char buffer[64];
  return mxGetString(a, buffer, sizeof buffer) == 0 ? std::string(buffer) : std::string();
}

// Everything the inspecting and reading operations say about `a`.
mxArray* describe(const mxArray* a) {
  const char* names[] = {"classId", "m",       "n",       "numel",   "dims",    "complex", "sparse",
                         "empty",   "double",  "char",    "logical", "struct",  "cell",    "fields",
                         "string",  "stringOk", "data"};
  mxArray* s = mxCreateStructMatrix(1, 1, sizeof names / sizeof names[0], names);
  mxSetField(s, 0, "classId", number(mxGetClassID(a)));
  mxSetField(s, 0, "m", number(static_cast<double>(mxGetM(a))));
  mxSetField(s, 0, "n", number(static_cast<double>(mxGetN(a))));
  mxSetField(s, 0, "numel", number(static_cast<double>(mxGetNumberOfElements(a))));
  const mwSize ndims = mxGetNumberOfDimensions(a);
  double dims[8] = {0};
  for (mwSize d = 0; d < ndims && d < 8; ++d) dims[d] = static_cast<double>(mxGetDimensions(a)[d]);
  mxSetField(s, 0, "dims", row(dims, static_cast<std::size_t>(ndims < 8 ? ndims : 8)));
  mxSetField(s, 0, "complex", number(mxIsComplex(a)));
  mxSetField(s, 0, "sparse", number(mxIsSparse(a)));
  mxSetField(s, 0, "empty", number(mxIsEmpty(a)));
  mxSetField(s, 0, "double", number(mxIsDouble(a)));
  mxSetField(s, 0, "char", number(mxIsChar(a)));
  mxSetField(s, 0, "logical", number(mxIsLogical(a)));
  mxSetField(s, 0, "struct", number(mxIsStruct(a)));
  mxSetField(s, 0, "cell", number(mxIsCell(a)));
  // Octave's MEX interface refuses a field count of anything but a struct.
  mxSetField(s, 0, "fields", number(mxIsStruct(a) ? mxGetNumberOfFields(a) : 0));
  // A text that fits, and whether a short buffer refuses a longer one.
  char shortBuffer[4];
  mxSetField(s, 0, "stringOk", number(mxGetString(a, shortBuffer, sizeof shortBuffer) == 0));
  mxSetField(s, 0, "string", mxCreateString(text(a).c_str()));
  // The first elements: real parts (stored elements of a sparse array), or
  // logicals; touched only for a class that has them.
  const std::size_t count = mxIsSparse(a) ? 0 : (mxGetNumberOfElements(a) < 4 ? mxGetNumberOfElements(a) : 4);
  double first[4] = {0};
  if (mxIsDouble(a)) {
    for (std::size_t i = 0; i < count; ++i) first[i] = mxGetPr(a)[i];
  } else if (mxIsLogical(a)) {
    for (std::size_t i = 0; i < count; ++i) first[i] = mxGetLogicals(a)[i] ? 1 : 0;
  }
  mxSetField(s, 0, "data", row(first, mxIsDouble(a) || mxIsLogical(a) ? count : 0));
  return s;
}

mxArray* created() {
  const char* names[] = {"text", "noText", "logicals", "pages", "flat", "cell", "structs", "uninit"};
  mxArray* s = mxCreateStructMatrix(1, 1, sizeof names / sizeof names[0], names);
  mxSetField(s, 0, "text", mxCreateString("a text, 100%"));
  mxSetField(s, 0, "noText", mxCreateString(""));
  mxArray* logicals = mxCreateLogicalMatrix(2, 3);
  mxGetLogicals(logicals)[1] = true;
  mxGetLogicals(logicals)[4] = true;
  mxSetField(s, 0, "logicals", logicals);
  mxArray* pages = createRealArray3(2, 3, 4);
  for (int i = 0; i < 24; ++i) mxGetPr(pages)[i] = -i;
  mxSetField(s, 0, "pages", pages);
  mxSetField(s, 0, "flat", createRealArray3(2, 3, 1));  // 2 x 3: a trailing 1 is dropped
  mxArray* cell = mxCreateCellMatrix(1, 3);
  mxSetCell(cell, 0, mxCreateString("first"));
  mxSetCell(cell, 2, number(3));  // element 2 stays unset: []
  mxSetField(s, 0, "cell", cell);
  const char* inner[] = {"a", "b"};
  mxArray* structs = mxCreateStructMatrix(2, 1, 2, inner);
  mxSetField(structs, 1, "b", number(7));
  mxSetField(s, 0, "structs", structs);
  mxArray* uninit = createUninitRealMatrix(1, 2);
  mxGetPr(uninit)[0] = 0.5;
  mxGetPr(uninit)[1] = -0.0;
  mxSetField(s, 0, "uninit", uninit);
  return s;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 1 || !mxIsChar(prhs[0])) mexErrMsgTxt("hostprobe(mode, ...): mode must be text.");
  const std::string mode = text(prhs[0]);
  if (mode == "describe" && nrhs == 2) {
    plhs[0] = describe(prhs[1]);
  } else if ((mode == "field" && nrhs == 4) || (mode == "cell" && nrhs == 3)) {
    const mwIndex index = static_cast<mwIndex>(*mxGetPr(prhs[2]));
    const mxArray* element = mode == "field" ? mxGetField(prhs[1], index, text(prhs[3]).c_str())
                                             : mxGetCell(prhs[1], index);
    plhs[0] = element == nullptr ? mxCreateString("none") : describe(element);
  } else if (mode == "fields" && nrhs == 2 && mxIsStruct(prhs[1])) {
    const int count = mxGetNumberOfFields(prhs[1]);
    plhs[0] = mxCreateCellMatrix(1, static_cast<mwSize>(count));
    for (int f = 0; f < count; ++f) mxSetCell(plhs[0], f, mxCreateString(mxGetFieldNameByNumber(prhs[1], f)));
  } else if (mode == "create") {
    plhs[0] = created();
  } else if (mode == "uninit" && nrhs == 3) {
    const std::uint32_t m = static_cast<std::uint32_t>(*mxGetPr(prhs[1]));
    const std::uint32_t n = static_cast<std::uint32_t>(*mxGetPr(prhs[2]));
    plhs[0] = createUninitRealMatrix(m, n);
    for (std::size_t i = 0; i < std::size_t{m} * n; ++i) mxGetPr(plhs[0])[i] = static_cast<double>(i);
  } else if (mode == "destroy") {
    const char* names[] = {"a"};
    mxArray* s = mxCreateStructMatrix(1, 1, 1, names);
    mxSetField(s, 0, "a", number(1));
    mxDestroyArray(s);  // its field goes with it
    mxArray* c = mxCreateCellMatrix(2, 2);
    mxSetCell(c, 3, mxCreateString("x"));
    mxDestroyArray(c);
    plhs[0] = number(2);
  } else if (mode == "warn" && nrhs == 3) {
    mexWarnMsgIdAndTxt(text(prhs[1]).c_str(), "%s", text(prhs[2]).c_str());
    plhs[0] = number(1);
  } else if (mode == "error" && nrhs == 3) {
    const std::uint32_t n = static_cast<std::uint32_t>(*mxGetPr(prhs[2]));
    plhs[0] = createRealMatrix(n, n);  // zero-filled: every page is touched
    const std::string kind = text(prhs[1]);
    if (kind == "plain") mexErrMsgTxt("failed after creating its output.");
    if (kind == "newline") mexErrMsgTxt("failed after creating its output.\n");
    raiseError("rotkit:hostprobe:afterOutput", "failed after creating its output (100%).");
  } else if (mode == "outputs") {
    const int slots = nlhs > 1 ? nlhs : 1;
    for (int i = 0; i < slots; ++i) plhs[i] = number(nlhs);
  } else if (mode != "none") {
    mexErrMsgTxt("hostprobe: unknown mode or argument count.");
  }
}
