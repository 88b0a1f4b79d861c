// Fuzz target for bvhread's parser: the input bytes are a BVH file's text.
// Any text is either refused with a FileError that names a line (or the
// counts beyond the data model) or parsed into a tree whose invariants
// hold: parents before their children, End Sites without channels, a
// finite value per channel per frame. A parsed file's motion is laid out
// as bvhread returns it (every output buffer filled, the sanitizers
// watching), written back by bvhwrite's writer and read again: the same
// joints and frames, the frame time bit for bit.
#include "motionfiles/bvh/bvh_skeleton.h"
#include "motionfiles/bvhread/bvh_motion.h"
#include "motionfiles/bvhread/bvh_parser.h"
#include "motionfiles/bvhwrite/bvh_writer.h"
#include "motionfiles/file_error.h"
#include "motionfiles/file_io.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

[[noreturn]] void finding(const char* what, const std::string& detail = std::string()) {
  std::fprintf(stderr, "\n*** rotkit fuzz finding: %s %s\n", what, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

void checkTree(const bvh::ParsedFile& file) {
  const std::vector<bvh::Joint>& joints = file.skeleton.joints;
  if (joints.empty() || joints[0].parent != 0) finding("no root");
  std::size_t channels = 0;
  for (std::size_t j = 0; j < joints.size(); ++j) {
    if (j > 0 && (joints[j].parent < 1 || joints[j].parent > j)) finding("a parent after its child");
    if (joints[j].endSite && !joints[j].channels.empty()) finding("an End Site with channels");
    if (joints[j].name.empty()) finding("a joint without a name");
    channels += joints[j].channels.size();
  }
  if (channels != file.skeleton.channelCount) finding("channel count");
  if (file.values.size() != channels * file.frames) finding("values per frame");
  for (double v : file.values) {
    if (!std::isfinite(v)) finding("a value that is not finite");
  }
  if (!(file.frameTime > 0) || !std::isfinite(file.frameTime)) finding("frame time");
}

// bvhread's outputs, in buffers of their exact sizes.
void layOut(const bvh::ParsedFile& file, const bvh::MotionLayout& layout, std::vector<double>& offsets,
            std::vector<double>& root, std::vector<double>& local, std::vector<double>& leaf) {
  const std::size_t J = layout.joints, N = layout.frames;
  offsets.assign(3 * J, 0.0);
  root.assign(3 * N, 0.0);
  local.assign(4 * J * N, 0.0);
  leaf.assign(4 * layout.leafJoints.size() * N, 0.0);
  bvh::fillJointOffsets(file, layout, offsets.data());
  bvh::fillRootPositions(file, layout, root.data());
  bvh::fillRotations(file, layout, local.data(), leaf.data());
}

std::string scratchName() {
  static const std::string name = "/tmp/rotkit-bvh-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".bvh";
  return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  bvh::ParsedFile file;
  try {
    file = bvh::parseBvh(text, size);
  } catch (const motionfiles::FileError& error) {
    if (error.line == 0) finding("an error without a line", error.message);
    if (std::strcmp(error.reason, "tooLarge") != 0 && error.line > size + 1) finding("a line beyond the text");
    return 0;
  }
  checkTree(file);
  const bvh::MotionLayout layout = bvh::layoutOf(file);
  std::vector<double> offsets, root, local, leaf, frameOffsets;
  layOut(file, layout, offsets, root, local, leaf);
  if (layout.anyChanging) {
    frameOffsets.assign(3 * layout.joints * layout.frames, 0.0);
    bvh::fillFrameOffsets(file, layout, frameOffsets.data());
  }
  // Written back and read again.
  bvh::WriteInput in;
  in.joints = layout.joints;
  in.frames = layout.frames;
  for (const bvh::Joint& joint : file.skeleton.joints) {
    in.parents.push_back(joint.parent);
    in.names.push_back(joint.name);
    in.channels.push_back(joint.channels);
    in.endSites.push_back(joint.endSite);
  }
  in.hasChannels = in.hasEndSites = true;
  in.offsets = offsets.data();
  in.rootPositions = root.data();
  in.localRotations = local.data();
  in.frameTime = file.frameTime;
  in.leafRotations = leaf.data();
  in.leafRows = leaf.size() / (layout.frames > 0 ? layout.frames : 1);
  in.leafCols = layout.frames;
  if (layout.frames == 0) in.leafRows = 4 * layout.leafJoints.size();
  in.frameOffsets = layout.anyChanging ? frameOffsets.data() : nullptr;
  try {
    bvh::writeBvh(in, scratchName());
  } catch (const bvh::WriteError& error) {
    finding("bvhwrite refused what bvhread read:", error.message);
  }
  bvh::ParsedFile back;
  try {
    const motionfiles::FileBytes bytes = motionfiles::readWholeFile(scratchName());
    back = bvh::parseBvh(bytes.data(), bytes.size());
  } catch (const motionfiles::FileError& error) {
    finding("bvhread refused what bvhwrite wrote:", error.message);
  }
  if (back.skeleton.joints.size() != file.skeleton.joints.size() || back.frames != file.frames) finding("round trip");
  if (std::memcmp(&back.frameTime, &file.frameTime, sizeof(double)) != 0) finding("frame time round trip");
  for (std::size_t j = 0; j < file.skeleton.joints.size(); ++j) {
    if (back.skeleton.joints[j].parent != file.skeleton.joints[j].parent) finding("parents round trip");
  }
  return 0;
}
