// bvhread's gateway on the embedded host: the struct outputs, the
// frame-count warning, and errors that name file and line with nothing
// created before them.
#include "support/bits.h"
#include "support/gateway.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string writeFile(const std::string& text) {
  char name[] = "/tmp/rotkit-bvhread-XXXXXX";
  const int fd = mkstemp(name);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  return name;
}

const std::string kFile =
    "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 90 0\n  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    "  JOINT Leg\n  {\n    OFFSET 1 -2 0\n    CHANNELS 4 Xposition Zrotation Xrotation Yrotation\n"
    "    End Site\n    {\n      OFFSET 0 -3 0\n    }\n  }\n}\nMOTION\nFrames: 3\nFrame Time: 0.04\n"
    "0 91 2 10 20 30 1 40 50 60\n1 92 3 11 21 31 2 41 51 61\n";

const mxArray* field(const embedded::CallResult& r, int output, const char* name) {
  const mxArray* s = output == 0 ? r.output.get() : r.extraOutputs[static_cast<std::size_t>(output - 1)].get();
  return mxGetField(s, 0, name);
}

TEST(BvhreadGateway, StructsWithEveryField) {
  const std::string file = writeFile(kFile);
  const embedded::Array name = embedded::makeChar(file);
  const embedded::CallResult r = embedded::call(deliverable("bvhread"), 2, {name.get()});
  ASSERT_FALSE(r.raised) << r.message;
  EXPECT_TRUE(SameBits(embedded::values(field(r, 0, "parents")), {0, 1, 2}));
  const mxArray* names = field(r, 0, "names");
  ASSERT_TRUE(mxIsCell(names));
  EXPECT_EQ(embedded::text(mxGetCell(names, 2)), "Leg_end");
  const mxArray* channels = mxGetCell(field(r, 0, "channels"), 1);
  EXPECT_EQ(mxGetN(channels), 4u);
  EXPECT_EQ(embedded::text(mxGetCell(channels, 0)), "Xposition");
  EXPECT_EQ(mxGetN(mxGetCell(field(r, 0, "channels"), 2)), 0u);
  EXPECT_EQ(embedded::logicals(field(r, 0, "endSites")), (std::vector<bool>{false, false, true}));
  // The root at its channels; the leg's translation changes: NaN in
  // skel.offsets, every frame's in motion.offsets.
  EXPECT_TRUE(SameBits(embedded::values(field(r, 1, "rootPositions")), {0, 91, 2, 1, 92, 3}));
  const std::vector<double> offsets = embedded::values(field(r, 0, "offsets"));
  EXPECT_TRUE(std::isnan(offsets[3]));
  EXPECT_EQ(embedded::dimensions(field(r, 1, "offsets")), (std::vector<std::size_t>{9, 2}));
  EXPECT_EQ(embedded::dimensions(field(r, 1, "localRotations")), (std::vector<std::size_t>{12, 2}));
  // Fewer frames than announced: a warning naming the file and both counts.
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(r.warnings[0].identifier, "rotkit:bvhread:frameCount");
  EXPECT_EQ(r.warnings[0].message, file + ": \"Frames:\" announces 3 frames and the file holds 2 frame lines; the 2 are read.");
  // The skeleton alone, into ans.
  const embedded::CallResult bare = embedded::call(deliverable("bvhread"), 0, {name.get()});
  ASSERT_FALSE(bare.raised);
  EXPECT_EQ(mxGetField(bare.output.get(), 0, "localRotations"), nullptr);
  EXPECT_NE(mxGetField(bare.output.get(), 0, "names"), nullptr);
  std::remove(file.c_str());
}

TEST(BvhreadGateway, ErrorsNameFileAndLineAndCreateNothing) {
  const std::string file = writeFile(kFile.substr(0, kFile.size() - 10));  // the last line cut short
  const embedded::Array name = embedded::makeChar(file);
  const embedded::CallResult r = embedded::call(deliverable("bvhread"), 2, {name.get()});
  EXPECT_TRUE(r.raised);
  EXPECT_EQ(r.identifier, "rotkit:bvhread:frameValues");
  EXPECT_EQ(r.message, file + ", line 20: frame 2 has 7 values; the CHANNELS call for 10.");
  EXPECT_EQ(r.created, 0u);
  std::remove(file.c_str());
  const embedded::CallResult missing = embedded::call(deliverable("bvhread"), 1, {name.get()});
  EXPECT_EQ(missing.identifier, "rotkit:bvhread:cannotOpen");
  EXPECT_EQ(missing.message, "cannot open \"" + file + "\".");
  EXPECT_EQ(missing.created, 0u);
  const embedded::Array number = embedded::makeDouble(1, 1, {3});
  EXPECT_EQ(embedded::call(deliverable("bvhread"), 1, {number.get()}).identifier, "rotkit:bvhread:fileName");
  const embedded::Array rows = embedded::makeChar("abcd", 2);
  EXPECT_EQ(embedded::call(deliverable("bvhread"), 1, {rows.get()}).identifier, "rotkit:bvhread:fileName");
  EXPECT_EQ(embedded::call(deliverable("bvhread"), 1, {}).identifier, "rotkit:bvhread:notEnoughInputs");
  EXPECT_EQ(embedded::call(deliverable("bvhread"), 3, {name.get()}).identifier, "rotkit:bvhread:tooManyOutputs");
}

} // namespace
