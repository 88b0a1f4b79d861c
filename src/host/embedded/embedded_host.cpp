// The embedded host: a small stand-in for MATLAB's libmx/libmex that holds
// arrays in memory, keeps a log of the operations a gateway calls and turns
// mexErrMsgTxt into an unwind back to `embedded::call`. Structs and cells
// own the arrays set into them, as MATLAB's do.
#include "embedded_host.h"

#if defined(_WIN32)
#include "host/windows_names.h"
#else
#include <dlfcn.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__has_include)
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#define ROTKIT_HAS_MEMCHECK 1
#endif
#endif

struct mxArray_tag {
  mxClassID classId = mxDOUBLE_CLASS;
  bool complex = false;
  bool sparse = false;
  bool hasData = true;
  std::size_t rows = 0;
  std::size_t cols = 0;              // the product of every dimension after the first
  std::vector<mwSize> dims;          // at least two
  std::vector<double> real;          // double class: real parts or nonzeros
  std::vector<double> imag;          // complex double: imaginary parts
  std::vector<unsigned char> bytes;  // any other class
  std::vector<std::string> fieldNames;  // struct: its fields
  std::vector<mxArray*> elements;    // struct (element-major, a field each) or cell: owned, or null
  bool owned = false;                // set into a struct or cell, which destroys it

  mxArray_tag() = default;
  mxArray_tag(const mxArray_tag&) = delete;
  mxArray_tag& operator=(const mxArray_tag&) = delete;
  ~mxArray_tag() {
    for (mxArray* element : elements) delete element;
  }
};

