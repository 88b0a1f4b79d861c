// bvhread: [skel, motion] = bvhread(file), a BVH file read into the inputs
// of posechain and poseglobal. Quaternions scalar first, Hamilton product;
// numbers read correctly rounded.
//
// The file is read whole and parsed (bvh_parser.h) before anything is
// created: a fault names the file and the line. Errors are raised, and the
// frame-count warning issued, only once every C++ object of the call is
// gone (a host error or a warning made an error may leave by a jump).
#include "host/host.h"
#include "motionfiles/bvhread/bvh_motion.h"
#include "motionfiles/bvhread/bvh_parser.h"
#include "motionfiles/file_error.h"
#include "motionfiles/file_io.h"
#include "motionfiles/host_arrays.h"

#include <cstdio>
#include <new>

namespace {

using motionfiles::createMatrix;

constexpr std::size_t kMessageSize = 2048;

mxArray* createSkeleton(const bvh::ParsedFile& file, const bvh::MotionLayout& layout) {
  const std::vector<bvh::Joint>& joints = file.skeleton.joints;
  const std::size_t J = joints.size();
  mxArray* skel = motionfiles::createStruct({"parents", "offsets", "names", "channels", "endSites", "leafJoints"});
  std::vector<std::uint32_t> parents(J);
  std::vector<std::string> names(J);
  for (std::size_t j = 0; j < J; ++j) {
    parents[j] = joints[j].parent;
    names[j] = joints[j].name;
  }
  mxSetField(skel, 0, "parents", motionfiles::createRow(parents));
  mxArray* offsets = createMatrix(3, J);
  bvh::fillJointOffsets(file, layout, mxGetPr(offsets));
  mxSetField(skel, 0, "offsets", offsets);
  mxSetField(skel, 0, "names", motionfiles::createTextRow(names));
  mxArray* channels = mxCreateCellMatrix(1, static_cast<mwSize>(J));
  std::vector<std::string> list;
  for (std::size_t j = 0; j < J; ++j) {
    list.clear();
    for (std::uint8_t c : joints[j].channels) list.emplace_back(bvh::channelName(c));
    mxSetCell(channels, static_cast<mwIndex>(j), motionfiles::createTextRow(list));
  }
  mxSetField(skel, 0, "channels", channels);
  mxArray* endSites = mxCreateLogicalMatrix(1, static_cast<mwSize>(J));
  mxLogical* flags = mxGetLogicals(endSites);
  for (std::size_t j = 0; j < J; ++j) flags[j] = joints[j].endSite;
  mxSetField(skel, 0, "endSites", endSites);
  mxSetField(skel, 0, "leafJoints", motionfiles::createRow(layout.leafJoints));
  return skel;
}

mxArray* createMotion(const bvh::ParsedFile& file, const bvh::MotionLayout& layout) {
  const std::size_t J = layout.joints;
  const std::size_t N = layout.frames;
  std::vector<const char*> fields = {"rootPositions", "localRotations", "frameTime", "leafRotations"};
  if (layout.anyChanging) fields.push_back("offsets");
  mxArray* motion = motionfiles::createStruct(fields);
  mxArray* root = createMatrix(3, N);
  bvh::fillRootPositions(file, layout, mxGetPr(root));
  mxSetField(motion, 0, "rootPositions", root);
  mxArray* local = createMatrix(4 * J, N);
  mxArray* leaf = createMatrix(4 * layout.leafJoints.size(), N);
  bvh::fillRotations(file, layout, mxGetPr(local), mxGetPr(leaf));
  mxSetField(motion, 0, "localRotations", local);
  mxSetField(motion, 0, "frameTime", motionfiles::createScalar(file.frameTime));
  mxSetField(motion, 0, "leafRotations", leaf);
  if (layout.anyChanging) {
    mxArray* offsets = createMatrix(3 * J, N);
    bvh::fillFrameOffsets(file, layout, mxGetPr(offsets));
    mxSetField(motion, 0, "offsets", offsets);
  }
  return motion;
}

// Reads `name` and creates the outputs; a frame count other than the
// announced one leaves its warning in `warning`.
void readFile(const std::string& name, int nlhs, mxArray* plhs[], char* warning) {
  bvh::ParsedFile file;
  {
    motionfiles::FileBytes bytes = motionfiles::readWholeFile(name);
    file = bvh::parseBvh(bytes.data(), bytes.size());
  }
  if (file.announcedFrames != file.frames) {
    std::snprintf(warning, kMessageSize,
                  "%s: \"Frames:\" announces %llu frames and the file holds %zu frame lines; the %zu are read.",
                  name.c_str(), static_cast<unsigned long long>(file.announcedFrames), file.frames, file.frames);
  }
  const bvh::MotionLayout layout = bvh::layoutOf(file);
  plhs[0] = createSkeleton(file, layout);
  if (nlhs >= 2) plhs[1] = createMotion(file, layout);
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(Signature{"bvhread", "[SKEL, MOTION] = bvhread(FILE)"}, nrhs, 1, 1, nlhs, 2);
  if (!mxIsChar(prhs[0]) || mxGetNumberOfDimensions(prhs[0]) != 2 || mxGetM(prhs[0]) != 1 || mxGetN(prhs[0]) == 0) {
    raiseError("rotkit:bvhread:fileName", "FILE must be a file name (a character row).");
  }
  char message[kMessageSize] = "";
  char identifier[96] = "";
  char warning[kMessageSize] = "";
  {
    std::string name;
    try {
      motionfiles::readCharRow(prhs[0], name);
      joinWorkersAtExit();  // eul2rot's kernel may split its columns over worker threads
      readFile(name, nlhs, plhs, warning);
    } catch (const motionfiles::FileError& error) {
      motionfiles::describe(error, name.c_str(), message, sizeof message);
      std::snprintf(identifier, sizeof identifier, "rotkit:bvhread:%s", error.reason);
    } catch (const std::bad_alloc&) {
      std::snprintf(message, sizeof message, "not enough memory to read \"%s\".", name.c_str());
      std::snprintf(identifier, sizeof identifier, "rotkit:bvhread:outOfMemory");
    }
  }
  if (identifier[0] != '\0') raiseError(identifier, message);
  if (warning[0] != '\0') raiseWarning("rotkit:bvhread:frameCount", warning);
}
