// rotslerp on the embedded host: the checks in their order, each with
// nothing created before it, the broadcast forms and shapes of the result,
// and every column rotblend's formula.
#include "rotations/rotslerp/slerp_columns.h"

#include "support/bits.h"
#include "support/gateway.h"
#include "support/paths.h"

#include <algorithm>
#include <cmath>

using embedded::makeDouble;

namespace {

const embedded::MexEntry rotslerp = deliverable("rotslerp");

const char* const kCall = "Q = rotslerp(Q1, Q2, T)";
const Refusal kRowsQ1{"rotkit:rotslerp:q1Rows", "Q1 must have 4 rows: one quaternion (w, x, y, z) per column."};
const Refusal kRowsQ2{"rotkit:rotslerp:q2Rows", "Q2 must have 4 rows: one quaternion (w, x, y, z) per column."};
const Refusal kRowT{"rotkit:rotslerp:tRows", "T must be a row: one parameter per column (a scalar for all of them)."};
const Refusal kMismatch{"rotkit:rotslerp:columnMismatch",
                        "Q1, Q2 and T must have the same number of columns, except those with a single column."};

const std::vector<double> kIdentity = {1, 0, 0, 0};
const std::vector<double> kQuarterZ = {std::sqrt(0.5), 0, 0, std::sqrt(0.5)};

embedded::CallResult slerp(const mxArray* q1, const mxArray* q2, const mxArray* t, int nlhs = 1) {
  return embedded::call(rotslerp, nlhs, {q1, q2, t});
}

TEST(RotslerpGateway, ArgumentCountsComeFirst) {
  auto q = makeDouble(4, 1, kIdentity);
  auto handle = embedded::makeOfClass(mxFUNCTION_CLASS, 1, 1);
  const Refusal notEnough = refusalOf("rotslerp", refusal::notEnoughInputs, kCall);
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 1, {}), notEnough));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 1, {q.get(), q.get()}), notEnough));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 5, {q.get(), q.get()}), notEnough));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 1, {q.get(), q.get(), q.get(), q.get()}),
                            refusalOf("rotslerp", refusal::tooManyInputs, kCall)));
  EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 2, {handle.get(), handle.get(), handle.get()}),
                            refusalOf("rotslerp", refusal::tooManyOutputs, kCall)));
}

// Each position, every class that is not a real full double; the embedded
// host aborts on mxGetPr of them, so the message proves the class came first.
TEST(RotslerpGateway, RefusesEveryInputThatIsNotARealFullDouble) {
  auto q = makeDouble(4, 1, kIdentity);
  auto t = makeDouble(1, 1, {0.5});
  const char* const names[3] = {"Q1", "Q2", "T"};
  for (int position = 0; position < 3; ++position) {
    const Refusal notRealDouble = refusalOf("rotslerp", refusal::notRealDouble, names[position]);
    std::vector<embedded::Array> others;
    for (mxClassID id : {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT32_CLASS, mxINT64_CLASS, mxLOGICAL_CLASS, mxCHAR_CLASS,
                         mxCELL_CLASS, mxSTRUCT_CLASS, mxFUNCTION_CLASS}) {
      others.push_back(embedded::makeOfClass(id, position == 2 ? 1 : 4, 1));
    }
    others.push_back(embedded::makeComplex(position == 2 ? 1 : 4, 1, {1, 0, 0, 0}, {0, 0, 0, 0}));
    for (const auto& other : others) {
      std::vector<const mxArray*> inputs = {q.get(), q.get(), t.get()};
      inputs[position] = other.get();
      EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 1, inputs), notRealDouble)) << position;
    }
    auto sparse = embedded::makeSparse(position == 2 ? 1 : 4, 1, {1});
    std::vector<const mxArray*> inputs = {q.get(), q.get(), t.get()};
    inputs[position] = sparse.get();
    const Refusal sparseRefusal = refusalOf("rotslerp", refusal::sparse, names[position]);
    EXPECT_TRUE(RaisedCleanly(embedded::call(rotslerp, 1, inputs), sparseRefusal)) << position;
  }
  // A later input's class before an earlier input's shape.
  auto wrongRows = makeDouble(3, 1);
  auto text = embedded::makeChar("abc");
  EXPECT_TRUE(
      RaisedCleanly(slerp(wrongRows.get(), q.get(), text.get()), refusalOf("rotslerp", refusal::notRealDouble, "T")));
}

