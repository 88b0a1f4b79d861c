// The embedded host: a small stand-in for MATLAB's libmx/libmex that holds
// arrays in memory, keeps a log of the operations a gateway calls and turns
// mexErrMsgTxt into an unwind back to `embedded::call`.
#include "embedded_host.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct mxArray_tag {
  mxClassID classId = mxDOUBLE_CLASS;
  bool complex = false;
  bool sparse = false;
  bool hasData = true;
  std::size_t rows = 0;
  std::size_t cols = 0;
  std::vector<double> real;          // double class: real parts or nonzeros
  std::vector<double> imag;          // complex double: imaginary parts
  std::vector<unsigned char> bytes;  // any other class
};

namespace {

// The error that mexErrMsgTxt raises; caught only by embedded::call.
struct HostError {
  std::string message;
};

struct CallRecord {
  bool active = false;
  std::vector<mxArray*> created;
  std::vector<std::string> log;
};

CallRecord record;

void logCall(const char* operation) {
  if (record.active) record.log.emplace_back(operation);
}

std::size_t elementSize(mxClassID classId) {
  switch (classId) {
    case mxDOUBLE_CLASS:
    case mxINT64_CLASS:
    case mxUINT64_CLASS:
      return 8;
    case mxSINGLE_CLASS:
    case mxINT32_CLASS:
    case mxUINT32_CLASS:
      return 4;
    case mxINT16_CLASS:
    case mxUINT16_CLASS:
    case mxCHAR_CLASS:
      return 2;
    case mxCELL_CLASS:
    case mxSTRUCT_CLASS:
    case mxFUNCTION_CLASS:
      return sizeof(void*);
    default:
      return 1;
  }
}

} // namespace

extern "C" {

bool mxIsComplex(const mxArray* a) {
  logCall("mxIsComplex");
  return a->complex;
}

bool mxIsDouble(const mxArray* a) {
  logCall("mxIsDouble");
  return a->classId == mxDOUBLE_CLASS;
}

bool mxIsSparse(const mxArray* a) {
  logCall("mxIsSparse");
  return a->sparse;
}

bool mxIsEmpty(const mxArray* a) {
  logCall("mxIsEmpty");
  return a->rows == 0 || a->cols == 0;
}

mxClassID mxGetClassID(const mxArray* a) {
  logCall("mxGetClassID");
  return a->classId;
}

size_t mxGetM(const mxArray* a) {
  logCall("mxGetM");
  return a->rows;
}

size_t mxGetN(const mxArray* a) {
  logCall("mxGetN");
  return a->cols;
}

size_t mxGetNumberOfElements(const mxArray* a) {
  logCall("mxGetNumberOfElements");
  return a->rows * a->cols;
}

double* mxGetPr(const mxArray* a) {
  logCall("mxGetPr");
  if (a->classId != mxDOUBLE_CLASS) {
    // Real hosts misbehave here (Octave aborts on a function handle): a
    // gateway must test the class before it touches the data.
    std::fprintf(stderr, "embedded host: mxGetPr on an array that is not double\n");
    std::abort();
  }
  if (!a->hasData) return nullptr;
  return const_cast<double*>(a->real.data());
}

mxArray* mxCreateDoubleMatrix_730(mwSize m, mwSize n, mxComplexity flag) {
  logCall("mxCreateDoubleMatrix_730");
  auto* a = new mxArray_tag;
  a->rows = m;
  a->cols = n;
  a->complex = flag == mxCOMPLEX;
  a->real.assign(m * n, 0.0);
  if (a->complex) a->imag.assign(m * n, 0.0);
  if (record.active) record.created.push_back(a);
  return a;
}

void mxDestroyArray(mxArray* a) { delete a; }

void mexErrMsgTxt(const char* text) {
  logCall("mexErrMsgTxt");
  throw HostError{text};
}

} // extern "C"

namespace embedded {

Array makeDouble(std::size_t rows, std::size_t cols, const std::vector<double>& values) {
  Array a(new mxArray_tag);
  a->rows = rows;
  a->cols = cols;
  a->real = values;
  a->real.resize(rows * cols, 0.0);
  return a;
}

Array makeComplex(std::size_t rows, std::size_t cols, const std::vector<double>& re,
                  const std::vector<double>& im) {
  Array a = makeDouble(rows, cols, re);
  a->complex = true;
  a->imag = im;
  a->imag.resize(rows * cols, 0.0);
  return a;
}

Array makeSparse(std::size_t rows, std::size_t cols, const std::vector<double>& nonzeros) {
  Array a(new mxArray_tag);
  a->rows = rows;
  a->cols = cols;
  a->sparse = true;
  a->real = nonzeros;
  return a;
}

Array makeOfClass(mxClassID classId, std::size_t rows, std::size_t cols) {
  if (classId == mxDOUBLE_CLASS) return makeDouble(rows, cols);
  Array a(new mxArray_tag);
  a->classId = classId;
  a->rows = rows;
  a->cols = cols;
  a->bytes.assign(rows * cols * elementSize(classId), 0);
  return a;
}

Array makeHuge(std::size_t rows, std::size_t cols) {
  Array a(new mxArray_tag);
  a->rows = rows;
  a->cols = cols;
  a->hasData = false;
  return a;
}

std::vector<double> values(const mxArray* a) { return a->real; }

CallResult call(MexEntry entry, int nlhs, const std::vector<const mxArray*>& inputs) {
  CallResult result;
  mxArray* plhs[8] = {};
  record = CallRecord{};
  record.active = true;
  try {
    entry(nlhs, plhs, static_cast<int>(inputs.size()), const_cast<const mxArray**>(inputs.data()));
  } catch (const HostError& error) {
    result.raised = true;
    result.message = error.message;
  }
  record.active = false;
  result.created = record.created.size();
  result.log = std::move(record.log);
  // What a failed call created is the host's to free; so is everything but
  // the first output of a call that returned.
  for (mxArray* a : record.created) {
    if (!result.raised && a == plhs[0]) {
      result.output.reset(a);
    } else {
      delete a;
    }
  }
  record.created.clear();
  return result;
}

MexEntry loadEntry(const std::string& libraryPath) {
  void* library = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "embedded host: cannot load %s: %s\n", libraryPath.c_str(), dlerror());
    std::exit(2);
  }
  void* symbol = dlsym(library, "mexFunction");
  if (symbol == nullptr) {
    std::fprintf(stderr, "embedded host: %s exports no mexFunction\n", libraryPath.c_str());
    std::exit(2);
  }
  MexEntry entry;
  std::memcpy(&entry, &symbol, sizeof entry);
  return entry;
}

} // namespace embedded
