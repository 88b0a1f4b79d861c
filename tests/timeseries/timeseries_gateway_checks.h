// Gateway checks the time-series functions share in their tests: an error
// with its identifier, raised before anything was created.
#ifndef ROTKIT_TESTS_TIMESERIES_GATEWAY_CHECKS_H
#define ROTKIT_TESTS_TIMESERIES_GATEWAY_CHECKS_H

#include "support/gateway.h"

#include <string>

// Passes when the call raised with `identifier` (its message containing
// `words`, if given) and created nothing.
inline ::testing::AssertionResult RaisedWithId(const embedded::CallResult& result, const std::string& identifier,
                                               const std::string& words = "") {
  if (!result.raised) return ::testing::AssertionFailure() << "no error raised, expected " << identifier;
  if (result.identifier != identifier) {
    return ::testing::AssertionFailure() << "raised " << result.identifier << " (\"" << result.message
                                         << "\"), expected " << identifier;
  }
  if (result.message.find(words) == std::string::npos) {
    return ::testing::AssertionFailure() << "message \"" << result.message << "\" lacks \"" << words << "\"";
  }
  if (result.created != 0) return ::testing::AssertionFailure() << result.created << " matrices created before the error";
  return ::testing::AssertionSuccess();
}

// Every class other than a real full double, and sparse, complex and huge
// forms, in place of input `position` of `good` (whose shape it keeps):
// rotkit:<fn>:notRealDouble, sparse or tooLarge, the refusals shared by
// every function beyond the original four.
inline void expectClassRefusals(embedded::MexEntry entry, const std::vector<const mxArray*>& good, std::size_t position,
                                const std::string& fn, const std::string& name) {
  auto with = [&](const mxArray* replacement) {
    std::vector<const mxArray*> inputs = good;
    inputs[position] = replacement;
    return embedded::call(entry, 1, inputs);
  };
  const std::size_t rows = mxGetM(good[position]), cols = mxGetN(good[position]);
  const std::string prefix = "rotkit:" + fn + ":";
  for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                       mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
    auto other = embedded::makeOfClass(id, rows, cols);
    EXPECT_TRUE(RaisedWithId(with(other.get()), prefix + "notRealDouble", name + " must be a real, full double array."))
        << name << ", class " << id;
  }
  auto complex = embedded::makeComplex(rows, cols, {}, {});
  EXPECT_TRUE(RaisedWithId(with(complex.get()), prefix + "notRealDouble")) << name;
  auto sparse = embedded::makeSparse(rows, cols, {1});
  EXPECT_TRUE(RaisedWithId(with(sparse.get()), prefix + "sparse", name + " must not be sparse")) << name;
  for (std::size_t huge : {std::size_t{1} << 31, (std::size_t{1} << 32) + 1}) {
    auto wide = embedded::makeHuge(rows, huge);
    EXPECT_TRUE(RaisedWithId(with(wide.get()), prefix + "tooLarge")) << name << ", " << huge;
  }
}

#endif
