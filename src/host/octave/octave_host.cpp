// The host operations of host/host.h over Octave's own values, and the call
// of a gateway from an oct-file (call.h). What a caller sees is what the
// same gateway gives as Octave's MEX file: the same messages, prefixed with
// the function's name, the same identifiers, nlhs and outputs; only the
// copies are gone.
#include "host/octave/call.h"
#include "host/octave/host_array.h"

#include <octave/error.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using rotkit_octave::Call;
using rotkit_octave::CharArray;
using rotkit_octave::ContainerArray;
using rotkit_octave::DoubleArray;
using rotkit_octave::LogicalArray;

namespace {

// The running call; a host operation outside one is a fault of the binding.
Call& running() {
  Call* call = Call::current();
  if (call == nullptr) {
    std::fprintf(stderr, "rotkit: a host operation outside a gateway call\n");
    std::abort();
  }
  return *call;
}

std::vector<mwSize> dimsOf(mwSize ndim, const mwSize* dims) {
  return std::vector<mwSize>(dims, dims + (ndim > 0 ? ndim : 0));
}

// The binding creates the double class only, as the gateways do.
void requireDoubleClass(mxClassID classId) {
  if (classId != mxDOUBLE_CLASS) {
    error("%s: the oct-file host creates double arrays only (class %d asked for)", running().name(),
          static_cast<int>(classId));
  }
}

// printf-style formatting into a string.
std::string formatted(const char* format, std::va_list args) {
  std::va_list counting;
  va_copy(counting, args);
  const int length = std::vsnprintf(nullptr, 0, format, counting);
  va_end(counting);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, args);
  return text;
}

// A text that ends in a newline keeps Octave from printing where the error
// or warning came from; it is passed on so, as Octave's MEX interface does.
bool cutNewline(std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  text.pop_back();
  return true;
}

// The functions mexAtExit registered, run when the oct-file is unloaded:
// this object is destroyed then (at `clear`, and at Octave's exit).
class AtUnload {
 public:
  AtUnload() = default;
  AtUnload(const AtUnload&) = delete;
  AtUnload& operator=(const AtUnload&) = delete;
  ~AtUnload() {
    for (auto function : functions_) function();
  }
  void add(void (*function)(void)) {
    for (auto known : functions_) {
      if (known == function) return;
    }
    functions_.push_back(function);
  }

 private:
  std::vector<void (*)(void)> functions_;
};

AtUnload& atUnload() {
  static AtUnload functions;
  return functions;
}

} // namespace

// ---- Inspecting

bool mxIsComplex(const HostArray* a) { return a->isComplex(); }
bool mxIsDouble(const HostArray* a) { return a->classId() == mxDOUBLE_CLASS; }
bool mxIsSparse(const HostArray* a) { return a->isSparse(); }
bool mxIsEmpty(const HostArray* a) { return mxGetNumberOfElements(a) == 0; }
bool mxIsChar(const HostArray* a) { return a->classId() == mxCHAR_CLASS; }
bool mxIsLogical(const HostArray* a) { return a->classId() == mxLOGICAL_CLASS; }
bool mxIsStruct(const HostArray* a) { return a->classId() == mxSTRUCT_CLASS; }
bool mxIsCell(const HostArray* a) { return a->classId() == mxCELL_CLASS; }
mxClassID mxGetClassID(const HostArray* a) { return a->classId(); }
std::size_t mxGetM(const HostArray* a) { return a->rows(); }
std::size_t mxGetN(const HostArray* a) { return a->columns(); }
std::size_t mxGetNumberOfElements(const HostArray* a) { return a->rows() * a->columns(); }
mwSize mxGetNumberOfDimensions(const HostArray* a) { return static_cast<mwSize>(a->dims().size()); }
const mwSize* mxGetDimensions(const HostArray* a) { return a->dims().data(); }

// ---- Reading (the view keeps what it read for the call: a pointer handed
// out stays valid until the call ends)

double* mxGetPr(const HostArray* a) { return const_cast<HostArray*>(a)->realParts(); }

mxLogical* mxGetLogicals(const HostArray* a) { return const_cast<HostArray*>(a)->logicals(); }

int mxGetString(const HostArray* a, char* buf, mwSize buflen) {
  if (buflen <= 0) return 1;
  const char* chars = const_cast<HostArray*>(a)->chars();
  const std::size_t count = chars == nullptr ? 0 : mxGetNumberOfElements(a);
  const std::size_t room = static_cast<std::size_t>(buflen) - 1;
  const std::size_t copied = count < room ? count : room;
  if (copied > 0) std::memcpy(buf, chars, copied);
  buf[copied] = '\0';
  return chars != nullptr && copied == count ? 0 : 1;
}

HostArray* mxGetField(const HostArray* a, mwIndex index, const char* name) {
  return const_cast<HostArray*>(a)->field(index, name);
}

