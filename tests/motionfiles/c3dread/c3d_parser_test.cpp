// c3dread's parser on C3D images built here byte by byte: the three
// processor formats' numbers bit for bit, the parameter records in the
// shapes writers leave them, the counts that place the frames, and every
// fault a FileError with its reason; then the gateway on the embedded
// host: an error leaves nothing created, a file cut short warns.
#include "motionfiles/c3dread/c3d_parser.h"
#include "motionfiles/file_error.h"

#include "support/gateway.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::uint64_t bitsOf(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// A C3D image: the header, then records appended one by one, then frames.
struct Image {
  Bytes bytes = Bytes(1024, 0);
  std::size_t at = 512 + 4;
  std::size_t lastOffset = 0;

  Image(int processor = 84) {
    bytes[0] = 2;
    bytes[1] = 0x50;
    bytes[512 + 1] = 0x50;
    bytes[512 + 2] = 1;
    bytes[512 + 3] = static_cast<unsigned char>(processor);
  }
  void word(int w, int value) {
    bytes[2 * (w - 1)] = static_cast<unsigned char>(value & 0xFF);
    bytes[2 * (w - 1) + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
  }
  void put(const Bytes& b) {
    if (at + b.size() > bytes.size()) bytes.resize(at + b.size(), 0);
    std::copy(b.begin(), b.end(), bytes.begin() + static_cast<long>(at));
    at += b.size();
  }
  // name length (negative: locked), id, name, offset to the next record, content.
  void record(const std::string& name, int id, const Bytes& content, bool locked = false) {
    const int n = static_cast<int>(name.size());
    Bytes r = {static_cast<unsigned char>(locked ? -n : n), static_cast<unsigned char>(id)};
    r.insert(r.end(), name.begin(), name.end());
    lastOffset = at + r.size();
    const std::size_t next = content.size() + 2;
    r.push_back(static_cast<unsigned char>(next & 0xFF));
    r.push_back(static_cast<unsigned char>(next >> 8));
    r.insert(r.end(), content.begin(), content.end());
    put(r);
  }
  void group(const std::string& name, int id, bool locked = false) { record(name, -id, {0}, locked); }
  void integer(const std::string& name, int group, int value) {
    record(name, group, {2, 0, static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>((value >> 8) & 0xFF), 0});
  }
  void floating(const std::string& name, int group, float value) {
    Bytes content = {4, 0, 0, 0, 0, 0, 0};
    std::memcpy(&content[2], &value, 4);
    record(name, group, content);
  }
  void endRecords() {  // the last record's offset 0
    bytes[lastOffset] = bytes[lastOffset + 1] = 0;
  }
};

c3d::FileLayout parse(const Bytes& b) { return c3d::parseC3d(b.data(), b.size()); }

std::string reasonOf(const Bytes& b) {
  try {
    parse(b);
  } catch (const motionfiles::FileError& e) {
    return e.reason;
  }
  return "none";
}

// One marker, float storage, frames of (k, 2k, 3k, residual word 0x0102).
Image oneMarker(int frames) {
  Image image;
  image.word(2, 1);
  image.word(4, 1);
  image.word(5, frames);
  image.word(9, 3);
  image.group("POINT", 1);
  image.integer("USED", 1, 1);
  image.floating("SCALE", 1, -0.5f);
  image.floating("RATE", 1, 50);
  image.endRecords();
  image.bytes.resize(1024, 0);
  for (int k = 0; k < frames; ++k) {
    const float v[4] = {static_cast<float>(k), static_cast<float>(2 * k), static_cast<float>(3 * k), 258.0f};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(v);
    image.bytes.insert(image.bytes.end(), p, p + 16);
  }
  return image;
}

TEST(C3dNumbers, DecFloatsBitForBit) {
  const unsigned char one[4] = {0x80, 0x40, 0, 0}, minusHalf[4] = {0, 0xC0, 0, 0}, three[4] = {0x40, 0x41, 0, 0};
  EXPECT_EQ(bitsOf(c3d::decFloat(one)), bitsOf(1.0));
  EXPECT_EQ(bitsOf(c3d::decFloat(minusHalf)), bitsOf(-0.5));
  EXPECT_EQ(bitsOf(c3d::decFloat(three)), bitsOf(3.0));
  const unsigned char dirtyZero[4] = {0x7F, 0x00, 0xFF, 0xFF}, reserved[4] = {0, 0x80, 0, 0};
  EXPECT_EQ(bitsOf(c3d::decFloat(dirtyZero)), bitsOf(0.0));
  EXPECT_TRUE(std::isnan(c3d::decFloat(reserved)));
  // The extremes lie where IEEE singles have none or subnormals: exact here.
  const unsigned char largest[4] = {0xFF, 0x7F, 0xFF, 0xFF}, smallest[4] = {0x80, 0x00, 0, 0};
  EXPECT_EQ(bitsOf(c3d::decFloat(largest)), bitsOf(std::ldexp(16777215.0, 103)));
  EXPECT_EQ(bitsOf(c3d::decFloat(smallest)), bitsOf(std::ldexp(1.0, -128)));
  // The low word carries the fraction's low 16 bits.
  const unsigned char fraction[4] = {0x80, 0x40, 0x01, 0x00};
  EXPECT_EQ(bitsOf(c3d::decFloat(fraction)), bitsOf(1.0 + std::ldexp(1.0, -23)));
}

TEST(C3dNumbers, ProcessorsReadTheirByteOrders) {
  const unsigned char little[4] = {0x00, 0x00, 0xC0, 0xBF}, big[4] = {0xBF, 0xC0, 0x00, 0x00};
  EXPECT_EQ(bitsOf(c3d::readFloat(little, c3d::Processor::intel)), bitsOf(-1.5));
  EXPECT_EQ(bitsOf(c3d::readFloat(big, c3d::Processor::mips)), bitsOf(-1.5));
  const unsigned char word[2] = {0xFF, 0x7F};
  EXPECT_EQ(c3d::readI16(word, c3d::Processor::intel), 32767);
  EXPECT_EQ(c3d::readI16(word, c3d::Processor::mips), -129);
  EXPECT_EQ(c3d::readU16(word, c3d::Processor::mips), 0xFF7F);
}

TEST(C3dParameters, RecordsAsWritersLeaveThem) {
  Image image = oneMarker(3);
  c3d::FileLayout layout = parse(image.bytes);
  EXPECT_EQ(layout.frames, 3u);
  EXPECT_TRUE(layout.floats);
  EXPECT_EQ(layout.pointRate, 50.0);
  // The last record pointing to the end of its block, past the section.
  Image past = oneMarker(3);
  past.bytes[past.lastOffset] = static_cast<unsigned char>((1024 - past.lastOffset) & 0xFF);
  past.bytes[past.lastOffset + 1] = static_cast<unsigned char>((1024 - past.lastOffset) >> 8);
  EXPECT_EQ(parse(past.bytes).parameters.size(), 3u);
  // Parameters before their group, the group locked.
  Image order;
  order.word(9, 3);
  order.floating("RATE", 1, 25);
  order.group("POINT", 1, true);
  order.endRecords();
  layout = parse(order.bytes);
  EXPECT_EQ(layout.pointRate, 25.0);
  ASSERT_EQ(layout.groups.size(), 1u);
  EXPECT_EQ(layout.groups[0].name, "POINT");
}

TEST(C3dParameters, FaultsAreErrorsNotReads) {
  Image image = oneMarker(2);
  Bytes b = image.bytes;
  b[512 + 3] = 87;
  EXPECT_EQ(reasonOf(b), "parameters");  // an unknown processor
  Image wide;
  wide.word(9, 3);
  wide.group("G", 1);
  // 255 dimensions of 255: a product no file holds, refused without wrapping.
  Bytes dims = {2, 255};
  dims.insert(dims.end(), 255, 255);
  wide.record("HUGE", 1, dims);
  wide.endRecords();
  EXPECT_EQ(reasonOf(wide.bytes), "parameters");
  Image type;
  type.word(9, 3);
  type.record("ODD", 1, {3, 0, 0, 0, 0});
  type.endRecords();
  EXPECT_EQ(reasonOf(type.bytes), "parameters");
  Bytes shortHeader(100, 0);
  EXPECT_EQ(reasonOf(shortHeader), "header");
  Image zeroScale = oneMarker(1);
  const float zero = 0;
  const char* scale = "SCALE";
  const auto at = std::search(zeroScale.bytes.begin(), zeroScale.bytes.end(), scale, scale + 5);
  std::memcpy(&*(at + 5 + 2 + 2), &zero, 4);  // after the name, the offset, the type and the dimension count
  EXPECT_EQ(reasonOf(zeroScale.bytes), "layout");  // and the header's scale is 0 too
}

TEST(C3dFrames, CountsAndDecoding) {
  // A file cut in its third frame: two complete frames, three announced.
  Image image = oneMarker(3);
  image.bytes.resize(image.bytes.size() - 5);
  const c3d::FileLayout layout = parse(image.bytes);
  EXPECT_EQ(layout.announcedFrames, 3u);
  EXPECT_EQ(layout.frames, 2u);
  double points[6], residuals[2], cameras[2];
  c3d::decodeFrames(image.bytes.data(), layout, 0, 2, points, residuals, cameras, nullptr);
  EXPECT_EQ(points[3], 1.0);
  EXPECT_EQ(points[5], 3.0);
  EXPECT_EQ(residuals[1], 2 * 0.5);  // the low byte, 2 steps of |POINT:SCALE|
  EXPECT_EQ(cameras[1], 1.0);        // the high byte
  // No data in a frame: the announced count stands, if the toolbox counts it.
  Image empty;
  empty.word(4, 1);
  empty.word(5, 2);
  empty.word(9, 3);
  empty.group("TRIAL", 3);
  empty.record("ACTUAL_START_FIELD", 3, {2, 1, 2, 1, 0, 0, 0, 0});
  empty.record("ACTUAL_END_FIELD", 3, {2, 1, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0});
  empty.endRecords();
  EXPECT_EQ(reasonOf(empty.bytes), "tooLarge");
}

std::string writeFile(const Bytes& bytes) {
  const std::string name = ::testing::TempDir() + "c3d_parser_test.c3d";
  std::FILE* f = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return name;
}

TEST(C3dGateway, ErrorsCreateNothingAndShortFilesWarn) {
  const embedded::MexEntry c3dread = deliverable("c3dread");
  Image image = oneMarker(3);
  Bytes bad = image.bytes;
  bad[1] = 0;
  const std::string name = writeFile(bad);
  embedded::Array file = embedded::makeChar(name);
  embedded::CallResult result = embedded::call(c3dread, 1, {file.get()});
  EXPECT_EQ(result.identifier, "rotkit:c3dread:header");
  EXPECT_EQ(result.message.find(name), 0u);
  EXPECT_EQ(result.created, 0u);
  image.bytes.resize(image.bytes.size() - 1);
  writeFile(image.bytes);
  result = embedded::call(c3dread, 1, {file.get()});
  ASSERT_FALSE(result.raised);
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_EQ(result.warnings[0].identifier, "rotkit:c3dread:frameCount");
  EXPECT_EQ(mxGetN(mxGetField(result.output.get(), 0, "points")), 2u);
  std::remove(name.c_str());
}

} // namespace
