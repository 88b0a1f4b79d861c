// bvhwrite's gateway on the embedded host: a hand-built skeleton written
// and read back by bvhread's gateway, and refusals that leave the target
// file as it was, with no temporary file beside it.
#include "support/bits.h"
#include "support/gateway.h"
#include "support/scratch_files.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

using embedded::Array;

// Shoulder, Elbow, Elbow_end; the elbow turned a quarter about z in frame 2.
Array skeleton() {
  std::vector<std::pair<std::string, Array>> fields;
  fields.emplace_back("parents", embedded::makeDouble(1, 3, {0, 1, 2}));
  fields.emplace_back("offsets", embedded::makeDouble(3, 3, {0, 0, 0, 10, 0, 0, 5, 0, 0}));
  std::vector<Array> names;
  for (const char* n : {"Shoulder", "Elbow", "Elbow_end"}) names.push_back(embedded::makeChar(n));
  fields.emplace_back("names", embedded::makeCell(1, 3, std::move(names)));
  return embedded::makeStruct(std::move(fields));
}

Array motion(double w = std::sqrt(0.5)) {
  std::vector<std::pair<std::string, Array>> fields;
  fields.emplace_back("rootPositions", embedded::makeDouble(3, 2, {0, 0, 0, 1.0 / 3, 0, -0.0}));
  fields.emplace_back("localRotations", embedded::makeDouble(12, 2, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                                                     1, 0, 0, 0, w, 0, 0, std::sqrt(0.5), 1, 0, 0, 0}));
  fields.emplace_back("frameTime", embedded::makeDouble(1, 1, {0.5}));
  return embedded::makeStruct(std::move(fields));
}

TEST(BvhwriteGateway, WritesWhatBvhreadReadsBack) {
  const std::string folder = scratchFolder();
  const std::string path = folder + "/arm.bvh";
  const Array file = embedded::makeChar(path);
  const Array skel = skeleton();
  const Array move = motion();
  const embedded::CallResult r = embedded::call(deliverable("bvhwrite"), 1, {file.get(), skel.get(), move.get()});
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_EQ(embedded::text(r.output.get()), path);
  const std::string text = contents(path);
  EXPECT_NE(text.find("Frame Time: 0.5\n0 0 0 0 0 -0 0 0 -0\n0.3333333333333333 0 -0 90 0 -0 0 0 -0\n"), std::string::npos)
      << text;
  const embedded::CallResult back = embedded::call(deliverable("bvhread"), 2, {file.get()});
  ASSERT_FALSE(back.raised) << back.message;
  const std::vector<double> root = embedded::values(mxGetField(back.extraOutputs[0].get(), 0, "rootPositions"));
  EXPECT_TRUE(SameBits(root, {0, 0, 0, 1.0 / 3, 0, 0.0}));   // a zero OFFSET adds: -0 reads as 0
  // 'Digits', 3: fewer digits.
  const Array digits = embedded::makeChar("DIGITS");
  const Array three = embedded::makeDouble(1, 1, {3});
  ASSERT_FALSE(embedded::call(deliverable("bvhwrite"), 0, {file.get(), skel.get(), move.get(), digits.get(), three.get()}).raised);
  EXPECT_NE(contents(path).find("0.333 0 -0 90 0 -0 0 0 -0\n"), std::string::npos);
  EXPECT_EQ(listing(folder), (std::vector<std::string>{"arm.bvh"}));
  std::remove(path.c_str());
  rmdir(folder.c_str());
}

TEST(BvhwriteGateway, RefusalsLeaveTheFileAsItWas) {
  const std::string folder = scratchFolder();
  const std::string path = folder + "/out.bvh";
  std::ofstream(path) << "as it was";
  const Array file = embedded::makeChar(path);
  const Array skel = skeleton();
  const Array bad = embedded::makeDouble(1, 1, {3});
  struct Case {
    std::vector<const mxArray*> inputs;
    const char* identifier;
  };
  const Array move = motion();
  const Array unknown = embedded::makeChar("Precision");
  const Array eighteen = embedded::makeDouble(1, 1, {18});
  const Array digits = embedded::makeChar("Digits");
  const std::vector<Case> cases = {
      {{file.get(), skel.get()}, "rotkit:bvhwrite:notEnoughInputs"},
      {{file.get(), skel.get(), move.get(), digits.get()}, "rotkit:bvhwrite:options"},
      {{file.get(), skel.get(), move.get(), unknown.get(), eighteen.get()}, "rotkit:bvhwrite:options"},
      {{file.get(), skel.get(), move.get(), digits.get(), eighteen.get()}, "rotkit:bvhwrite:options"},
      {{bad.get(), skel.get(), move.get()}, "rotkit:bvhwrite:fileName"},
      {{file.get(), bad.get(), move.get()}, "rotkit:bvhwrite:skeleton"},
      {{file.get(), skel.get(), bad.get()}, "rotkit:bvhwrite:motion"},
  };
  for (const Case& c : cases) {
    const embedded::CallResult r = embedded::call(deliverable("bvhwrite"), 0, c.inputs);
    EXPECT_TRUE(r.raised);
    EXPECT_EQ(r.identifier, c.identifier) << r.message;
    EXPECT_EQ(r.created, 0u);
  }
  // A rotation its channels cannot express: the shoulder turns about z in
  // frame 2, and its one channel turns about x.
  std::vector<std::pair<std::string, Array>> fields;
  fields.emplace_back("parents", embedded::makeDouble(1, 3, {0, 1, 2}));
  fields.emplace_back("offsets", embedded::makeDouble(3, 3, {0, 0, 0, 10, 0, 0, 5, 0, 0}));
  std::vector<Array> names, lists, elbow, shoulder;
  for (const char* n : {"Shoulder", "Elbow", "Elbow_end"}) names.push_back(embedded::makeChar(n));
  fields.emplace_back("names", embedded::makeCell(1, 3, std::move(names)));
  shoulder.push_back(embedded::makeChar("Xrotation"));
  elbow.push_back(embedded::makeChar("Xrotation"));
  lists.push_back(embedded::makeCell(1, 1, std::move(shoulder)));
  lists.push_back(embedded::makeCell(1, 1, std::move(elbow)));
  lists.push_back(embedded::makeCell(0, 0, {}));
  fields.emplace_back("channels", embedded::makeCell(1, 3, std::move(lists)));
  const Array oneAxis = embedded::makeStruct(std::move(fields));
  const embedded::CallResult r = embedded::call(deliverable("bvhwrite"), 0, {file.get(), oneAxis.get(), move.get()});
  EXPECT_EQ(r.identifier, "rotkit:bvhwrite:rotation");
  EXPECT_EQ(r.message.rfind("the rotation of \"Shoulder\" in frame 2 cannot be written in its rotation channels (Xrotation)", 0), 0u)
      << r.message;
  const embedded::CallResult missing = embedded::call(deliverable("bvhwrite"), 0, {embedded::makeChar("/no/such/folder/x.bvh").get(), skel.get(), move.get()});
  EXPECT_EQ(missing.identifier, "rotkit:bvhwrite:cannotWrite");
  EXPECT_EQ(missing.message, "cannot write in the folder of \"/no/such/folder/x.bvh\".");
  EXPECT_EQ(contents(path), "as it was");
  EXPECT_EQ(listing(folder), (std::vector<std::string>{"out.bvh"}));
  std::remove(path.c_str());
  rmdir(folder.c_str());
}

} // namespace
