// Checks that the gateways beyond the original four share: argument counts
// (a bare call returning into ans), the class and storage refusals and
// counts beyond the 32-bit model, each raised with its identifier before
// anything is created.
#ifndef ROTKIT_TESTS_CONVERSION_GATEWAY_H
#define ROTKIT_TESTS_CONVERSION_GATEWAY_H

#include "support/gateway.h"

#include <string>
#include <vector>

// Every input position of a call of `function` whose `good` inputs
// succeed, refused for each class other than double, for complex and
// sparse data, and for counts of 2^31 and 2^32 + 1 (which a 32-bit count
// would read as 1); each message names the input, `names[p]`.
inline void expectInputRefusals(embedded::MexEntry entry, const std::string& function,
                                const std::vector<std::string>& names, const std::vector<const mxArray*>& good) {
  for (std::size_t p = 0; p < good.size(); ++p) {
    auto with = [&](const mxArray* replacement) {
      std::vector<const mxArray*> inputs = good;
      inputs[p] = replacement;
      return embedded::call(entry, 1, inputs);
    };
    const Refusal notRealDouble = refusalOf(function, refusal::notRealDouble, names[p]);
    const std::size_t rows = mxGetM(good[p]), cols = mxGetN(good[p]);
    for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT8_CLASS, mxINT16_CLASS, mxUINT16_CLASS, mxINT32_CLASS,
                         mxUINT32_CLASS, mxINT64_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                         mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
      auto other = embedded::makeOfClass(id, rows, cols);
      EXPECT_TRUE(RaisedCleanly(with(other.get()), notRealDouble)) << "input " << p << ", class " << id;
    }
    auto complex = embedded::makeComplex(rows, cols, {}, {});
    EXPECT_TRUE(RaisedCleanly(with(complex.get()), notRealDouble)) << "input " << p;
    auto sparse = embedded::makeSparse(rows, cols, {1});
    EXPECT_TRUE(RaisedCleanly(with(sparse.get()), refusalOf(function, refusal::sparse, names[p]))) << "input " << p;
    const Refusal tooLarge = refusalOf(function, refusal::tooLarge, names[p]);
    for (std::size_t huge : {std::size_t{1} << 31, (std::size_t{1} << 32) + 1}) {
      auto wide = embedded::makeHuge(rows, huge);
      EXPECT_TRUE(RaisedCleanly(with(wide.get()), tooLarge)) << "input " << p << ", " << huge;
      auto tall = embedded::makeHuge(huge, 0);
      EXPECT_TRUE(RaisedCleanly(with(tall.get()), tooLarge)) << "input " << p << ", " << huge;
    }
  }
}

// Too few and too many inputs, too many outputs (more than `maxOutputs`),
// each message showing the call form `call`; a bare call (no output
// requested) returns its result into ans.
inline void expectArgumentCounts(embedded::MexEntry entry, const std::string& function, const std::string& call,
                                 const std::vector<const mxArray*>& good, int maxOutputs = 1) {
  std::vector<const mxArray*> fewer(good.begin(), good.end() - 1), more(good);
  more.push_back(good[0]);
  const Refusal tooManyInputs = refusalOf(function, refusal::tooManyInputs, call);
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 1, fewer), refusalOf(function, refusal::notEnoughInputs, call)));
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 0, more), tooManyInputs));
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, maxOutputs + 1, good),
                            refusalOf(function, refusal::tooManyOutputs, call)));
  // Input counts come before the output count.
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, maxOutputs + 2, more), tooManyInputs));
  const embedded::CallResult bare = embedded::call(entry, 0, good);
  ASSERT_FALSE(bare.raised) << bare.message;
  EXPECT_NE(bare.output.get(), nullptr);
  EXPECT_EQ(bare.created, 1u);
}

// A one-input function refusing an input of each row count of `rows`
// (two columns) with `expected`.
inline void expectRowsRefused(embedded::MexEntry entry, const std::vector<std::size_t>& rows, const Refusal& expected) {
  for (std::size_t r : rows) {
    auto wrong = embedded::makeDouble(r, 2);
    EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 1, {wrong.get()}), expected)) << r << " rows";
  }
}

// The refusals of an axis sequence (eul2rot, rot2eul), in their order.
inline Refusal seqForm(const std::string& function) {
  return {"rotkit:" + function + ":seqForm",
          "seq must be three axis letters, such as 'ZXY' (intrinsic) or 'zxy' (extrinsic)."};
}
inline Refusal seqLetters(const std::string& function) {
  return {"rotkit:" + function + ":seqLetters", "seq must name its axes with the letters x, y and z."};
}
inline Refusal seqCase(const std::string& function) {
  return {"rotkit:" + function + ":seqCase", "seq must be all upper case (intrinsic) or all lower case (extrinsic)."};
}
inline Refusal seqRepeat(const std::string& function) {
  return {"rotkit:" + function + ":seqRepeat", "seq must not repeat an axis in neighbouring places, as 'ZZX' does."};
}

#endif
