// trcread: d = trcread(file), the markers of an OpenSim TRC file, with
// c3dread's fields where they apply. Numbers read correctly rounded.
//
// The file is read whole, its header parsed (trc_header.h) and its rows
// found before anything is created; the rows are then parsed on the worker
// threads straight into the outputs, which a fault in a row destroys
// before its error is raised. Errors, and the warning for a frame count
// other than NumFrames, are raised once every C++ object is gone.
#include "host/host.h"
#include "motionfiles/field_names.h"
#include "motionfiles/file_call.h"
#include "motionfiles/file_io.h"
#include "motionfiles/host_results.h"
#include "motionfiles/table/number_rows.h"
#include "motionfiles/text_lines.h"
#include "motionfiles/trcread/trc_header.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

using motionfiles::createMatrix;

constexpr std::size_t kMaxRows = (std::size_t{1} << 31) - 1;

mxArray* createHeader(const trc::Header& header) {
  std::vector<std::string> names;
  std::vector<const trc::HeaderValue*> chosen;
  for (const trc::HeaderValue& v : header.values) {
    const std::string name = motionfiles::fieldName(v.name.data(), v.name.data() + v.name.size());
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    names.push_back(name);
    chosen.push_back(&v);
  }
  mxArray* s = motionfiles::createStructOf(names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    mxSetField(s, 0, names[i].c_str(),
               chosen[i]->isNumber ? motionfiles::createScalar(chosen[i]->number) : motionfiles::createText(chosen[i]->text));
  }
  return s;
}

mxArray* readFile(const std::string& file, motionfiles::CallReport& report) {
  const motionfiles::FileBytes bytes = motionfiles::readWholeFile(file);
  const char* text = bytes.data();
  const char* end = text + bytes.size();
  const trc::Header header = trc::parseHeader(text, bytes.size());
  const std::vector<const char*> rows = table::findRows(header.rowsBegin, end);
  const std::size_t N = rows.size();
  const std::size_t M = header.labels.size();
  if (N > kMaxRows) motionfiles::failAt(motionfiles::lineOf(text, rows[kMaxRows]), "tooLarge", "more frames than the toolbox counts (2^31 - 1).");

  motionfiles::ArrayGuard result(motionfiles::createStruct(
      {"points", "labels", "pointRate", "firstFrame", "units", "time", "frameNumbers", "header"}));
  mxArray* d = result.get();
  mxArray* points = createMatrix(3 * M, N);
  mxSetField(d, 0, "points", points);
  mxArray* time = createMatrix(1, N);
  mxSetField(d, 0, "time", time);
  mxArray* frames = createMatrix(1, N);
  mxSetField(d, 0, "frameNumbers", frames);
  if (N > 0) {  // (an empty matrix may have no data at all)
    std::vector<table::Column> columns(2 + 3 * M);
    columns[0] = table::Column{mxGetPr(frames), 1};
    columns[1] = table::Column{mxGetPr(time), 1};
    for (std::size_t i = 0; i < 3 * M; ++i) columns[2 + i] = table::Column{mxGetPr(points) + i, 3 * M};
    // Tabs part the fields (an empty one is a missing sample) unless the
    // first row has none: then runs of blanks do (a row may end early).
    table::Fields fields = table::Fields::tabs;
    const char* p = rows[0];
    while (p != end && *p != '\t' && *p != '\n' && *p != '\r') ++p;
    if (p == end || *p != '\t') fields = table::Fields::blanksShortRows;
    const table::RowFault fault = table::parseRows(rows, end, columns, fields);
    if (fault.kind != table::RowFault::none) table::failAtRow(fault, text, rows, "frameValues", 2 + 3 * M);
  }

  mxSetField(d, 0, "labels", motionfiles::createTextRow(header.labels));
  mxSetField(d, 0, "pointRate", motionfiles::createScalar(header.pointRate));
  mxSetField(d, 0, "firstFrame", motionfiles::createScalar(N > 0 ? mxGetPr(frames)[0] : 1.0));
  mxSetField(d, 0, "units", motionfiles::createText(header.units));
  mxSetField(d, 0, "header", createHeader(header));
  if (header.hasFrameCount && header.frameCount != N) {
    report.warn("frameCount", "%s: NumFrames says %llu frames and the file holds %zu rows; the %zu are read.",
                file.c_str(), static_cast<unsigned long long>(header.frameCount), N, N);
  }
  return result.release();
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::readOneFile(Signature{"trcread", "D = trcread(FILE)"}, nlhs, plhs, nrhs, prhs, readFile);
}
