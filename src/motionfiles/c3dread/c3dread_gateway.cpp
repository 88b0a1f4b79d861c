// c3dread: d = c3dread(file), a C3D file's markers, analog channels,
// events and parameters. Numbers are the file's, exactly: 32-bit floats
// and scaled 16-bit integers become the doubles they stand for.
//
// The file is read whole and its header and parameters parsed and checked
// (c3d_parser.h) before anything is created; the frames are then decoded
// into the outputs, split over the worker threads. Errors are raised, and
// the warning for a file cut short issued, once every C++ object of the
// call is gone.
#include "host/host.h"
#include "motionfiles/c3dread/c3d_parser.h"
#include "motionfiles/field_names.h"
#include "motionfiles/file_call.h"
#include "motionfiles/file_io.h"
#include "motionfiles/host_results.h"
#include "parallel/worker_pool.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using motionfiles::createMatrix;
using motionfiles::createScalar;
using motionfiles::createText;
using motionfiles::createTextRow;

// Frames per thread below which a second thread does not pay: about
// 256 KiB of a file's data.
std::uint32_t framesPerThread(const c3d::FileLayout& layout) {
  const std::size_t bytes = std::max<std::size_t>(layout.frameBytes, 1);
  return static_cast<std::uint32_t>(std::max<std::size_t>(1, (std::size_t{1} << 18) / bytes));
}

// A parameter's value: char data as a char row (one string) or a cell of
// rows (the other dimensions), numbers as a double array of the
// parameter's dimensions (a row for one dimension).
mxArray* parameterValue(const c3d::Parameter& parameter) {
  const std::vector<std::size_t>& dims = parameter.dims;
  if (parameter.type == -1) {
    const std::vector<std::string> texts = c3d::parameterTexts(parameter, false);
    if (dims.size() <= 1) return createText(texts[0]);
    std::size_t rest = 1;
    for (std::size_t d = 2; d < dims.size(); ++d) rest *= dims[d];
    mxArray* cell = mxCreateCellMatrix(static_cast<mwSize>(dims.size() == 2 ? 1 : dims[1]),
                                       static_cast<mwSize>(dims.size() == 2 ? dims[1] : rest));
    for (std::size_t i = 0; i < texts.size(); ++i) mxSetCell(cell, static_cast<mwIndex>(i), createText(texts[i]));
    return cell;
  }
  mxArray* value;
  if (dims.size() <= 2) {
    const std::size_t rows = dims.size() == 2 ? dims[0] : 1;
    const std::size_t cols = dims.empty() ? 1 : (dims.size() == 1 ? dims[0] : dims[1]);
    value = createMatrix(rows, cols);
  } else {
    std::vector<mwSize> shape(dims.begin(), dims.end());
    value = mxCreateNumericArray(static_cast<mwSize>(shape.size()), shape.data(), mxDOUBLE_CLASS, mxREAL);
  }
  std::copy(parameter.numbers.begin(), parameter.numbers.end(), mxGetPr(value));
  return value;
}

// Every group as a struct of its parameters, in the order of the file;
// names made valid field names (the first of two that come out alike
// wins). A parameter of a group the file does not name goes into GROUP<id>.
mxArray* createParameters(const c3d::FileLayout& layout) {
  std::vector<c3d::Group> groups = layout.groups;
  for (const c3d::Parameter& p : layout.parameters) {
    const bool known = std::any_of(groups.begin(), groups.end(), [&](const c3d::Group& g) { return g.id == p.group; });
    if (!known) groups.push_back(c3d::Group{p.group, "GROUP" + std::to_string(p.group)});
  }
  std::vector<std::string> groupNames;
  std::vector<std::vector<int>> groupIds;  // the ids gathered under each name
  for (const c3d::Group& g : groups) {
    const std::string name = motionfiles::fieldName(g.name.data(), g.name.data() + g.name.size());
    const auto at = std::find(groupNames.begin(), groupNames.end(), name);
    if (at == groupNames.end()) {
      groupNames.push_back(name);
      groupIds.push_back({g.id});
    } else {
      groupIds[static_cast<std::size_t>(at - groupNames.begin())].push_back(g.id);
    }
  }
  mxArray* all = motionfiles::createStructOf(groupNames);
  for (std::size_t g = 0; g < groupNames.size(); ++g) {
    std::vector<std::string> names;
    std::vector<const c3d::Parameter*> chosen;
    for (const c3d::Parameter& p : layout.parameters) {
      if (std::find(groupIds[g].begin(), groupIds[g].end(), p.group) == groupIds[g].end()) continue;
      const std::string name = motionfiles::fieldName(p.name.data(), p.name.data() + p.name.size());
      if (std::find(names.begin(), names.end(), name) != names.end()) continue;
      names.push_back(name);
      chosen.push_back(&p);
    }
    mxArray* group = motionfiles::createStructOf(names);
    mxSetField(all, 0, groupNames[g].c_str(), group);
    for (std::size_t i = 0; i < chosen.size(); ++i) mxSetField(group, 0, names[i].c_str(), parameterValue(*chosen[i]));
  }
  return all;
}