namespace {

// The error that mexErrMsgTxt raises; caught only by embedded::call.
struct HostError {
  std::string message;
  std::string identifier;
};

struct CallRecord {
  bool active = false;
  std::vector<mxArray*> created;
  std::vector<std::string> log;
  std::vector<embedded::Warning> warnings;
};

CallRecord record;
std::vector<void (*)(void)> atExitFunctions;

// Shapes an array of the given dimensions; trailing ones after the second
// are dropped, as hosts do.
void shape(mxArray* a, std::vector<mwSize> dims) {
  while (dims.size() < 2) dims.push_back(1);
  while (dims.size() > 2 && dims.back() == 1) dims.pop_back();
  a->dims = dims;
  a->rows = dims[0];
  a->cols = 1;
  for (std::size_t i = 1; i < dims.size(); ++i) a->cols *= dims[i];
}

mxArray* newArray(std::vector<mwSize> dims) {
  auto* a = new mxArray_tag;
  shape(a, std::move(dims));
  return a;
}

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

void track(mxArray* a) {
  if (record.active) record.created.push_back(a);
}

// printf-style formatting into a string.
std::string formatted(const char* format, std::va_list args) {
  std::va_list counting;
  va_copy(counting, args);
  const int length = std::vsnprintf(nullptr, 0, format, counting);
  va_end(counting);
  std::string message(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(&message[0], message.size() + 1, format, args);
  return message;
}

// The slot of field `name` of element `index`, or null when there is none.
mxArray** fieldSlot(const mxArray* a, mwIndex index, const char* name) {
  if (a->classId != mxSTRUCT_CLASS || index >= a->rows * a->cols) return nullptr;
  for (std::size_t f = 0; f < a->fieldNames.size(); ++f) {
    if (a->fieldNames[f] == name) {
      return const_cast<mxArray**>(&a->elements[index * a->fieldNames.size() + f]);
    }
  }
  return nullptr;
}

// Hands `value` to the container's slot; what the slot held goes back to
// its creator (MATLAB leaves freeing it to the caller, too).
void giveTo(mxArray** slot, mxArray* value) {
  if (*slot != nullptr) (*slot)->owned = false;
  *slot = value;
  if (value != nullptr) value->owned = true;
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

bool mxIsChar(const mxArray* a) {
  logCall("mxIsChar");
  return a->classId == mxCHAR_CLASS;
}

bool mxIsLogical(const mxArray* a) {
  logCall("mxIsLogical");
  return a->classId == mxLOGICAL_CLASS;
}

bool mxIsStruct(const mxArray* a) {
  logCall("mxIsStruct");
  return a->classId == mxSTRUCT_CLASS;
}

bool mxIsCell(const mxArray* a) {
  logCall("mxIsCell");
  return a->classId == mxCELL_CLASS;
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

mwSize mxGetNumberOfDimensions(const mxArray* a) {
  logCall("mxGetNumberOfDimensions");
  return a->dims.size();
}

const mwSize* mxGetDimensions(const mxArray* a) {
  logCall("mxGetDimensions");
  return a->dims.data();
}

int mxGetString(const mxArray* a, char* buf, mwSize buflen) {
  logCall("mxGetString");
  if (buflen == 0) return 1;
  if (a->classId != mxCHAR_CLASS) {
    buf[0] = '\0';
    return 1;
  }
  const std::size_t count = a->rows * a->cols;
  const std::size_t copied = count < buflen - 1 ? count : buflen - 1;
  if (copied > 0) std::memcpy(buf, a->bytes.data(), copied);  // an empty array has no data
  buf[copied] = '\0';
  return copied == count ? 0 : 1;
}

mxLogical* mxGetLogicals(const mxArray* a) {
  logCall("mxGetLogicals");
  if (a->classId != mxLOGICAL_CLASS) {
    std::fprintf(stderr, "embedded host: mxGetLogicals on an array that is not logical\n");
    std::abort();
  }
  return reinterpret_cast<mxLogical*>(const_cast<unsigned char*>(a->bytes.data()));
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
  mxArray* a = newArray({m, n});
  a->complex = flag == mxCOMPLEX;
  a->real.assign(m * n, 0.0);
  if (a->complex) a->imag.assign(m * n, 0.0);
  track(a);
  return a;
}

mxArray* mxCreateNumericArray_730(mwSize ndim, const mwSize* dims, mxClassID classId, mxComplexity flag) {
  logCall("mxCreateNumericArray_730");
  if (classId != mxDOUBLE_CLASS) {
    std::fprintf(stderr, "embedded host: mxCreateNumericArray supports double only\n");
    std::abort();
  }
  mxArray* a = newArray(std::vector<mwSize>(dims, dims + ndim));
  a->complex = flag == mxCOMPLEX;
  a->real.assign(a->rows * a->cols, 0.0);
  if (a->complex) a->imag.assign(a->rows * a->cols, 0.0);
  track(a);
  return a;
}

// The elements hold a signalling NaN with a payload no kernel makes, so a
// test that reads one the gateway never wrote sees it; under valgrind they
// are marked uninitialised as well, as on a real host.
mxArray* mxCreateUninitNumericArray_730(mwSize ndim, const mwSize* dims, mxClassID classId, mxComplexity flag) {
  mxArray* a = mxCreateNumericArray_730(ndim, dims, classId, flag);
  if (record.active) record.log.back() = "mxCreateUninitNumericArray_730";  // the call above is this one
  const double unset = embedded::unsetElement();
  std::fill(a->real.begin(), a->real.end(), unset);
  std::fill(a->imag.begin(), a->imag.end(), unset);
#if ROTKIT_HAS_MEMCHECK
  VALGRIND_MAKE_MEM_UNDEFINED(a->real.data(), a->real.size() * sizeof(double));
  VALGRIND_MAKE_MEM_UNDEFINED(a->imag.data(), a->imag.size() * sizeof(double));
#endif
  return a;
}

mxArray* mxCreateUninitNumericMatrix_730(mwSize m, mwSize n, mxClassID classId, mxComplexity flag) {
  const mwSize dims[2] = {m, n};
  mxArray* a = mxCreateUninitNumericArray_730(2, dims, classId, flag);
  if (record.active) record.log.back() = "mxCreateUninitNumericMatrix_730";  // the call above is this one
  return a;
}

mxArray* mxCreateLogicalMatrix_730(mwSize m, mwSize n) {
  logCall("mxCreateLogicalMatrix_730");
  static_assert(sizeof(mxLogical) == 1, "logicals are stored one byte each");
  mxArray* a = newArray({m, n});
  a->classId = mxLOGICAL_CLASS;
  a->bytes.assign(m * n, 0);
  track(a);
  return a;
}

mxArray* mxCreateString(const char* text) {
  logCall("mxCreateString");
  const std::size_t length = std::strlen(text);
  mxArray* a = newArray({1, length});
  a->classId = mxCHAR_CLASS;
  a->bytes.assign(text, text + length);
  track(a);
  return a;
}

mxArray* mxCreateStructMatrix_730(mwSize m, mwSize n, int fieldCount, const char** names) {
  logCall("mxCreateStructMatrix_730");
  mxArray* a = newArray({m, n});
  a->classId = mxSTRUCT_CLASS;
  for (int f = 0; f < fieldCount; ++f) a->fieldNames.emplace_back(names[f]);
  a->elements.assign(m * n * a->fieldNames.size(), nullptr);
  track(a);
  return a;
}

mxArray* mxGetField(const mxArray* a, mwIndex index, const char* name) {
  logCall("mxGetField");
  mxArray** slot = fieldSlot(a, index, name);
  return slot == nullptr ? nullptr : *slot;
}

void mxSetField(mxArray* a, mwIndex index, const char* name, mxArray* value) {
  logCall("mxSetField");
  mxArray** slot = fieldSlot(a, index, name);
  if (slot == nullptr) {
    std::fprintf(stderr, "embedded host: mxSetField of a field \"%s\" the struct does not have\n", name);
    std::abort();
  }
  giveTo(slot, value);
}

int mxGetNumberOfFields(const mxArray* a) {
  logCall("mxGetNumberOfFields");
  return a->classId == mxSTRUCT_CLASS ? static_cast<int>(a->fieldNames.size()) : 0;
}

const char* mxGetFieldNameByNumber(const mxArray* a, int number) {
  logCall("mxGetFieldNameByNumber");
  if (a->classId != mxSTRUCT_CLASS || number < 0 || static_cast<std::size_t>(number) >= a->fieldNames.size()) return nullptr;
  return a->fieldNames[static_cast<std::size_t>(number)].c_str();
}

mxArray* mxCreateCellMatrix_730(mwSize m, mwSize n) {
  logCall("mxCreateCellMatrix_730");
  mxArray* a = newArray({m, n});
  a->classId = mxCELL_CLASS;
  a->elements.assign(m * n, nullptr);
  track(a);
  return a;
}

mxArray* mxGetCell(const mxArray* a, mwIndex index) {
  logCall("mxGetCell");
  if (a->classId != mxCELL_CLASS || index >= a->elements.size()) return nullptr;
  return a->elements[index];
}

void mxSetCell(mxArray* a, mwIndex index, mxArray* value) {
  logCall("mxSetCell");
  if (a->classId != mxCELL_CLASS || index >= a->elements.size()) {
    std::fprintf(stderr, "embedded host: mxSetCell outside the cell\n");
    std::abort();
  }
  giveTo(&a->elements[index], value);
}

// Forgets `a` and every array set into it: the call destroys them itself.
static void forgetCreated(const mxArray* a) {
  for (auto& created : record.created) {
    if (created == a) created = nullptr;
  }
  for (const mxArray* element : a->elements) {
    if (element != nullptr) forgetCreated(element);
  }
}

void mxDestroyArray(mxArray* a) {
  // An array the call created and destroys itself (with what it holds) is
  // no longer the host's to free.
  if (record.active) forgetCreated(a);
  delete a;
}

int mexAtExit(void (*function)(void)) {
  logCall("mexAtExit");
  atExitFunctions.push_back(function);
  return 0;
}

void mexErrMsgTxt(const char* text) {
  logCall("mexErrMsgTxt");
  throw HostError{text, ""};
}

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
  logCall("mexErrMsgIdAndTxt");
  std::va_list args;
  va_start(args, format);
  std::string message = formatted(format, args);
  va_end(args);
  throw HostError{message, identifier};
}

void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...) {
  logCall("mexWarnMsgIdAndTxt");
  std::va_list args;
  va_start(args, format);
  std::string message = formatted(format, args);
  va_end(args);
  if (record.active) record.warnings.push_back(embedded::Warning{identifier, message});
}

} // extern "C"

namespace embedded {

Array makeDouble(std::size_t rows, std::size_t cols, const std::vector<double>& values) {
  Array a(newArray({rows, cols}));
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
  Array a(newArray({rows, cols}));
  a->sparse = true;
  a->real = nonzeros;
  return a;
}

Array makeOfClass(mxClassID classId, std::size_t rows, std::size_t cols) {
  if (classId == mxDOUBLE_CLASS) return makeDouble(rows, cols);
  Array a(newArray({rows, cols}));
  a->classId = classId;
  a->bytes.assign(rows * cols * elementSize(classId), 0);
  return a;
}

Array makeHuge(std::size_t rows, std::size_t cols) {
  Array a(newArray({rows, cols}));
  a->hasData = false;
  return a;
}

Array makeArray(const std::vector<std::size_t>& dims, const std::vector<double>& values) {
  Array a(newArray(dims));
  a->real = values;
  a->real.resize(a->rows * a->cols, 0.0);
  return a;
}

Array makeChar(const std::string& text, std::size_t rows) {
  Array a(newArray({rows, rows == 0 ? 0 : text.size() / rows}));
  a->classId = mxCHAR_CLASS;
  a->bytes.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(a->rows * a->cols));
  return a;
}

std::vector<double> values(const mxArray* a) { return a->real; }

std::vector<bool> logicals(const mxArray* a) { return std::vector<bool>(a->bytes.begin(), a->bytes.end()); }

std::vector<std::size_t> dimensions(const mxArray* a) { return a->dims; }

double unsetElement() {
  const std::uint64_t bits = 0x7FF4DEADBEEF0BADull;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string text(const mxArray* a) {
  if (a == nullptr || a->classId != mxCHAR_CLASS) return std::string();
  return std::string(a->bytes.begin(), a->bytes.end());
}

Array makeStruct(std::vector<std::pair<std::string, Array>> fields) {
  Array a(newArray({1, 1}));
  a->classId = mxSTRUCT_CLASS;
  for (auto& field : fields) {
    a->fieldNames.push_back(field.first);
    a->elements.push_back(field.second.release());
    if (a->elements.back() != nullptr) a->elements.back()->owned = true;
  }
  return a;
}

Array makeCell(std::size_t rows, std::size_t cols, std::vector<Array> elements) {
  Array a(newArray({rows, cols}));
  a->classId = mxCELL_CLASS;
  a->elements.assign(rows * cols, nullptr);
  for (std::size_t i = 0; i < elements.size() && i < a->elements.size(); ++i) {
    a->elements[i] = elements[i].release();
    if (a->elements[i] != nullptr) a->elements[i]->owned = true;
  }
  return a;
}

std::size_t runAtExit() {
  std::vector<void (*)(void)> functions;
  functions.swap(atExitFunctions);
  for (auto function : functions) function();
  return functions.size();
}

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
    result.identifier = error.identifier;
  }
  record.active = false;
  result.created = 0;
  for (mxArray* a : record.created) result.created += a != nullptr;
  result.log = std::move(record.log);
  result.warnings = std::move(record.warnings);
  // What a failed call created is the host's to free; so is everything but
  // the outputs of a call that returned. Arrays set into a struct or cell
  // go with it.
  const int slots = nlhs > 1 ? (nlhs < 8 ? nlhs : 8) : 1;
  result.extraOutputs.resize(static_cast<std::size_t>(slots - 1));
  // Arrays held by a struct or cell go with it: they are left out before
  // anything is freed (a freed struct takes its elements along).
  std::vector<mxArray*> loose;
  for (mxArray* a : record.created) {
    if (a != nullptr && !a->owned) loose.push_back(a);
  }
  for (mxArray* a : loose) {
    bool returned = false;
    for (int i = 0; !result.raised && i < slots; ++i) {
      if (a != plhs[i]) continue;
      if (i == 0) {
        result.output.reset(a);
      } else {
        result.extraOutputs[static_cast<std::size_t>(i - 1)].reset(a);
      }
      returned = true;
    }
    if (!returned) delete a;
  }
  record.created.clear();
  return result;
}