TEST(RotslerpGateway, CountsBeyondTheModelAreRefusedBeforeShapes) {
  auto q = makeDouble(4, 1, kIdentity);
  auto t = makeDouble(1, 1, {0.5});
  for (auto size : {std::pair<std::size_t, std::size_t>{4, (std::size_t{1} << 32) + 1}, {std::size_t{1} << 31, 1},
                    {1, std::size_t{1} << 31}}) {
    auto huge = embedded::makeHuge(size.first, size.second);
    EXPECT_TRUE(RaisedCleanly(slerp(huge.get(), q.get(), t.get()), refusalOf("rotslerp", refusal::tooLarge, "Q1")));
    EXPECT_TRUE(RaisedCleanly(slerp(q.get(), huge.get(), t.get()), refusalOf("rotslerp", refusal::tooLarge, "Q2")));
    EXPECT_TRUE(RaisedCleanly(slerp(q.get(), q.get(), huge.get()), refusalOf("rotslerp", refusal::tooLarge, "T")));
  }
}

TEST(RotslerpGateway, ShapesInOrderThenColumnCounts) {
  auto q = makeDouble(4, 1, kIdentity);
  auto q3 = makeDouble(4, 3);
  auto t = makeDouble(1, 1, {0.5});
  auto t2 = makeDouble(1, 2);
  for (auto size : {std::pair<std::size_t, std::size_t>{3, 1}, {1, 4}, {5, 2}, {0, 0}, {0, 4}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedCleanly(slerp(bad.get(), bad.get(), bad.get()), kRowsQ1));
    EXPECT_TRUE(RaisedCleanly(slerp(q.get(), bad.get(), bad.get()), kRowsQ2));
  }
  for (auto size : {std::pair<std::size_t, std::size_t>{4, 1}, {2, 2}, {0, 0}, {0, 3}, {3, 1}}) {
    auto bad = makeDouble(size.first, size.second);
    EXPECT_TRUE(RaisedCleanly(slerp(q3.get(), q.get(), bad.get()), kRowT)) << size.first << "x" << size.second;
  }
  // Rows before the mismatch of the counts.
  auto wrong = makeDouble(3, 2);
  EXPECT_TRUE(RaisedCleanly(slerp(q3.get(), wrong.get(), t2.get()), kRowsQ2));
  auto q2cols = makeDouble(4, 2);
  auto empty = makeDouble(4, 0);
  auto emptyT = makeDouble(1, 0);
  EXPECT_TRUE(RaisedCleanly(slerp(q3.get(), q2cols.get(), t.get()), kMismatch));
  EXPECT_TRUE(RaisedCleanly(slerp(q3.get(), q.get(), t2.get()), kMismatch));
  EXPECT_TRUE(RaisedCleanly(slerp(q.get(), q2cols.get(), makeDouble(1, 3).get()), kMismatch));
  EXPECT_TRUE(RaisedCleanly(slerp(empty.get(), q3.get(), t.get()), kMismatch));
  EXPECT_TRUE(RaisedCleanly(slerp(q3.get(), q3.get(), emptyT.get()), kMismatch));
}