mxArray* createEvents(const c3d::FileLayout& layout) {
  mxArray* events = motionfiles::createStruct({"times", "labels", "contexts"});
  const std::size_t E = layout.events.size();
  mxArray* times = createMatrix(1, E);
  std::vector<std::string> labels, contexts;
  for (std::size_t e = 0; e < E; ++e) {
    mxGetPr(times)[e] = layout.events[e].time;
    labels.push_back(layout.events[e].label);
    contexts.push_back(layout.events[e].context);
  }
  mxSetField(events, 0, "times", times);
  mxSetField(events, 0, "labels", createTextRow(labels));
  mxSetField(events, 0, "contexts", createTextRow(contexts));
  return events;
}

mxArray* createResult(const c3d::FileLayout& layout, const unsigned char* data) {
  const std::size_t M = layout.points;
  const std::size_t C = layout.analogChannels;
  const std::size_t N = layout.frames;
  motionfiles::ArrayGuard result(motionfiles::createStruct({"points", "residuals", "cameras", "labels", "pointRate",
                                                            "firstFrame", "units", "analog", "analogLabels",
                                                            "analogUnits", "analogRate", "events", "parameters"}));
  mxArray* d = result.get();
  mxArray* points = createMatrix(3 * M, N);
  mxSetField(d, 0, "points", points);
  mxArray* residuals = createMatrix(M, N);
  mxSetField(d, 0, "residuals", residuals);
  mxArray* cameras = createMatrix(M, N);
  mxSetField(d, 0, "cameras", cameras);
  mxArray* analog = createMatrix(C, N * layout.samplesPerFrame);
  mxSetField(d, 0, "analog", analog);
  mxSetField(d, 0, "labels", createTextRow(layout.labels));
  mxSetField(d, 0, "pointRate", createScalar(layout.pointRate));
  mxSetField(d, 0, "firstFrame", createScalar(layout.firstFrame));
  mxSetField(d, 0, "units", createText(layout.units));
  mxSetField(d, 0, "analogLabels", createTextRow(layout.analogLabels));
  mxSetField(d, 0, "analogUnits", createTextRow(layout.analogUnits));
  mxSetField(d, 0, "analogRate", createScalar(layout.analogRate));
  mxSetField(d, 0, "events", createEvents(layout));
  mxSetField(d, 0, "parameters", createParameters(layout));

  double* const pointData = mxGetPr(points);
  double* const residualData = mxGetPr(residuals);
  double* const cameraData = mxGetPr(cameras);
  double* const analogData = C > 0 ? mxGetPr(analog) : nullptr;
  const std::size_t s = layout.samplesPerFrame;
  if (layout.frameBytes > 0) {
    parallel::forColumns(static_cast<std::uint32_t>(N), framesPerThread(layout), [&](std::uint32_t begin, std::uint32_t end) {
      c3d::decodeFrames(data, layout, begin, end - begin, pointData + 3 * M * begin, residualData + M * begin,
                        cameraData + M * begin, analogData != nullptr ? analogData + C * s * begin : nullptr);
    });
  }
  return result.release();
}

mxArray* readFile(const std::string& file, motionfiles::CallReport& report) {
  const motionfiles::FileBytes bytes = motionfiles::readWholeFile(file);
  const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const c3d::FileLayout layout = c3d::parseC3d(data, bytes.size());
  mxArray* d = createResult(layout, data);
  if (layout.frames < layout.announcedFrames) {
    report.warn("frameCount",
                "%s: the header and parameters announce %llu frames and the file holds %zu complete ones; the %zu are read.",
                file.c_str(), static_cast<unsigned long long>(layout.announcedFrames), layout.frames, layout.frames);
  }
  return d;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::readOneFile(Signature{"c3dread", "D = c3dread(FILE)"}, nlhs, plhs, nrhs, prhs, readFile);
}
