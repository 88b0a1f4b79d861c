// posechain on the embedded host: every check and its precedence, nothing
// created before a failure, nothing read when there is no frame, and the
// frames placed in their columns.
#include "skeletons/posechain/evaluate_pose.h"

#include "support/bits.h"
#include "support/gateway.h"

#include <algorithm>
#include <cmath>

using embedded::makeDouble;

namespace {

const embedded::MexEntry posechain = deliverable("posechain");

embedded::CallResult chain(const mxArray* parents, const mxArray* offsets, const mxArray* root,
                           const mxArray* local, int nlhs = 1) {
  return embedded::call(posechain, nlhs, {parents, offsets, root, local});
}

// A valid two-joint skeleton over `frames` frames: the root turns a quarter
// turn about z in every frame and joint 1 sits 1 along x from it.
struct Motion {
  embedded::Array parents = makeDouble(1, 2, {0, 1});
  embedded::Array offsets = makeDouble(3, 2, {0, 0, 0, 1, 0, 0});
  embedded::Array root;
  embedded::Array local;
  explicit Motion(std::size_t frames, std::size_t rotationRows = 8) {
    const double h = std::sqrt(0.5);
    std::vector<double> rotations;
    for (std::size_t k = 0; k < frames; ++k) {
      std::vector<double> column(rotationRows, 0.0);
      std::copy_n(std::vector<double>{h, 0, 0, h, 1, 0, 0, 0}.begin(), std::min<std::size_t>(8, rotationRows),
                  column.begin());
      rotations.insert(rotations.end(), column.begin(), column.end());
    }
    std::vector<double> positions;
    for (std::size_t k = 0; k < frames; ++k) positions.insert(positions.end(), {double(k), 0, 0});
    root = makeDouble(3, frames, positions);
    local = makeDouble(rotationRows, frames, rotations);
  }
  embedded::CallResult run(int nlhs = 1) const {
    return chain(parents.get(), offsets.get(), root.get(), local.get(), nlhs);
  }
};

TEST(PosechainGateway, CountsComeFirst) {
  Motion m(1);
  const mxArray* p = m.parents.get();
  EXPECT_TRUE(RaisedCleanly(embedded::call(posechain, 0, {p, p, p}), "Four inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(posechain, 1, {p, p, p, p, p}), "Four inputs required."));
  EXPECT_TRUE(RaisedCleanly(embedded::call(posechain, 1, {}), "Four inputs required."));
  EXPECT_TRUE(RaisedCleanly(m.run(0), "One output required."));
  EXPECT_TRUE(RaisedCleanly(m.run(2), "One output required."));
}

// The frame-count match precedes every refusal of our own: it compares the
// low 32 bits, whatever the classes.
TEST(PosechainGateway, MismatchPrecedesClassAndModelChecks) {
  auto root = makeDouble(3, 2);
  auto local = makeDouble(4, 3);
  auto handle = embedded::makeOfClass(mxFUNCTION_CLASS, 1, 1);
  EXPECT_TRUE(RaisedCleanly(chain(handle.get(), handle.get(), root.get(), local.get()), "Input Dimension missmatch"));
  auto cellRoot = embedded::makeOfClass(mxCELL_CLASS, 3, 2);
  EXPECT_TRUE(RaisedCleanly(chain(handle.get(), handle.get(), cellRoot.get(), local.get()), "Input Dimension missmatch"));
  auto hugeRoot = embedded::makeHuge(3, (std::size_t{1} << 32) + 2);
  auto oneFrame = makeDouble(8, 1);
  EXPECT_TRUE(RaisedCleanly(chain(handle.get(), handle.get(), hugeRoot.get(), oneFrame.get()),
                            "Input Dimension missmatch"));
}

TEST(PosechainGateway, RefusesCountsBeyondTheModel) {
  Motion m(1);
  const char* const tooManyRows = "localRotations has too many rows: 3 times its row count must be below 2^32.";
  // 2^32 + 1 frames on both sides agree in their low bits and must not
  // pass as one frame.
  const std::size_t wrapsToOne = (std::size_t{1} << 32) + 1;
  auto hugeRoot = embedded::makeHuge(3, wrapsToOne);
  auto hugeLocal = embedded::makeHuge(8, wrapsToOne);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), hugeRoot.get(), hugeLocal.get()),
                            ROTKIT_MSG_TOO_LARGE));
  auto tallLocal = embedded::makeHuge((std::size_t{1} << 32) + 8, 1);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), m.root.get(), tallLocal.get()),
                            ROTKIT_MSG_TOO_LARGE));
  // Rows that fit 31 bits but whose output row count would wrap; the
  // check holds even when there is no frame.
  auto noFrame = makeDouble(3, 0);
  auto wrapsOutput = embedded::makeHuge(1431655766, 0);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), noFrame.get(), wrapsOutput.get()), tooManyRows));
  auto largestRows = embedded::makeHuge(1431655765, 0);
  const embedded::CallResult widest = chain(m.parents.get(), m.offsets.get(), noFrame.get(), largestRows.get());
  ASSERT_FALSE(widest.raised) << widest.message;
  EXPECT_EQ(rowsOf(widest), 1073741823u);
  // Skeleton and root counts are read once there is a frame.
  auto longParents = embedded::makeHuge(1, std::size_t{1} << 31);
  EXPECT_TRUE(RaisedCleanly(chain(longParents.get(), m.offsets.get(), m.root.get(), m.local.get()),
                            ROTKIT_MSG_TOO_LARGE));
  auto tallOffsets = embedded::makeHuge((std::size_t{1} << 32) + 3, 2);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), tallOffsets.get(), m.root.get(), m.local.get()),
                            ROTKIT_MSG_TOO_LARGE));
  auto tallRoot = embedded::makeHuge((std::size_t{1} << 32) + 3, 1);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), tallRoot.get(), m.local.get()),
                            ROTKIT_MSG_TOO_LARGE));
}

