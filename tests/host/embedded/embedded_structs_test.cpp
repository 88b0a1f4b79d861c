// The embedded host's structs, cells, strings and warnings: what a
// gateway sets into a struct or cell belongs to it, a failed call's arrays
// are freed once (valgrind and the sanitizers watch), and the outputs of a
// call that returned are the caller's.
#include "embedded_host.h"

#include <gtest/gtest.h>

namespace {

// A gateway that builds skel-like outputs, and fails after building them
// when asked (prhs[0] nonzero), or destroys a scratch array of its own.
void builder(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const char* fields[2] = {"names", "count"};
  mxArray* s = mxCreateStructMatrix(1, 1, 2, fields);
  mxArray* names = mxCreateCellMatrix(1, 2);
  mxSetCell(names, 0, mxCreateString("Hips"));
  mxSetCell(names, 1, mxCreateString(""));
  mxSetField(s, 0, "names", names);
  mxArray* count = mxCreateDoubleMatrix(1, 1, mxREAL);
  *mxGetPr(count) = 2;
  mxSetField(s, 0, "count", count);
  mxArray* scratch = mxCreateDoubleMatrix(5, 5, mxREAL);
  mxDestroyArray(scratch);
  mexWarnMsgIdAndTxt("rotkit:test:warned", "%s %d", "made", 2);
  if (nrhs > 0 && *mxGetPr(prhs[0]) != 0) mexErrMsgIdAndTxt("rotkit:test:failed", "failed after %d arrays", 5);
  plhs[0] = s;
  if (nlhs > 1) plhs[1] = mxCreateString("second");
}

TEST(EmbeddedStructs, OutputsOwnWhatIsSetIntoThem) {
  const embedded::Array succeed = embedded::makeDouble(1, 1, {0});
  const embedded::CallResult r = embedded::call(builder, 2, {succeed.get()});
  ASSERT_FALSE(r.raised);
  EXPECT_EQ(r.created, 6u);  // the struct, the cell, two strings, the count, the second output (not the scratch array)
  ASSERT_TRUE(mxIsStruct(r.output.get()));
  const mxArray* names = mxGetField(r.output.get(), 0, "names");
  ASSERT_TRUE(mxIsCell(names));
  EXPECT_EQ(embedded::text(mxGetCell(names, 0)), "Hips");
  EXPECT_EQ(embedded::dimensions(mxGetCell(names, 1)), (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(mxGetCell(names, 2), nullptr);
  EXPECT_EQ(mxGetField(r.output.get(), 0, "missing"), nullptr);
  EXPECT_EQ(embedded::values(mxGetField(r.output.get(), 0, "count")), (std::vector<double>{2}));
  EXPECT_EQ(embedded::text(r.extraOutputs[0].get()), "second");
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(r.warnings[0].identifier, "rotkit:test:warned");
  EXPECT_EQ(r.warnings[0].message, "made 2");
}

TEST(EmbeddedStructs, AFailedCallFreesEverythingOnce) {
  const embedded::Array fail = embedded::makeDouble(1, 1, {1});
  const embedded::CallResult r = embedded::call(builder, 1, {fail.get()});
  EXPECT_TRUE(r.raised);
  EXPECT_EQ(r.identifier, "rotkit:test:failed");
  EXPECT_EQ(r.message, "failed after 5 arrays");
  EXPECT_EQ(r.output, nullptr);
}

TEST(EmbeddedStructs, InputsBuiltForTests) {
  std::vector<std::pair<std::string, embedded::Array>> fields;
  fields.emplace_back("a", embedded::makeDouble(1, 2, {1, 2}));
  std::vector<embedded::Array> texts;
  texts.push_back(embedded::makeChar("x"));
  texts.push_back(nullptr);
  fields.emplace_back("b", embedded::makeCell(1, 2, std::move(texts)));
  fields.emplace_back("c", nullptr);
  const embedded::Array s = embedded::makeStruct(std::move(fields));
  EXPECT_TRUE(mxIsStruct(s.get()));
  EXPECT_EQ(mxGetNumberOfElements(s.get()), 1u);
  EXPECT_EQ(embedded::values(mxGetField(s.get(), 0, "a")), (std::vector<double>{1, 2}));
  EXPECT_EQ(embedded::text(mxGetCell(mxGetField(s.get(), 0, "b"), 0)), "x");
  EXPECT_EQ(mxGetCell(mxGetField(s.get(), 0, "b"), 1), nullptr);
  EXPECT_EQ(mxGetField(s.get(), 0, "c"), nullptr);
  EXPECT_FALSE(mxIsCell(s.get()));
}

} // namespace
