// bvhwrite: bvhwrite(file, skel, motion[, 'Digits', D]) writes a skeleton
// and its motion, as bvhread lays them out, as a BVH file; F = bvhwrite(...)
// also returns the file's name. Quaternions scalar first, Hamilton product;
// numbers in the shortest form that reads back the same (std::to_chars).
//
// The gateway checks the classes and shapes of the inputs and hands their
// data to the writer (bvh_writer.h), which checks the rest, computes the
// angles and writes through a temporary file. Errors are raised only once
// every C++ object of the call is gone.
#include "host/host.h"
#include "motionfiles/bvhwrite/bvh_writer.h"
#include "motionfiles/file_error.h"
#include "motionfiles/host_arrays.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

using bvh::WriteError;

constexpr std::size_t kMessageSize = 2048;

bool isRealDouble(const mxArray* a) { return a != nullptr && mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a); }

bool allFinite(const mxArray* a) {
  const double* p = mxGetPr(a);
  const std::size_t n = mxGetNumberOfElements(a);
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(p[i])) return false;
  }
  return true;
}

bool isMatrixOf(const mxArray* a, std::size_t rows, std::size_t cols) {
  return mxGetNumberOfDimensions(a) == 2 && mxGetM(a) == rows && mxGetN(a) == cols;
}

bool isStructScalar(const mxArray* a) { return mxIsStruct(a) && mxGetNumberOfElements(a) == 1; }

// A cell's char elements (any shape of cell; empty char arrays count), or false.
bool readTexts(const mxArray* cell, std::vector<std::string>& texts) {
  if (!mxIsCell(cell)) return false;
  const std::size_t n = mxGetNumberOfElements(cell);
  texts.assign(n, std::string());
  for (std::size_t i = 0; i < n; ++i) {
    const mxArray* element = mxGetCell(cell, static_cast<mwIndex>(i));
    if (element == nullptr) return false;
    if (!mxIsChar(element)) return false;
    if (mxGetNumberOfElements(element) == 0) continue;
    if (!motionfiles::readCharRow(element, texts[i])) return false;
  }
  return true;
}

// Digits from the options: 'Digits', D pairs (the last one counts).
int readDigits(int nrhs, const mxArray* prhs[]) {
  int digits = 0;
  if ((nrhs - 3) % 2 != 0) bvh::refuseInput("options", "options come in pairs: 'Digits', D.");
  for (int i = 3; i + 1 < nrhs; i += 2) {
    std::string name;
    bool known = motionfiles::readCharRow(prhs[i], name) && name.size() == 6;
    for (std::size_t c = 0; known && c < 6; ++c) known = std::tolower(static_cast<unsigned char>(name[c])) == "digits"[c];
    if (!known) bvh::refuseInput("options", "unknown option (the one option is 'Digits').");
    const mxArray* value = prhs[i + 1];
    const double d = isRealDouble(value) && mxGetNumberOfElements(value) == 1 ? *mxGetPr(value) : 0.0;
    if (!(d >= 1 && d <= 17 && d == std::floor(d))) bvh::refuseInput("options", "Digits must be a whole number from 1 to 17.");
    digits = static_cast<int>(d);
  }
  return digits;
}

