// asfread: [skel, motion] = asfread(asfFile, amcFile), an ASF skeleton and
// its AMC motion in posechain's layout, as bvhread gives a BVH file; skel
// = asfread(asfFile) reads the skeleton alone. Quaternions scalar first,
// Hamilton product; numbers read correctly rounded.
//
// Both files are read whole and parsed (asf_parser.h) before anything is
// created. Errors name the file and the line, and are raised once every
// C++ object of the call is gone.
#include "host/host.h"
#include "motionfiles/asfread/asf_motion.h"
#include "motionfiles/asfread/asf_parser.h"
#include "motionfiles/file_call.h"
#include "motionfiles/file_io.h"
#include "motionfiles/host_results.h"

#include <string>
#include <vector>

namespace {

using motionfiles::createMatrix;

// The frame time of the database's captures: AMC files hold no rate.
constexpr double kFrameTime = 1.0 / 120.0;

mxArray* createSkeleton(const asf::Skeleton& skeleton, const asf::Joints& joints) {
  const std::size_t J = joints.parents.size();
  motionfiles::ArrayGuard skel(
      motionfiles::createStruct({"parents", "offsets", "names", "channels", "endSites", "leafJoints", "units"}));
  mxArray* s = skel.get();
  mxSetField(s, 0, "parents", motionfiles::createRow(joints.parents));
  mxArray* offsets = createMatrix(3, J);
  std::copy(joints.offsets.begin(), joints.offsets.end(), mxGetPr(offsets));
  mxSetField(s, 0, "offsets", offsets);
  mxSetField(s, 0, "names", motionfiles::createTextRow(joints.names));
  // The channels bvhwrite writes: the root's position and rotation, a
  // rotation for every bone that turns.
  mxArray* channels = mxCreateCellMatrix(1, static_cast<mwSize>(J));
  mxSetField(s, 0, "channels", channels);
  for (std::size_t j = 0; j < J; ++j) {
    std::vector<std::string> list;
    if (j == 0) list = {"Xposition", "Yposition", "Zposition"};
    const bool turns = j == 0 || (!joints.endSites[j] && !skeleton.bones[joints.bone[j]].dofs.empty());
    if (turns) list.insert(list.end(), {"Zrotation", "Yrotation", "Xrotation"});
    mxSetCell(channels, static_cast<mwIndex>(j), motionfiles::createTextRow(list));
  }
  mxArray* endSites = mxCreateLogicalMatrix(1, static_cast<mwSize>(J));
  for (std::size_t j = 0; j < J; ++j) mxGetLogicals(endSites)[j] = joints.endSites[j];
  mxSetField(s, 0, "endSites", endSites);
  mxSetField(s, 0, "leafJoints", createMatrix(1, 0));
  mxArray* units = motionfiles::createStruct({"mass", "length", "angle"});
  mxSetField(s, 0, "units", units);
  mxSetField(units, 0, "mass", motionfiles::createScalar(skeleton.mass));
  mxSetField(units, 0, "length", motionfiles::createScalar(skeleton.lengthUnit));
  mxSetField(units, 0, "angle", mxCreateString(skeleton.degrees ? "deg" : "rad"));
  return skel.release();
}

mxArray* createMotion(const asf::Skeleton& skeleton, const asf::Motion& motion, const asf::Joints& joints) {
  const std::size_t J = joints.parents.size();
  const std::size_t N = motion.frames;
  motionfiles::ArrayGuard result(
      motionfiles::createStruct({"rootPositions", "localRotations", "frameTime", "leafRotations"}));
  mxArray* m = result.get();
  mxArray* root = createMatrix(3, N);
  mxSetField(m, 0, "rootPositions", root);
  asf::fillRootPositions(skeleton, motion, mxGetPr(root));
  mxArray* local = createMatrix(4 * J, N);
  mxSetField(m, 0, "localRotations", local);
  asf::fillRotations(skeleton, motion, joints, mxGetPr(local));
  mxSetField(m, 0, "frameTime", motionfiles::createScalar(kFrameTime));
  mxSetField(m, 0, "leafRotations", createMatrix(0, N));
  return result.release();
}

bool readName(const mxArray* a, std::string& name) { return motionfiles::readCharRow(a, name); }

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const Signature f{"asfread", "[SKEL, MOTION] = asfread(ASFFILE, AMCFILE)"};
  requireArgumentCounts(f, nrhs, 1, 2, nlhs, 2);
  // MOTION is read from AMCFILE: asking for it without one is a call short of an input.
  if (nlhs == 2 && nrhs == 1) refuse(f, refusal::notEnoughInputs, f.call);
  motionfiles::CallReport report("asfread");
  report.run([&](std::string& file) {
    std::string asfName, amcName;
    if (!readName(prhs[0], asfName)) motionfiles::refuseInput("fileName", "ASFFILE must be a file name (a character row).");
    if (nrhs == 2 && !readName(prhs[1], amcName)) {
      motionfiles::refuseInput("fileName", "AMCFILE must be a file name (a character row).");
    }
    joinWorkersAtExit();  // eul2rot's kernel may split its columns over worker threads
    file = asfName;
    asf::Skeleton skeleton;
    {
      const motionfiles::FileBytes bytes = motionfiles::readWholeFile(asfName);
      skeleton = asf::parseAsf(bytes.data(), bytes.size());
    }
    asf::Motion motion;
    if (nrhs == 2) {
      file = amcName;
      const motionfiles::FileBytes bytes = motionfiles::readWholeFile(amcName);
      motion = asf::parseAmc(bytes.data(), bytes.size(), skeleton);
    }
    const asf::Joints joints = asf::jointsOf(skeleton);
    motionfiles::ArrayGuard skel(createSkeleton(skeleton, joints));
    if (nlhs == 2) plhs[1] = createMotion(skeleton, motion, joints);
    plhs[0] = skel.release();
  });
  report.finish();
}