namespace {

#if defined(_WIN32)
// A deliverable's own folder is searched first for the DLLs it imports, as
// it is for a MEX file that MATLAB loads.
void* openLibrary(const std::string& path, std::string& error) {
  HMODULE library = LoadLibraryExW(wideName(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) error = "Windows error " + std::to_string(GetLastError());
  return static_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
  FARPROC symbol = GetProcAddress(static_cast<HMODULE>(library), name);
  void* address = nullptr;
  std::memcpy(&address, &symbol, sizeof address);
  return address;
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

bool libraryIsLoaded(const std::string& path) {
  HMODULE module = nullptr;
  return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, wideName(path).c_str(), &module) != 0;
}
#else
void* openLibrary(const std::string& path, std::string& error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) error = dlerror();
  return library;
}

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

bool libraryIsLoaded(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (library != nullptr) dlclose(library);  // the reference RTLD_NOLOAD took
  return library != nullptr;
}
#endif

} // namespace

Library loadLibrary(const std::string& libraryPath) {
  std::string error;
  Library library;
  library.handle = openLibrary(libraryPath, error);
  if (library.handle == nullptr) {
    std::fprintf(stderr, "embedded host: cannot load %s: %s\n", libraryPath.c_str(), error.c_str());
    std::exit(2);
  }
  void* symbol = findSymbol(library.handle, "mexFunction");
  if (symbol == nullptr) {
    std::fprintf(stderr, "embedded host: %s exports no mexFunction\n", libraryPath.c_str());
    std::exit(2);
  }
  std::memcpy(&library.entry, &symbol, sizeof library.entry);
  return library;
}

MexEntry loadEntry(const std::string& libraryPath) { return loadLibrary(libraryPath).entry; }

void unloadLibrary(Library& library) {
  if (library.handle != nullptr) closeLibrary(library.handle);
  library = Library{};
}

bool isLoaded(const std::string& libraryPath) { return libraryIsLoaded(libraryPath); }

} // namespace embedded
