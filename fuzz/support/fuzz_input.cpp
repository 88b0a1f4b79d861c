// Decoding fuzzer bytes into a MEX call; the format is described in
// fuzz_input.h. Every read past the end gives zero.
#include "fuzz_input.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

struct ByteReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
};

std::uint8_t nextByte(ByteReader& in) { return in.position < in.size ? in.data[in.position++] : 0; }

double nextRawDouble(ByteReader& in) {
  std::uint8_t bytes[8];
  for (std::uint8_t& b : bytes) b = nextByte(in);
  double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Values that break arithmetic or index conversion, and the small integers
// that make parent numbers and unit quaternions likely.
const double kSpecialValues[] = {
    0.0, -0.0, 1.0, -1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 0.5, -0.5,
    2.9, 1.5, -2.9, 0.999, 0.99899999999999989, 0.99900000000000011, 0.70710678118654757, 0.8660254037844386,
    kNaN, -kNaN, kInf, -kInf, 4.9406564584124654e-324, -4.9406564584124654e-324, DBL_MIN, DBL_MAX, -DBL_MAX,
    1e-170, 1e200, 1e300, -1e300, 2147483647.0, 2147483648.0, -2147483649.0, 4294967296.0, 4294967297.0,
    9007199254740992.0, 1e10, 1.0000000000000002, 0.99999999999999989, 3.141592653589793, -0.25,
};
constexpr std::size_t kSpecialCount = sizeof kSpecialValues / sizeof kSpecialValues[0];

double nextValue(ByteReader& in) {
  const std::uint8_t choice = nextByte(in);
  if (choice < 192) return kSpecialValues[choice % kSpecialCount];
  return nextRawDouble(in);
}

// Double is chosen most often: it is the class that reaches the kernels.
const mxClassID kClasses[] = {
    mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxDOUBLE_CLASS,
    mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxSINGLE_CLASS, mxINT8_CLASS,   mxUINT8_CLASS,  mxINT16_CLASS,
    mxUINT16_CLASS, mxINT32_CLASS,  mxUINT32_CLASS, mxINT64_CLASS,  mxUINT64_CLASS, mxLOGICAL_CLASS,
    mxCHAR_CLASS,   mxCELL_CLASS,   mxSTRUCT_CLASS, mxFUNCTION_CLASS,
};
constexpr std::size_t kClassCount = sizeof kClasses / sizeof kClasses[0];

// Counts beyond what memory holds, around the 2^31 and 2^32 edges where a
// count cut to 32 bits changes meaning (2^32 + 1 would read as 1).
const std::size_t kHugeCounts[] = {
    (std::size_t{1} << 31) - 1, std::size_t{1} << 31,        std::size_t{1} << 32,
    (std::size_t{1} << 32) + 1, (std::size_t{1} << 32) + 3,  (std::size_t{1} << 32) + 4,
    (std::size_t{1} << 33) + 2, std::size_t{1} << 40,
};
constexpr std::size_t kHugeCountCount = sizeof kHugeCounts / sizeof kHugeCounts[0];

// The letters of char arrays: axis sequences are made of the first six.
const char kLetters[] = {'x', 'y', 'z', 'X', 'Y', 'Z', 'a', 'w', ' ', '1', '\xC3'};
constexpr std::size_t kLetterCount = sizeof kLetters;

// Shapes stay small enough for memory: at most 23 x 23.
constexpr std::uint8_t kMaxSide = 24;

FuzzArray decodeArray(ByteReader& in) {
  FuzzArray a;
  a.classId = kClasses[nextByte(in) % kClassCount];
  const std::uint8_t flags = nextByte(in);
  const bool isDouble = a.classId == mxDOUBLE_CLASS;
  // Only doubles come huge: the embedded host would allocate any other class.
  a.huge = isDouble && (flags & 0x1C) == 0x1C;
  a.sparse = isDouble && !a.huge && (flags & 0x02) != 0;
  a.complex = isDouble && !a.huge && !a.sparse && (flags & 0x01) != 0;

  if (a.huge) {
    // One huge count beside a small one, so rows * cols never wraps.
    const std::size_t big = kHugeCounts[nextByte(in) % kHugeCountCount];
    const std::size_t small = nextByte(in) % 6;
    a.rows = (flags & 0x20) != 0 ? big : small;
    a.cols = (flags & 0x20) != 0 ? small : big;
    a.width = a.cols;
    a.array = embedded::makeHuge(a.rows, a.cols);
    return a;
  }

  a.rows = nextByte(in) % kMaxSide;
  a.cols = nextByte(in) % kMaxSide;
  a.width = a.cols;
  if (a.classId == mxCHAR_CLASS) {
    for (std::size_t i = 0; i < a.rows * a.cols; ++i) a.text.push_back(kLetters[nextByte(in) % kLetterCount]);
    a.array = a.rows == 0 ? embedded::makeOfClass(mxCHAR_CLASS, 0, a.cols) : embedded::makeChar(a.text, a.rows);
    return a;
  }
  if (!isDouble) {
    a.array = embedded::makeOfClass(a.classId, a.rows, a.cols);
    return a;
  }
  // Flags 0xC0 (both top bits, not sparse, not complex): a third dimension
  // of 0 to 4 pages, counted into cols as the host counts it.
  const bool paged = !a.sparse && !a.complex && (flags & 0xC0) == 0xC0;
  if (paged) a.pages = nextByte(in) % 5;
  a.cols *= a.pages;
  const std::size_t count = a.rows * a.cols;
  const std::size_t stored = a.sparse ? nextByte(in) % (count + 1) : count;
  for (std::size_t i = 0; i < stored; ++i) a.values.push_back(nextValue(in));
  if (a.sparse) {
    a.array = embedded::makeSparse(a.rows, a.cols, a.values);
  } else if (a.complex) {
    a.array = embedded::makeComplex(a.rows, a.cols, a.values, a.values);
  } else if (paged) {
    a.array = embedded::makeArray({a.rows, a.width, a.pages}, a.values);
  } else {
    a.array = embedded::makeDouble(a.rows, a.cols, a.values);
  }
  return a;
}

const char* className(mxClassID id) {
  switch (id) {
    case mxDOUBLE_CLASS: return "double";
    case mxSINGLE_CLASS: return "single";
    case mxINT8_CLASS: return "int8";
    case mxUINT8_CLASS: return "uint8";
    case mxINT16_CLASS: return "int16";
    case mxUINT16_CLASS: return "uint16";
    case mxINT32_CLASS: return "int32";
    case mxUINT32_CLASS: return "uint32";
    case mxINT64_CLASS: return "int64";
    case mxUINT64_CLASS: return "uint64";
    case mxLOGICAL_CLASS: return "logical";
    case mxCHAR_CLASS: return "char";
    case mxCELL_CLASS: return "cell";
    case mxSTRUCT_CLASS: return "struct";
    case mxFUNCTION_CLASS: return "function handle";
    default: return "other";
  }
}

} // namespace

