// Checks that every conversion gateway (rotapply, rotnormalize, rot2mat,
// mat2rot) shares: MATLAB's own argument-count messages, the class and
// storage refusals, counts beyond the 32-bit model, each raised before
// anything is created.
#ifndef ROTKIT_TESTS_CONVERSION_GATEWAY_H
#define ROTKIT_TESTS_CONVERSION_GATEWAY_H

#include "support/gateway.h"

#include <functional>
#include <vector>

// Every input position of a call whose `good` inputs succeed, refused for
// each class other than double, for complex and sparse data, and for
// counts of 2^31 and 2^32 + 1 (which a 32-bit count would read as 1).
inline void expectInputRefusals(embedded::MexEntry entry, const std::vector<const mxArray*>& good) {
  for (std::size_t p = 0; p < good.size(); ++p) {
    auto with = [&](const mxArray* replacement) {
      std::vector<const mxArray*> inputs = good;
      inputs[p] = replacement;
      return embedded::call(entry, 1, inputs);
    };
    const std::size_t rows = mxGetM(good[p]), cols = mxGetN(good[p]);
    for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT8_CLASS, mxINT16_CLASS, mxUINT16_CLASS, mxINT32_CLASS,
                         mxUINT32_CLASS, mxINT64_CLASS, mxUINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS, mxCELL_CLASS,
                         mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
      auto other = embedded::makeOfClass(id, rows, cols);
      EXPECT_TRUE(RaisedCleanly(with(other.get()), ROTKIT_MSG_NOT_REAL_DOUBLE)) << "input " << p << ", class " << id;
    }
    auto complex = embedded::makeComplex(rows, cols, {}, {});
    EXPECT_TRUE(RaisedCleanly(with(complex.get()), ROTKIT_MSG_NOT_REAL_DOUBLE)) << "input " << p;
    auto sparse = embedded::makeSparse(rows, cols, {1});
    EXPECT_TRUE(RaisedCleanly(with(sparse.get()), ROTKIT_MSG_SPARSE)) << "input " << p;
    for (std::size_t huge : {std::size_t{1} << 31, (std::size_t{1} << 32) + 1}) {
      auto wide = embedded::makeHuge(rows, huge);
      EXPECT_TRUE(RaisedCleanly(with(wide.get()), ROTKIT_MSG_TOO_LARGE)) << "input " << p << ", " << huge;
      auto tall = embedded::makeHuge(huge, 0);
      EXPECT_TRUE(RaisedCleanly(with(tall.get()), ROTKIT_MSG_TOO_LARGE)) << "input " << p << ", " << huge;
    }
  }
}

// Too few and too many inputs, too many outputs; a bare call (no output
// requested) returns its result into ans.
inline void expectArgumentCounts(embedded::MexEntry entry, const std::vector<const mxArray*>& good) {
  std::vector<const mxArray*> fewer(good.begin(), good.end() - 1), more(good);
  more.push_back(good[0]);
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 1, fewer), ROTKIT_MSG_NOT_ENOUGH_INPUTS));
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 0, more), ROTKIT_MSG_TOO_MANY_INPUTS));
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 2, good), ROTKIT_MSG_TOO_MANY_OUTPUTS));
  // Input counts come before the output count.
  EXPECT_TRUE(RaisedCleanly(embedded::call(entry, 3, more), ROTKIT_MSG_TOO_MANY_INPUTS));
  const embedded::CallResult bare = embedded::call(entry, 0, good);
  ASSERT_FALSE(bare.raised) << bare.message;
  EXPECT_NE(bare.output.get(), nullptr);
  EXPECT_EQ(bare.created, 1u);
}

#endif