// With no frame nothing is read: any class stands, and the host aborts the
// test if a gateway touches the data of an array that is not double.
TEST(PosechainGateway, NoFrameGivesAnEmptyResultForAnyInput) {
  auto handle = embedded::makeOfClass(mxFUNCTION_CLASS, 1, 1);
  auto cell = embedded::makeOfClass(mxCELL_CLASS, 2, 2);
  auto structRoot = embedded::makeOfClass(mxSTRUCT_CLASS, 5, 0);
  auto charLocal = embedded::makeOfClass(mxCHAR_CLASS, 7, 0);
  const embedded::CallResult result = chain(handle.get(), cell.get(), structRoot.get(), charLocal.get());
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(rowsOf(result), 5u);
  EXPECT_EQ(colsOf(result), 0u);
  EXPECT_EQ(result.created, 2u);  // the output, then the scratch matrix
  EXPECT_EQ(std::count(result.log.begin(), result.log.end(), "mxGetPr"), 0);
  auto none = makeDouble(0, 0);
  const embedded::CallResult empty = chain(none.get(), none.get(), none.get(), none.get());
  ASSERT_FALSE(empty.raised) << empty.message;
  EXPECT_EQ(rowsOf(empty), 0u);
}

TEST(PosechainGateway, RefusesInputsThatAreNotFullDouble) {
  const mxClassID others[] = {mxSINGLE_CLASS, mxINT8_CLASS, mxUINT32_CLASS, mxINT64_CLASS, mxLOGICAL_CLASS,
                              mxCHAR_CLASS,   mxCELL_CLASS, mxSTRUCT_CLASS, mxFUNCTION_CLASS};
  for (int position = 0; position < 4; ++position) {
    for (mxClassID id : others) {
      Motion m(2);
      // The same shape as the input it replaces, so only the class is wrong.
      const mxArray* inputs[4] = {m.parents.get(), m.offsets.get(), m.root.get(), m.local.get()};
      auto other = embedded::makeOfClass(id, mxGetM(inputs[position]), mxGetN(inputs[position]));
      inputs[position] = other.get();
      EXPECT_TRUE(RaisedCleanly(chain(inputs[0], inputs[1], inputs[2], inputs[3]), ROTKIT_MSG_NOT_DOUBLE))
          << "input " << position + 1 << ", class " << id;
    }
    Motion m(2);
    const mxArray* inputs[4] = {m.parents.get(), m.offsets.get(), m.root.get(), m.local.get()};
    auto sparse = embedded::makeSparse(mxGetM(inputs[position]), mxGetN(inputs[position]), {1});
    inputs[position] = sparse.get();
    EXPECT_TRUE(RaisedCleanly(chain(inputs[0], inputs[1], inputs[2], inputs[3]), ROTKIT_MSG_SPARSE))
        << "input " << position + 1;
  }
  // The class is tested before any shape, and in call order.
  Motion m(1);
  auto shortInts = embedded::makeOfClass(mxINT32_CLASS, 1, 0);
  auto badRoot = makeDouble(2, 1);
  EXPECT_TRUE(RaisedCleanly(chain(shortInts.get(), m.offsets.get(), badRoot.get(), m.local.get()),
                            ROTKIT_MSG_NOT_DOUBLE));
  auto sparseOffsets = embedded::makeSparse(3, 2, {});
  auto cellLocal = embedded::makeOfClass(mxCELL_CLASS, 8, 1);
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), sparseOffsets.get(), m.root.get(), cellLocal.get()),
                            ROTKIT_MSG_SPARSE));
}

