// c3dwrite: c3dwrite(file, d) writes markers, analog channels, events and
// parameters, as c3dread returns them, as a C3D file (Intel, 32-bit
// floats); F = c3dwrite(...) also returns the file's name.
//
// The gateway checks the classes and shapes of D's fields and hands their
// data to the writer (c3d_writer.h), which checks the rest and writes
// through a temporary file. Errors are raised once every C++ object of the
// call is gone.
#include "host/host.h"
#include "motionfiles/c3dwrite/c3d_writer.h"
#include "motionfiles/field_names.h"
#include "motionfiles/file_call.h"
#include "motionfiles/host_inputs.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using motionfiles::isRealMatrix;
using motionfiles::presentField;
using motionfiles::readScalar;
using motionfiles::readTexts;
using motionfiles::refuseInput;

// A field that must be a real double matrix of rows x cols, or absent.
const double* optionalMatrix(const mxArray* d, const char* name, std::size_t rows, std::size_t cols, const char* reason) {
  const mxArray* a = presentField(d, name);
  if (a == nullptr) return nullptr;
  if (!isRealMatrix(a) || mxGetM(a) != rows || mxGetN(a) != cols) {
    refuseInput(reason, "D.%s must be a %zu x %zu real double matrix, one column per frame.", name, rows, cols);
  }
  return mxGetPr(a);
}

std::vector<std::string> optionalTexts(const mxArray* d, const char* name, std::size_t count, const char* reason) {
  std::vector<std::string> texts(count);
  const mxArray* a = presentField(d, name);
  if (a == nullptr && count > 0) return texts;
  if (a != nullptr && (!readTexts(a, texts) || texts.size() != count)) {
    refuseInput(reason, "D.%s must be a cell of %zu character rows.", name, count);
  }
  texts.resize(count);
  return texts;
}

// One parameter of D.parameters: a char row, a cell of char rows or a
// real double array.
c3d::ParameterToWrite readParameter(const std::string& group, const std::string& name, const mxArray* value) {
  c3d::ParameterToWrite p;
  p.name = name;
  const std::size_t dimCount = mxGetNumberOfDimensions(value);
  const mwSize* dims = mxGetDimensions(value);
  std::vector<std::size_t> shape(dims, dims + dimCount);
  if (mxIsChar(value)) {
    std::string text;
    if (!motionfiles::readText(value, text)) {
      refuseInput("parameters", "D.parameters.%s.%s must be one character row, or a cell of them.", group.c_str(), name.c_str());
    }
    p.isText = true;
    p.texts = {text};
  } else if (mxIsCell(value)) {
    if (!readTexts(value, p.texts)) {
      refuseInput("parameters", "D.parameters.%s.%s: a cell must hold character rows only.", group.c_str(), name.c_str());
    }
    p.isText = true;
    p.dims = (dimCount == 2 && shape[0] == 1) ? std::vector<std::size_t>{shape[1]} : shape;
  } else if (motionfiles::isRealDouble(value)) {
    const std::size_t n = mxGetNumberOfElements(value);
    p.numbers.assign(mxGetPr(value), mxGetPr(value) + n);
    if (n == 1) {
      p.dims.clear();
    } else if (n == 0 && dimCount == 2 && shape[0] == 0 && shape[1] == 0) {
      p.dims = {0};
    } else {
      p.dims = (dimCount == 2 && shape[0] == 1) ? std::vector<std::size_t>{shape[1]} : shape;
    }
  } else {
    refuseInput("parameters", "D.parameters.%s.%s must be a character row, a cell of them or a real double array.",
                group.c_str(), name.c_str());
  }
  return p;
}