// The result's columns: the count that is not 1, or 1; rotblend's formula
// in each (the kernel's scalar path stands in for it here; the kernel test
// checks it against rotblend's own).
TEST(RotslerpGateway, BroadcastFormsEmptiesAndTrailingDimensions) {
  struct Case {
    std::vector<std::size_t> q1, q2, t;
    std::size_t cols;
  };
  const Case cases[] = {
      {{4, 1}, {4, 1}, {1, 1}, 1}, {{4, 3}, {4, 3}, {1, 3}, 3}, {{4, 1}, {4, 3}, {1, 1}, 3},
      {{4, 3}, {4, 1}, {1, 3}, 3}, {{4, 1}, {4, 1}, {1, 5}, 5}, {{4, 0}, {4, 0}, {1, 0}, 0},
      {{4, 0}, {4, 1}, {1, 1}, 0}, {{4, 1}, {4, 1}, {1, 0}, 0}, {{4, 2, 3}, {4, 6}, {1, 3, 2}, 6},
      {{4, 1, 1}, {4, 1}, {1, 1, 4}, 4},
  };
  for (const Case& c : cases) {
    std::size_t n1 = 1, n2 = 1, nt = 1;
    for (std::size_t d : c.q1) n1 *= d;
    for (std::size_t d : c.q2) n2 *= d;
    for (std::size_t d : c.t) nt *= d;
    std::vector<double> v1, v2, vt;
    for (std::size_t k = 0; k < n1 / 4; ++k) v1.insert(v1.end(), kIdentity.begin(), kIdentity.end());
    for (std::size_t k = 0; k < n2 / 4; ++k) v2.insert(v2.end(), kQuarterZ.begin(), kQuarterZ.end());
    for (std::size_t k = 0; k < nt; ++k) vt.push_back(0.25 * static_cast<double>(k));
    auto a = embedded::makeArray(c.q1, v1), b = embedded::makeArray(c.q2, v2), t = embedded::makeArray(c.t, vt);
    for (int nlhs : {0, 1}) {  // a bare call returns into ans
      const embedded::CallResult result = slerp(a.get(), b.get(), t.get(), nlhs);
      ASSERT_FALSE(result.raised) << result.message;
      EXPECT_EQ(result.created, 1u);
      EXPECT_EQ(embedded::dimensions(result.output.get()), (std::vector<std::size_t>{4, c.cols}));
      std::vector<double> expected(4 * c.cols);
      const auto cols = static_cast<std::uint32_t>(c.cols);
      scalarPath(slerpColumnsPaths())(v1.data(), static_cast<std::uint32_t>(n1 / 4), v2.data(),
                                      static_cast<std::uint32_t>(n2 / 4), vt.data(), static_cast<std::uint32_t>(nt),
                                      expected.data(), cols);
      EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected));
    }
  }
}

TEST(RotslerpGateway, HalfAQuarterTurnIsAnEighth) {
  auto q1 = makeDouble(4, 1, kIdentity);
  auto q2 = makeDouble(4, 1, kQuarterZ);
  auto t = makeDouble(1, 1, {0.5});
  const embedded::CallResult result = slerp(q1.get(), q2.get(), t.get());
  ASSERT_FALSE(result.raised) << result.message;
  const std::vector<double> q = embedded::values(result.output.get());
  EXPECT_NEAR(q[0], std::cos(M_PI / 8), 1e-15);
  EXPECT_NEAR(q[3], std::sin(M_PI / 8), 1e-15);
}

// The data are touched only after the output exists (the first call of a
// process also registers the worker threads' join with mexAtExit).
TEST(RotslerpGateway, DataPointersComeAfterTheOutput) {
  auto q = makeDouble(4, 2);
  auto t = makeDouble(1, 2, {0, 1});
  const embedded::CallResult result = slerp(q.get(), q.get(), t.get());
  ASSERT_FALSE(result.raised) << result.message;
  const auto creation = std::find(result.log.begin(), result.log.end(), "mxCreateUninitNumericMatrix_730");
  ASSERT_NE(creation, result.log.end());
  EXPECT_EQ(std::count(result.log.begin(), creation, "mxGetPr"), 0);
  std::vector<std::string> after(creation + 1, result.log.end());
  after.erase(std::remove(after.begin(), after.end(), "mexAtExit"), after.end());
  EXPECT_EQ(after, std::vector<std::string>(4, "mxGetPr"));
}

} // namespace