TEST(PosechainGateway, ShapeMessagesInTheirOrder) {
  const char* const rootRows = "rootPositions must have 3 rows: one (x, y, z) column per frame.";
  const char* const fewRotationRows =
      "localRotations must have at least 4 rows: one (w, x, y, z) quaternion per joint, root first.";
  Motion m(2);
  auto root2 = makeDouble(2, 2), root4 = makeDouble(4, 2), local3 = makeDouble(3, 2), local0 = makeDouble(0, 2);
  auto oneParent = makeDouble(1, 1), noParent = makeDouble(0, 0), fiveOffsets = makeDouble(5, 1);
  auto parentsColumn = makeDouble(2, 1, {0, 1}), offsetsRow = makeDouble(1, 6, {0, 0, 0, 1, 0, 0});
  EXPECT_TRUE(RaisedCleanly(chain(noParent.get(), noParent.get(), root2.get(), local3.get()), rootRows));
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), root4.get(), m.local.get()), rootRows));
  EXPECT_TRUE(RaisedCleanly(chain(noParent.get(), noParent.get(), m.root.get(), local3.get()), fewRotationRows));
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), m.offsets.get(), m.root.get(), local0.get()), fewRotationRows));
  EXPECT_TRUE(RaisedCleanly(chain(oneParent.get(), fiveOffsets.get(), m.root.get(), m.local.get()),
                            "parents must have one element per joint, at least 2."));
  EXPECT_TRUE(RaisedCleanly(chain(m.parents.get(), fiveOffsets.get(), m.root.get(), m.local.get()),
                            "offsets must have 3 elements per joint, at least 6 (3 x 2)."));
  // A single joint still needs its parent entry and offset column.
  Motion single(2, 4);
  EXPECT_TRUE(RaisedCleanly(chain(noParent.get(), single.offsets.get(), single.root.get(), single.local.get()),
                            "parents must have one element per joint, at least 1."));
  // Only the element counts matter: a column of parents, a row of offsets.
  const embedded::CallResult reshaped = chain(parentsColumn.get(), offsetsRow.get(), m.root.get(), m.local.get());
  ASSERT_FALSE(reshaped.raised) << reshaped.message;
  EXPECT_TRUE(SameBits(embedded::values(reshaped.output.get()), embedded::values(m.run().output.get())));
}