std::vector<c3d::GroupToWrite> readParameters(const mxArray* d) {
  std::vector<c3d::GroupToWrite> groups;
  const mxArray* all = presentField(d, "parameters");
  if (all == nullptr) return groups;
  if (!motionfiles::isScalarStruct(all)) refuseInput("parameters", "D.parameters must be a struct of groups, each a struct.");
  for (int g = 0; g < mxGetNumberOfFields(all); ++g) {
    c3d::GroupToWrite group;
    group.name = mxGetFieldNameByNumber(all, g);
    const mxArray* members = mxGetField(all, 0, group.name.c_str());
    if (members == nullptr || !motionfiles::isScalarStruct(members)) {
      refuseInput("parameters", "D.parameters.%s must be a struct of parameters.", group.name.c_str());
    }
    for (int k = 0; k < mxGetNumberOfFields(members); ++k) {
      const std::string name = mxGetFieldNameByNumber(members, k);
      const mxArray* value = mxGetField(members, 0, name.c_str());
      if (value == nullptr) continue;  // an empty field of a struct built by hand
      group.parameters.push_back(readParameter(group.name, name, value));
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

void readEvents(const mxArray* d, c3d::WriteInput& in) {
  const mxArray* events = presentField(d, "events");
  if (events == nullptr) return;
  const mxArray* times = motionfiles::isScalarStruct(events) ? presentField(events, "times") : nullptr;
  const std::size_t E = times != nullptr ? mxGetNumberOfElements(times) : 0;
  if (motionfiles::isScalarStruct(events) && times == nullptr) return;  // no events
  if (times == nullptr || !motionfiles::isRealDouble(times) || (mxGetM(times) != 1 && mxGetN(times) != 1)) {
    refuseInput("events", "D.events must be a struct with times (a vector of seconds), labels and contexts (cells).");
  }
  in.eventTimes.assign(mxGetPr(times), mxGetPr(times) + E);
  for (double t : in.eventTimes) {
    if (!std::isfinite(t)) refuseInput("events", "D.events.times must be finite.");
  }
  in.eventLabels = optionalTexts(events, "labels", E, "events");
  in.eventContexts = optionalTexts(events, "contexts", E, "events");
}

c3d::WriteInput readInput(const mxArray* d) {
  if (!motionfiles::isScalarStruct(d) || presentField(d, "pointRate") == nullptr || mxGetField(d, 0, "points") == nullptr) {
    refuseInput("data", "D must be a struct with points and pointRate (what c3dread returns).");
  }
  c3d::WriteInput in;
  const mxArray* points = mxGetField(d, 0, "points");
  if (!isRealMatrix(points) || mxGetM(points) % 3 != 0) {
    refuseInput("points", "D.points must be a real double matrix of 3 rows per marker, one column per frame.");
  }
  in.markers = mxGetM(points) / 3;
  in.frames = mxGetN(points);
  in.points = mxGetPr(points);
  if (!readScalar(presentField(d, "pointRate"), in.pointRate) || !(in.pointRate > 0 && std::isfinite(in.pointRate))) {
    refuseInput("rate", "D.pointRate must be a positive finite real scalar (frames per second).");
  }
  in.residuals = optionalMatrix(d, "residuals", in.markers, in.frames, "residuals");
  in.cameras = optionalMatrix(d, "cameras", in.markers, in.frames, "cameras");
  in.labels = optionalTexts(d, "labels", in.markers, "labels");
  if (const mxArray* units = presentField(d, "units")) {
    if (!motionfiles::readText(units, in.units)) refuseInput("units", "D.units must be a character row.");
  }
  if (const mxArray* first = presentField(d, "firstFrame")) {
    if (!readScalar(first, in.firstFrame) || !(in.firstFrame >= 0 && in.firstFrame == std::floor(in.firstFrame)) ||
        in.firstFrame > 4294967295.0) {
      refuseInput("firstFrame", "D.firstFrame must be a whole number from 0.");
    }
  }
  if (const mxArray* analog = presentField(d, "analog")) {
    if (!isRealMatrix(analog)) refuseInput("analog", "D.analog must be a real double matrix, one row per channel.");
    in.channels = mxGetM(analog);
    in.analogColumns = mxGetN(analog);
    in.analog = mxGetPr(analog);
  }
  if (const mxArray* rate = presentField(d, "analogRate")) {
    if (!readScalar(rate, in.analogRate) || !(in.analogRate >= 0 && std::isfinite(in.analogRate))) {
      refuseInput("analog", "D.analogRate must be a finite real scalar, 0 or more (samples per second).");
    }
  }
  in.analogLabels = optionalTexts(d, "analogLabels", in.channels, "analog");
  in.analogUnits = optionalTexts(d, "analogUnits", in.channels, "analog");
  readEvents(d, in);
  in.groups = readParameters(d);
  for (const c3d::GroupToWrite& g : in.groups) {
    if (!motionfiles::sameName(g.name, "POINT")) continue;
    for (const c3d::ParameterToWrite& p : g.parameters) {
      if (motionfiles::sameName(p.name, "SCALE") && p.numbers.size() == 1) in.scaleHint = std::fabs(p.numbers[0]);
    }
  }
  return in;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::writeOneFile(Signature{"c3dwrite", "c3dwrite(FILE, D)"}, nlhs, plhs, nrhs, prhs,
                            [](const std::string& file, const mxArray* data) { c3d::writeC3d(readInput(data), file); });
}