bvh::WriteInput readInput(const mxArray* skel, const mxArray* motion) {
  if (!isStructScalar(skel) || mxGetField(skel, 0, "parents") == nullptr || mxGetField(skel, 0, "offsets") == nullptr ||
      mxGetField(skel, 0, "names") == nullptr) {
    bvh::refuseInput("skeleton", "SKEL must be a struct with parents, offsets and names (what bvhread returns).");
  }
  if (!isStructScalar(motion) || mxGetField(motion, 0, "rootPositions") == nullptr ||
      mxGetField(motion, 0, "localRotations") == nullptr || mxGetField(motion, 0, "frameTime") == nullptr) {
    bvh::refuseInput("motion", "MOTION must be a struct with rootPositions, localRotations and frameTime (what bvhread returns).");
  }
  bvh::WriteInput in;
  const mxArray* parents = mxGetField(skel, 0, "parents");
  const std::size_t J = isRealDouble(parents) ? mxGetNumberOfElements(parents) : 0;
  bool goodParents = J > 0 && J < (std::size_t{1} << 29) &&
                     (mxGetM(parents) == 1 || mxGetN(parents) == 1) && mxGetNumberOfDimensions(parents) == 2 &&
                     mxGetPr(parents)[0] == 0;
  for (std::size_t j = 1; goodParents && j < J; ++j) {
    const double p = mxGetPr(parents)[j];
    goodParents = p >= 1 && p < static_cast<double>(j + 1) && p == std::floor(p);
  }
  if (!goodParents) {
    bvh::refuseInput("skeleton", "SKEL.parents must list 0 for the root, joint 1, and 1 <= parents(j) < j for every other joint.");
  }
  in.joints = J;
  in.parents.resize(J);
  for (std::size_t j = 0; j < J; ++j) in.parents[j] = static_cast<std::uint32_t>(mxGetPr(parents)[j]);
  const mxArray* offsets = mxGetField(skel, 0, "offsets");
  if (!isRealDouble(offsets) || !isMatrixOf(offsets, 3, J)) {
    bvh::refuseInput("skeleton", "SKEL.offsets must be a 3 x %zu matrix of real doubles.", J);
  }
  for (std::size_t i = 0; i < 3 * J; ++i) {
    if (std::isinf(mxGetPr(offsets)[i])) bvh::refuseInput("skeleton", "SKEL.offsets must be finite (NaN marks a joint whose translation changes).");
  }
  in.offsets = mxGetPr(offsets);
  if (!readTexts(mxGetField(skel, 0, "names"), in.names) || in.names.size() != J) {
    bvh::refuseInput("skeleton", "SKEL.names must be a cell of %zu names.", J);
  }
  const mxArray* root = mxGetField(motion, 0, "rootPositions");
  if (!isRealDouble(root) || mxGetNumberOfDimensions(root) != 2 || mxGetM(root) != 3 || !allFinite(root) ||
      !hasModelSize(root)) {
    bvh::refuseInput("motion", "MOTION.rootPositions must be a 3 x N matrix of finite real doubles.");
  }
  const std::size_t N = mxGetN(root);
  in.frames = N;
  in.rootPositions = mxGetPr(root);
  const mxArray* local = mxGetField(motion, 0, "localRotations");
  if (!isRealDouble(local) || !isMatrixOf(local, 4 * J, N)) {
    bvh::refuseInput("motion", "MOTION.localRotations must be a %zu x %zu real double matrix: 4 rows per joint, a column per frame.",
           4 * J, N);
  }
  in.localRotations = mxGetPr(local);
  const mxArray* frameTime = mxGetField(motion, 0, "frameTime");
  if (!isRealDouble(frameTime) || mxGetNumberOfElements(frameTime) != 1 || !std::isfinite(*mxGetPr(frameTime)) ||
      !(*mxGetPr(frameTime) > 0)) {
    bvh::refuseInput("motion", "MOTION.frameTime must be a positive finite real scalar.");
  }
  in.frameTime = *mxGetPr(frameTime);

  if (const mxArray* channels = mxGetField(skel, 0, "channels")) {
    if (!mxIsCell(channels) || mxGetNumberOfElements(channels) != J) {
      bvh::refuseInput("skeleton", "SKEL.channels must be a cell of %zu channel lists.", J);
    }
    in.hasChannels = true;
    in.channels.resize(J);
    std::vector<std::string> list;
    for (std::size_t j = 0; j < J; ++j) {
      const mxArray* element = mxGetCell(channels, static_cast<mwIndex>(j));
      if (element == nullptr || mxGetNumberOfElements(element) == 0) continue;
      if (!readTexts(element, list)) bvh::refuseInput("skeleton", "SKEL.channels{%zu} must be a cell of channel names.", j + 1);
      for (const std::string& name : list) {
        int kind = 0;
        for (; kind < 6; ++kind) {
          const char* known = bvh::channelName(static_cast<std::uint8_t>(kind));
          bool same = name.size() == std::strlen(known);
          for (std::size_t c = 0; same && c < name.size(); ++c) {
            same = std::tolower(static_cast<unsigned char>(name[c])) == std::tolower(static_cast<unsigned char>(known[c]));
          }
          if (same) break;
        }
        if (kind == 6) bvh::refuseInput("skeleton", "SKEL.channels{%zu}: unknown channel \"%s\".", j + 1, name.c_str());
        in.channels[j].push_back(static_cast<std::uint8_t>(kind));
      }
    }
  }
  if (const mxArray* endSites = mxGetField(skel, 0, "endSites")) {
    bool good = mxGetNumberOfElements(endSites) == J && (mxIsLogical(endSites) || isRealDouble(endSites));
    in.endSites.assign(J, false);
    for (std::size_t j = 0; good && j < J; ++j) {
      if (mxIsLogical(endSites)) {
        in.endSites[j] = mxGetLogicals(endSites)[j];
      } else {
        const double v = mxGetPr(endSites)[j];
        good = !std::isnan(v);
        in.endSites[j] = v != 0;
      }
    }
    if (!good) bvh::refuseInput("skeleton", "SKEL.endSites must be %zu logical values.", J);
    in.hasEndSites = true;
  }
  if (const mxArray* leaf = mxGetField(motion, 0, "leafRotations")) {
    if (!isRealDouble(leaf) || mxGetNumberOfDimensions(leaf) != 2) {
      bvh::refuseInput("motion", "MOTION.leafRotations must be a real double matrix: 4 rows for each joint without children that is not an End Site.");
    }
    in.leafRotations = mxGetPr(leaf);
    in.leafRows = mxGetM(leaf);
    in.leafCols = mxGetN(leaf);
  }
  if (const mxArray* frameOffsets = mxGetField(motion, 0, "offsets")) {
    if (!isRealDouble(frameOffsets) || !isMatrixOf(frameOffsets, 3 * J, N) || !allFinite(frameOffsets)) {
      bvh::refuseInput("motion", "MOTION.offsets must be a %zu x %zu matrix of finite real doubles: each joint's translation in each frame.",
             3 * J, N);
    }
    in.frameOffsets = mxGetPr(frameOffsets);
  }
  return in;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(Signature{"bvhwrite", "bvhwrite(FILE, SKEL, MOTION, 'Digits', D)"}, nrhs, 3, 5, nlhs, 1);
  char message[kMessageSize] = "";
  char identifier[96] = "";
  {
    std::string name;
    try {
      const int digits = readDigits(nrhs, prhs);
      if (!motionfiles::readCharRow(prhs[0], name)) bvh::refuseInput("fileName", "FILE must be a file name (a character row).");
      bvh::WriteInput input = readInput(prhs[1], prhs[2]);
      input.digits = digits;
      joinWorkersAtExit();  // the angles and the text may be split over worker threads
      bvh::writeBvh(input, name);
      if (nlhs == 1) plhs[0] = mxCreateString(name.c_str());
    } catch (const WriteError& error) {
      std::snprintf(message, sizeof message, "%s", error.message.c_str());
      std::snprintf(identifier, sizeof identifier, "rotkit:bvhwrite:%s", error.reason);
    } catch (const motionfiles::FileError& error) {
      motionfiles::describe(error, name.c_str(), message, sizeof message);
      std::snprintf(identifier, sizeof identifier, "rotkit:bvhwrite:%s", error.reason);
    } catch (const std::bad_alloc&) {
      std::snprintf(message, sizeof message, "not enough memory to write \"%s\".", name.c_str());
      std::snprintf(identifier, sizeof identifier, "rotkit:bvhwrite:outOfMemory");
    }
  }
  if (identifier[0] != '\0') raiseError(identifier, message);
}
