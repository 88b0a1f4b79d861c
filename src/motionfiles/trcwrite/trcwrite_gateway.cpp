// trcwrite: trcwrite(file, d) writes markers, as trcread or c3dread return
// them, as an OpenSim TRC file; F = trcwrite(...) also returns the file's
// name. Numbers in the shortest form that reads back the same.
//
// The gateway checks D's fields and hands their data to the writer
// (trc_writer.h), which writes through a temporary file. Errors are raised
// once every C++ object of the call is gone.
#include "host/host.h"
#include "motionfiles/file_call.h"
#include "motionfiles/host_inputs.h"
#include "motionfiles/trcwrite/trc_writer.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

using motionfiles::presentField;
using motionfiles::refuseInput;

const double* optionalRow(const mxArray* d, const char* name, std::size_t n) {
  const mxArray* a = presentField(d, name);
  if (a == nullptr) return nullptr;
  if (!motionfiles::isRealMatrix(a) || mxGetNumberOfElements(a) != n || (mxGetM(a) != 1 && mxGetN(a) != 1)) {
    refuseInput(name, "D.%s must be a real double vector of %zu values, one per frame.", name, n);
  }
  return mxGetPr(a);
}

// A number of D.header, NaN without one.
double headerNumber(const mxArray* d, const char* name) {
  const mxArray* header = presentField(d, "header");
  const mxArray* a = motionfiles::isScalarStruct(header) ? presentField(header, name) : nullptr;
  double value = std::numeric_limits<double>::quiet_NaN();
  if (a != nullptr && !motionfiles::readScalar(a, value)) {
    refuseInput("header", "D.header.%s must be a real scalar.", name);
  }
  return value;
}

trc::WriteInput readInput(const mxArray* d) {
  if (!motionfiles::isScalarStruct(d) || mxGetField(d, 0, "points") == nullptr || presentField(d, "pointRate") == nullptr) {
    refuseInput("data", "D must be a struct with points and pointRate (what trcread or c3dread returns).");
  }
  trc::WriteInput in;
  const mxArray* points = mxGetField(d, 0, "points");
  if (!motionfiles::isRealMatrix(points) || mxGetM(points) % 3 != 0) {
    refuseInput("points", "D.points must be a real double matrix of 3 rows per marker, one column per frame.");
  }
  in.markers = mxGetM(points) / 3;
  in.frames = mxGetN(points);
  in.points = mxGetPr(points);
  if (!motionfiles::readScalar(presentField(d, "pointRate"), in.pointRate) || !(in.pointRate > 0 && std::isfinite(in.pointRate))) {
    refuseInput("rate", "D.pointRate must be a positive finite real scalar (frames per second).");
  }
  in.labels.assign(in.markers, std::string());
  if (const mxArray* labels = presentField(d, "labels")) {
    if (!motionfiles::readTexts(labels, in.labels) || in.labels.size() != in.markers) {
      refuseInput("labels", "D.labels must be a cell of %zu character rows.", in.markers);
    }
  }
  if (const mxArray* units = presentField(d, "units")) {
    if (!motionfiles::readText(units, in.units)) refuseInput("units", "D.units must be a character row.");
  }
  if (in.units.empty()) in.units = "mm";
  in.frameNumbers = optionalRow(d, "frameNumbers", in.frames);
  in.time = optionalRow(d, "time", in.frames);
  if (const mxArray* first = presentField(d, "firstFrame")) {
    if (!motionfiles::readScalar(first, in.firstFrame) || !std::isfinite(in.firstFrame)) {
      refuseInput("firstFrame", "D.firstFrame must be a finite real scalar.");
    }
  }
  in.cameraRate = headerNumber(d, "CameraRate");
  in.originalRate = headerNumber(d, "OrigDataRate");
  in.originalFirstFrame = headerNumber(d, "OrigDataStartFrame");
  in.originalFrames = headerNumber(d, "OrigNumFrames");
  return in;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::writeOneFile(Signature{"trcwrite", "trcwrite(FILE, D)"}, nlhs, plhs, nrhs, prhs,
                            [](const std::string& file, const mxArray* data) { trc::writeTrc(readInput(data), file); });
}
