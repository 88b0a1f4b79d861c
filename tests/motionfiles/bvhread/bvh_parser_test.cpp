// bvhread's parser on texts in memory: what it reads, and the line and
// reason of every kind of fault.
#include "motionfiles/bvhread/bvh_motion.h"
#include "motionfiles/bvhread/bvh_parser.h"
#include "motionfiles/file_error.h"

#include "support/bits.h"

#include <string>

namespace {

const std::string kSmall =
    "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 0 0\n  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    "  JOINT Leg\n  {\n    OFFSET 1 -2 0\n    CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "    End Site\n    {\n      OFFSET 0 -3 0\n    }\n  }\n}\nMOTION\nFrames: 2\nFrame Time: 0.04\n"
    "0 1 2 10 20 30 40 50 60\n1 2 3 11 21 31 41 51 61\n";

bvh::ParsedFile parse(const std::string& text) { return bvh::parseBvh(text.data(), text.size()); }

// The line and reason of the fault of `text`.
std::string faultOf(const std::string& text) {
  try {
    parse(text);
  } catch (const motionfiles::FileError& error) {
    return std::to_string(error.line) + " " + error.reason + ": " + error.message;
  }
  return "no fault";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(BvhParser, ReadsTheTreeAndTheValues) {
  const bvh::ParsedFile file = parse(kSmall);
  ASSERT_EQ(file.skeleton.joints.size(), 3u);
  EXPECT_EQ(file.skeleton.joints[2].name, "Leg_end");
  EXPECT_EQ(file.skeleton.joints[2].parent, 2u);
  EXPECT_TRUE(file.skeleton.joints[2].endSite);
  EXPECT_EQ(file.skeleton.channelCount, 9u);
  EXPECT_EQ(file.frames, 2u);
  EXPECT_EQ(file.announcedFrames, 2u);
  EXPECT_EQ(file.values.size(), 18u);
  EXPECT_EQ(file.values[9], 1.0);
  EXPECT_EQ(bitsOf(file.frameTime), bitsOf(0.04));
}

TEST(BvhParser, FaultsNameTheirLines) {
  EXPECT_EQ(faultOf(replaced(kSmall, "HIERARCHY", "HIERARCHIE")), "1 hierarchy: expected HIERARCHY, found \"HIERARCHIE\".");
  EXPECT_EQ(faultOf(replaced(kSmall, "OFFSET 1 -2 0", "OFFSET 1 -2")), "8 hierarchy: OFFSET takes 3 numbers, found 2.");
  EXPECT_EQ(faultOf(replaced(kSmall, "OFFSET 1 -2 0", "OFFSET 1 -2 0 }")), "8 number: OFFSET: \"}\" is not a number.");
  EXPECT_EQ(faultOf(replaced(kSmall, "CHANNELS 3 Zrotation", "CHANNELS 5 Zposition Zrotation Zposition")),
            "9 hierarchy: position channel Zposition is listed twice.");
  EXPECT_EQ(faultOf(replaced(kSmall, "Frames: 2", "Frames:")), "17 motion: expected \"Frames: N\" after MOTION.");
  EXPECT_EQ(faultOf(replaced(kSmall, "Frame Time: 0.04", "Frame  Time: -1")), "18 motion: Frame Time must be positive, found -1.");
  EXPECT_EQ(faultOf(replaced(kSmall, "41 51 61", "41 51")), "20 frameValues: frame 2 has 8 values; the CHANNELS call for 9.");
  EXPECT_EQ(faultOf(replaced(kSmall, "41 51 61", "41 51 61 71")), "20 frameValues: frame 2 has 10 values; the CHANNELS call for 9.");
  EXPECT_EQ(faultOf(replaced(kSmall, "41 51 61", "41 5e999 61")), "20 number: frame 2, value 8 is out of range.");
  EXPECT_EQ(faultOf(replaced(kSmall, "Leg\n", "L\xC3\n")), "6 encoding: the text is not UTF-8 (a byte above 127 out of place).");
  EXPECT_EQ(faultOf(kSmall.substr(0, kSmall.find("MOTION"))), "15 hierarchy: no MOTION line: the file ends in its hierarchy.");
  // The name of a joint is the rest of its line, up to a brace.
  EXPECT_EQ(parse(replaced(kSmall, "JOINT Leg\n  {", "JOINT Left  Leg {")).skeleton.joints[1].name, "Left Leg");
}

TEST(BvhParser, FrameCountsAsTheLinesAre) {
  // "Frames:" far beyond the text: the frames that are there, and no
  // memory for the announced count.
  const bvh::ParsedFile many = parse(replaced(kSmall, "Frames: 2", "Frames: 99999999999999999999999"));
  EXPECT_EQ(many.frames, 2u);
  EXPECT_GT(many.announcedFrames, std::uint64_t{1} << 59);
  EXPECT_LE(many.values.capacity(), 64u);
  const bvh::ParsedFile extra = parse(replaced(kSmall, "Frames: 2", "Frames: 1"));
  EXPECT_EQ(extra.frames, 2u);
  EXPECT_EQ(extra.announcedFrames, 1u);
  // Blank lines among the frames are no frames; a last line without end is one.
  const bvh::ParsedFile blanks = parse(replaced(kSmall, "60\n1 2", "60\n\n \t\n1 2") + "\n\n2 3 4 5 6 7 8 9 10");
  EXPECT_EQ(blanks.frames, 3u);
  // No channels: a frame is a line, empty; never more than announced.
  const std::string none = "HIERARCHY\nROOT A\n{\nOFFSET 0 0 0\n}\nMOTION\nFrames: 3\nFrame Time: 1\n\n\n\n\n\n";
  EXPECT_EQ(parse(none).frames, 3u);
  EXPECT_EQ(parse(replaced(none, "Frames: 3", "Frames: 9")).frames, 5u);
  EXPECT_EQ(faultOf(none + "1"), "14 motion: motion data, but the hierarchy has no CHANNELS.");
  // No frames with turns chained channel by channel: nothing is read.
  const bvh::ParsedFile empty = parse(replaced(replaced(kSmall.substr(0, kSmall.find("0 1 2")), "Frames: 2", "Frames: 0"),
                                               "CHANNELS 3 Zrotation Xrotation Yrotation", "CHANNELS 2 Zrotation Yrotation"));
  const bvh::MotionLayout layout = bvh::layoutOf(empty);
  bvh::fillRotations(empty, layout, nullptr, nullptr);
  EXPECT_EQ(layout.frames, 0u);
}

TEST(BvhParser, PositionChannelsAreTranslations) {
  // The root at its channels where its OFFSET is not zero; a joint's
  // channel in place of its OFFSET's coordinate; a zero coordinate adds.
  std::string text = replaced(kSmall, "OFFSET 0 0 0", "OFFSET 5 100 -0");
  text = replaced(text, "CHANNELS 3 Zrotation", "CHANNELS 5 Yposition Zposition Zrotation");
  text = replaced(text, "0 1 2 10 20 30 40 50 60", "0 1 -0 10 20 30 7 -0 40 50 60");
  text = replaced(text, "1 2 3 11 21 31 41 51 61", "1 2 3 11 21 31 8 -0 41 51 61");
  const bvh::ParsedFile file = parse(text);
  const bvh::MotionLayout layout = bvh::layoutOf(file);
  std::vector<double> root(6);
  bvh::fillRootPositions(file, layout, root.data());
  EXPECT_TRUE(SameBits(root, {0, 1, -0.0 + -0.0, 1, 2, -0.0 + 3}));
  EXPECT_TRUE(layout.anyChanging);
  EXPECT_TRUE(layout.changing[1]);
  std::vector<double> offsets(9), frameOffsets(18);
  bvh::fillJointOffsets(file, layout, offsets.data());
  bvh::fillFrameOffsets(file, layout, frameOffsets.data());
  EXPECT_TRUE(std::isnan(offsets[3]) && std::isnan(offsets[4]) && std::isnan(offsets[5]));
  EXPECT_TRUE(SameBits({offsets[6], offsets[7], offsets[8]}, {0, -3, 0}));
  EXPECT_TRUE(SameBits({frameOffsets[3], frameOffsets[4], frameOffsets[5]}, {1, 7, 0.0 + -0.0}));
  EXPECT_TRUE(SameBits({frameOffsets[12], frameOffsets[13], frameOffsets[14]}, {1, 8, 0.0 + -0.0}));
  // The root's rows of motion.offsets are its positions.
  EXPECT_TRUE(SameBits({frameOffsets[9], frameOffsets[10], frameOffsets[11]}, {root[3], root[4], root[5]}));
}

} // namespace
