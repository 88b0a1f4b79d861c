// asfread's parsers and layout on texts written here: the joints in the
// order of :hierarchy whatever :bonedata's, offsets from the bones'
// vectors, an AMC's lines in any order read to the same values, a root
// translation of -0 kept, and faults with their reasons and lines.
#include "motionfiles/asfread/asf_motion.h"
#include "motionfiles/asfread/asf_parser.h"
#include "motionfiles/file_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kAsf =
    "# comment\r\n:units\r\n  length 0.45\r\n  angle DEG\r\n:root\r\n  order TX TY TZ RX RY RZ\r\n  axis xyz\r\n"
    "  position 0 0 0\r\n  orientation 0 0 0\r\n:bonedata\r\n"
    "  begin\r\n name b\r\n direction 0 1 0\r\n length 2\r\n axis 0 0 0 XYZ\r\n dof RZ\r\n end\r\n"
    "  begin\r\n name a\r\n direction 1 0 0\r\n length 3\r\n axis 0 0 0 XYZ\r\n dof rx ry\r\n limits (-1 1)\r\n (-2 2)\r\n end\r\n"
    "  begin\r\n name c\r\n direction 0 0 1\r\n length 1\r\n axis 0 0 0 XYZ\r\n end\r\n"
    ":hierarchy\r\n begin\r\n root a c\r\n a b\r\n end\r\n";

asf::Skeleton skeleton() { return asf::parseAsf(kAsf, std::strlen(kAsf)); }

std::string faultOf(const std::string& asfText, const std::string& amcText, std::size_t& line) {
  try {
    const asf::Skeleton s = asf::parseAsf(asfText.data(), asfText.size());
    asf::parseAmc(amcText.data(), amcText.size(), s);
  } catch (const motionfiles::FileError& e) {
    line = e.line;
    return e.reason;
  }
  return "none";
}

TEST(AsfSkeleton, JointsInTheOrderOfTheHierarchy) {
  const asf::Skeleton s = skeleton();
  EXPECT_FALSE(s.bones.empty());
  EXPECT_TRUE(s.degrees);
  EXPECT_EQ(s.lengthUnit, 0.45);
  const asf::Joints j = asf::jointsOf(s);
  EXPECT_EQ(j.names, (std::vector<std::string>{"root", "a", "b", "b_end", "c", "c_end"}));
  EXPECT_EQ(j.parents, (std::vector<std::uint32_t>{0, 1, 2, 3, 1, 5}));
  // b stands at a's end; b's End Site at b's; c at the root.
  EXPECT_EQ(std::vector<double>(j.offsets.begin() + 6, j.offsets.begin() + 12), (std::vector<double>{3, 0, 0, 0, 2, 0}));
  EXPECT_EQ(std::vector<double>(j.offsets.begin() + 12, j.offsets.end()), (std::vector<double>{0, 0, 0, 0, 0, 1}));
}

TEST(AsfMotion, LinesInAnyOrderTheSameValues) {
  const asf::Skeleton s = skeleton();
  const std::string inOrder = ":DEGREES\n1\nroot -0 1 2 3 4 5\nb 6\na 7 8\n2\nroot 0 1 2 3 4 5\nb 9\na 10 11\n";
  const std::string shuffled = "1\na 7 8\nroot -0 1 2 3 4 5\nb 6\n2\nb 9\na 10 11\nroot 0 1 2 3 4 5\n";
  const asf::Motion m1 = asf::parseAmc(inOrder.data(), inOrder.size(), s);
  const asf::Motion m2 = asf::parseAmc(shuffled.data(), shuffled.size(), s);
  EXPECT_EQ(m1.frames, 2u);
  EXPECT_EQ(m1.values, m2.values);
  double root[6];
  asf::fillRootPositions(s, m1, root);
  EXPECT_TRUE(std::signbit(root[0]));  // -0 stays -0
  // A bone with no degrees of freedom turns nothing: c's End Site's rows
  // hold the identity, and the root's rows too.
  const asf::Joints j = asf::jointsOf(s);
  std::vector<double> local(4 * j.names.size() * 2, 0.0);
  asf::fillRotations(s, m1, j, local.data());
  EXPECT_EQ(std::vector<double>(local.begin() + 20, local.begin() + 24), (std::vector<double>{1, 0, 0, 0}));
  EXPECT_EQ(std::vector<double>(local.begin(), local.begin() + 4), (std::vector<double>{1, 0, 0, 0}));
}

TEST(AsfFaults, ReasonsAndLines) {
  std::size_t line = 0;
  const std::string asf = kAsf;
  EXPECT_EQ(faultOf(asf, "1\nroot 0 0 0 0 0 0\na 1 2\n", line), "amc");  // b missing
  EXPECT_EQ(line, 1u);
  EXPECT_EQ(faultOf(asf, "1\nroot 0 0 0 0 0 0\na 1 2\nb 1\nb 2\n", line), "amc");
  EXPECT_EQ(line, 5u);
  EXPECT_EQ(faultOf(asf, "1\nroot 0 0 0 0 0 0\na 1 2e999\nb 1\n", line), "number");
  EXPECT_EQ(line, 3u);
  std::string noEnd = asf;
  noEnd.replace(noEnd.find(" end\r\n  begin\r\n name a"), 6, "");
  EXPECT_EQ(faultOf(noEnd, "", line), "asf");
  EXPECT_EQ(line, 17u);  // the second "begin"
  EXPECT_EQ(faultOf(std::string(kAsf).replace(asf.find("dof RZ"), 6, "dof l "), "", line), "asf");
  EXPECT_EQ(line, 16u);
  EXPECT_EQ(faultOf(std::string("stray\n") + kAsf, "", line), "asf");
  EXPECT_EQ(line, 1u);
}

} // namespace
