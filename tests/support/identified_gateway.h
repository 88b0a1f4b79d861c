// Checks that the gateways of the functions with error identifiers
// (rotkit:<function>:<reason>) share: the argument counts, and the class,
// storage and size refusals of every array input, each raised with its
// identifier before anything is created.
#ifndef ROTKIT_TESTS_IDENTIFIED_GATEWAY_H
#define ROTKIT_TESTS_IDENTIFIED_GATEWAY_H

#include "support/gateway.h"

#include <string>
#include <vector>

// Passes when the call raised with `identifier`, a message that starts
// with `start` (when given), and created nothing.
inline ::testing::AssertionResult RaisedWith(const embedded::CallResult& result, const std::string& identifier,
                                             const std::string& start = "") {
  if (!result.raised) return ::testing::AssertionFailure() << "no error raised, expected " << identifier;
  if (result.identifier != identifier) {
    return ::testing::AssertionFailure() << "raised " << result.identifier << " (\"" << result.message
                                         << "\"), expected " << identifier;
  }
  if (result.message.compare(0, start.size(), start) != 0) {
    return ::testing::AssertionFailure() << "message \"" << result.message << "\" does not start \"" << start << "\"";
  }
  if (result.created != 0) return ::testing::AssertionFailure() << result.created << " matrices created before the error";
  return ::testing::AssertionSuccess();
}

// Too few and too many inputs, too many outputs, in that order, for a
// function whose `good` call has the most inputs it takes; `fewest` inputs
// are needed.
inline void expectIdentifiedCounts(embedded::MexEntry entry, const std::string& name,
                                   const std::vector<const mxArray*>& good, std::size_t fewest, int mostOutputs) {
  const std::string prefix = "rotkit:" + name + ":";
  std::vector<const mxArray*> fewer(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(fewest - 1)), more(good);
  more.push_back(good[0]);
  EXPECT_TRUE(RaisedWith(embedded::call(entry, 1, fewer), prefix + "notEnoughInputs", "Too few inputs"));
  EXPECT_TRUE(RaisedWith(embedded::call(entry, 0, more), prefix + "tooManyInputs", "Too many inputs"));
  EXPECT_TRUE(RaisedWith(embedded::call(entry, mostOutputs + 1, good), prefix + "tooManyOutputs", "Too many outputs"));
  EXPECT_TRUE(RaisedWith(embedded::call(entry, mostOutputs + 1, more), prefix + "tooManyInputs"));
}

// Input `position` of the `good` call replaced by every class other than
// double, by complex and sparse data, and by counts of 2^31 and 2^32 + 1:
// each refused with its identifier and a message naming `argument`.
inline void expectIdentifiedRefusals(embedded::MexEntry entry, const std::string& name,
                                     const std::vector<const mxArray*>& good, std::size_t position,
                                     const std::string& argument) {
  const std::string prefix = "rotkit:" + name + ":";
  auto with = [&](const mxArray* replacement) {
    std::vector<const mxArray*> inputs = good;
    inputs[position] = replacement;
    return embedded::call(entry, 1, inputs);
  };
  const std::size_t rows = mxGetM(good[position]), cols = mxGetN(good[position]);
  for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT8_CLASS, mxINT16_CLASS, mxUINT16_CLASS, mxINT32_CLASS,
                       mxUINT32_CLASS, mxINT64_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCELL_CLASS, mxSTRUCT_CLASS,
                       mxFUNCTION_CLASS}) {
    auto other = embedded::makeOfClass(id, rows, cols);
    EXPECT_TRUE(RaisedWith(with(other.get()), prefix + "notRealDouble", argument + " must be a real double array."))
        << argument << ", class " << id;
  }
  auto complex = embedded::makeComplex(rows, cols, {}, {});
  EXPECT_TRUE(RaisedWith(with(complex.get()), prefix + "notRealDouble", argument + " must")) << argument;
  auto sparse = embedded::makeSparse(rows, cols, {1});
  EXPECT_TRUE(RaisedWith(with(sparse.get()), prefix + "sparse", argument + " must be a full array")) << argument;
  for (std::size_t huge : {std::size_t{1} << 31, (std::size_t{1} << 32) + 1}) {
    auto wide = embedded::makeHuge(rows, huge);
    EXPECT_TRUE(RaisedWith(with(wide.get()), prefix + "tooLarge", argument + " is too large")) << argument;
    auto tall = embedded::makeHuge(huge, 0);
    EXPECT_TRUE(RaisedWith(with(tall.get()), prefix + "tooLarge", argument + " is too large")) << argument;
  }
}

#endif