int mxGetNumberOfFields(const HostArray* a) { return a->fieldCount(); }

const char* mxGetFieldNameByNumber(const HostArray* a, int number) { return a->fieldName(number); }

HostArray* mxGetCell(const HostArray* a, mwIndex index) { return const_cast<HostArray*>(a)->cell(index); }

// ---- Creating

HostArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag) {
  return running().make<DoubleArray>(std::vector<mwSize>{m, n}, flag, DoubleArray::Fill::zeros);
}

HostArray* mxCreateUninitNumericMatrix(mwSize m, mwSize n, mxClassID classId, mxComplexity flag) {
  requireDoubleClass(classId);
  return running().make<DoubleArray>(std::vector<mwSize>{m, n}, flag, DoubleArray::Fill::none);
}

HostArray* mxCreateNumericArray(mwSize ndim, const mwSize* dims, mxClassID classId, mxComplexity flag) {
  requireDoubleClass(classId);
  return running().make<DoubleArray>(dimsOf(ndim, dims), flag, DoubleArray::Fill::zeros);
}

HostArray* mxCreateUninitNumericArray(mwSize ndim, const mwSize* dims, mxClassID classId, mxComplexity flag) {
  requireDoubleClass(classId);
  return running().make<DoubleArray>(dimsOf(ndim, dims), flag, DoubleArray::Fill::none);
}

HostArray* mxCreateLogicalMatrix(mwSize m, mwSize n) {
  return running().make<LogicalArray>(std::vector<mwSize>{m, n});
}

HostArray* mxCreateString(const char* text) { return running().make<CharArray>(text); }

HostArray* mxCreateStructMatrix(mwSize m, mwSize n, int fieldCount, const char** names) {
  std::vector<std::string> fields(names, names + (fieldCount > 0 ? fieldCount : 0));
  return running().make<ContainerArray>(std::vector<mwSize>{m, n}, std::move(fields));
}

HostArray* mxCreateCellMatrix(mwSize m, mwSize n) {
  return running().make<ContainerArray>(std::vector<mwSize>{m, n});
}

void mxSetField(HostArray* a, mwIndex index, const char* name, HostArray* value) {
  if (!a->setField(index, name, value)) {
    error("%s: mxSetField: no field '%s' of element %ld in this struct", running().name(), name,
          static_cast<long>(index));
  }
}

void mxSetCell(HostArray* a, mwIndex index, HostArray* value) {
  if (!a->setCell(index, value)) {
    error("%s: mxSetCell: no element %ld in this cell", running().name(), static_cast<long>(index));
  }
}

void mxDestroyArray(HostArray* a) {
  if (a != nullptr) running().destroy(a);
}

// ---- The call

void mexErrMsgTxt(const char* text) {
  std::string message(text);
  if (message.empty()) error(" ");  // Octave's MEX interface: an empty message
  if (cutNewline(message)) error("%s: %s\n", running().name(), message.c_str());
  error("%s: %s", running().name(), message.c_str());
}

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string message = formatted(format, args);
  va_end(args);
  if (message.empty()) error(" ");
  if (cutNewline(message)) error_with_id(identifier, "%s: %s\n", running().name(), message.c_str());
  error_with_id(identifier, "%s: %s", running().name(), message.c_str());
}

void mexWarnMsgIdAndTxt(const char* identifier, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string message = formatted(format, args);
  va_end(args);
  if (message.empty()) return;
  // A warning the user made an error leaves here by an exception too.
  if (cutNewline(message)) {
    warning_with_id(identifier, "%s: %s\n", running().name(), message.c_str());
  } else {
    warning_with_id(identifier, "%s: %s", running().name(), message.c_str());
  }
}

int mexAtExit(void (*function)(void)) {
  atUnload().add(function);
  return 0;
}

namespace rotkit_octave {

octave_value_list callGateway(const char* name, const octave_value_list& args, int nargout) {
  Call call(name);
  const int nrhs = args.length();
  std::vector<const HostArray*> prhs(static_cast<std::size_t>(nrhs));
  for (int i = 0; i < nrhs; ++i) prhs[static_cast<std::size_t>(i)] = call.make<ValueView>(args(i));
  // A bare call has nlhs = 0 and still one slot, for `ans`.
  std::vector<HostArray*> plhs(static_cast<std::size_t>(nargout > 1 ? nargout : 1), nullptr);
  mexFunction(nargout, plhs.data(), nrhs, prhs.data());

  // Outputs left unset stay undefined: Octave then says which one.
  const int count = nargout == 0 && plhs[0] != nullptr ? 1 : nargout;
  octave_value_list outputs(count);
  for (int i = 0; i < count; ++i) {
    if (plhs[static_cast<std::size_t>(i)] != nullptr) outputs(i) = plhs[static_cast<std::size_t>(i)]->value();
  }
  return outputs;
}

} // namespace rotkit_octave