FuzzCall decodeCall(const std::uint8_t* data, std::size_t size) {
  ByteReader in{data, size, 0};
  FuzzCall call;
  call.nlhs = nextByte(in) % 4;
  const int nrhs = nextByte(in) % 6;
  for (int i = 0; i < nrhs; ++i) call.inputs.push_back(decodeArray(in));
  return call;
}

std::vector<const mxArray*> handlesOf(const FuzzCall& call) {
  std::vector<const mxArray*> handles;
  for (const FuzzArray& a : call.inputs) handles.push_back(a.array.get());
  return handles;
}

bool isPlainDouble(const FuzzArray& input) {
  return input.classId == mxDOUBLE_CLASS && !input.complex && !input.sparse && !input.huge;
}

std::size_t elementCount(const FuzzArray& input) { return input.rows * input.cols; }

std::string describeCall(const FuzzCall& call) {
  std::string text = "nlhs " + std::to_string(call.nlhs) + ", nrhs " + std::to_string(call.inputs.size()) + "\n";
  for (std::size_t i = 0; i < call.inputs.size(); ++i) {
    const FuzzArray& a = call.inputs[i];
    char line[160];
    std::snprintf(line, sizeof line, "  input %zu: %zu x %zu%s %s%s%s%s", i + 1, a.rows, a.cols,
                  a.pages != 1 ? (" (" + std::to_string(a.pages) + " pages)").c_str() : "",
                  a.complex ? "complex " : "", a.sparse ? "sparse " : "", a.huge ? "huge " : "",
                  className(a.classId));
    text += line;
    for (std::size_t k = 0; k < a.values.size() && k < 64; ++k) {
      char value[40];
      std::snprintf(value, sizeof value, "%s%.17g", k == 0 ? ": " : " ", a.values[k]);
      text += value;
    }
    if (a.values.size() > 64) text += " ...";
    if (!a.text.empty()) text += ": '" + a.text + "'";
    text += "\n";
  }
  return text;
}