TEST(PosechainGateway, ParentsMustNameAnEarlierJoint) {
  // Four joints; joint 3 (parents(4)) may name joints 1 to 3.
  auto offsets = makeDouble(3, 4);
  auto root = makeDouble(3, 1);
  auto local = makeDouble(16, 1);
  const double largestTruncatingTo3 = std::nextafter(4.0, 0.0);
  for (double bad : {kNaN, kInf, -kInf, 0.0, -0.0, 0.999, -1.0, 4.0, 5.0, 1e300, -1e300, 2147483648.0}) {
    auto parents = makeDouble(4, 1, {0, 1, 1, bad});
    EXPECT_TRUE(RaisedCleanly(chain(parents.get(), offsets.get(), root.get(), local.get()),
                              "parents(4) must name an earlier joint (1 to 3)."))
        << describe(bad);
  }
  // The first offending joint is the one named; the root's entry is free.
  auto twoBad = makeDouble(4, 1, {kNaN, 2, 7, 1});
  EXPECT_TRUE(RaisedCleanly(chain(twoBad.get(), offsets.get(), root.get(), local.get()),
                            "parents(2) must name an earlier joint (1 to 1)."));
  auto edges = makeDouble(4, 1, {kNaN, 1.999, 2.5, largestTruncatingTo3});
  const embedded::CallResult accepted = chain(edges.get(), offsets.get(), root.get(), local.get());
  EXPECT_FALSE(accepted.raised) << accepted.message;
}

TEST(PosechainGateway, HostCallsFollowTheDocumentedOrder) {
  Motion m(2);
  const embedded::CallResult result = m.run();
  ASSERT_FALSE(result.raised) << result.message;
  const std::vector<std::string> expected = {
      "mxGetN", "mxGetN", "mxGetM",                                      // frames, frames, rotation rows
      "mxIsDouble", "mxIsSparse", "mxIsDouble", "mxIsSparse", "mxIsDouble", "mxIsSparse", "mxIsDouble", "mxIsSparse",
      "mxGetM", "mxGetN", "mxGetM", "mxGetN", "mxGetM",                  // parents, offsets, root rows
      "mxGetPr",                                                         // parent numbers checked
      "mxCreateDoubleMatrix_730", "mxCreateDoubleMatrix_730",            // output, then scratch
      "mxGetPr", "mxGetPr", "mxGetPr", "mxGetPr", "mxGetPr", "mxGetPr"};
  EXPECT_EQ(result.log, expected);
  EXPECT_EQ(result.created, 2u);
}

// Each frame lands in its own column; rows from 3J on stay zero, and the
// surplus rotation rows are not read.
TEST(PosechainGateway, FramesFillTheirColumnsAndSurplusRowsStayZero) {
  for (std::size_t extra : {0u, 1u, 2u, 3u}) {
    Motion m(3, 8 + extra);
    std::vector<double> local = embedded::values(m.local.get());
    for (std::size_t k = 0; k < 3; ++k) {
      for (std::size_t i = 8; i < 8 + extra; ++i) local[k * (8 + extra) + i] = kNaN;
    }
    auto noisyLocal = makeDouble(8 + extra, 3, local);
    const embedded::CallResult result = chain(m.parents.get(), m.offsets.get(), m.root.get(), noisyLocal.get());
    ASSERT_FALSE(result.raised) << result.message;
    const std::size_t rows = (3 * (8 + extra)) / 4;
    ASSERT_EQ(rowsOf(result), rows);
    ASSERT_EQ(colsOf(result), 3u);
    std::vector<double> expected;
    for (std::size_t k = 0; k < 3; ++k) {
      std::vector<double> global(8), joints(6);
      evaluatePose(2, embedded::values(m.parents.get()).data(), embedded::values(m.offsets.get()).data(),
                   embedded::values(m.root.get()).data() + 3 * k, local.data() + k * (8 + extra), global.data(),
                   joints.data());
      joints.resize(rows, 0.0);
      expected.insert(expected.end(), joints.begin(), joints.end());
    }
    EXPECT_TRUE(SameBits(embedded::values(result.output.get()), expected)) << "M = " << 8 + extra;
  }
}

} // namespace
