// motread: t = motread(file), an OpenSim MOT or STO table: its column
// labels, its numbers with one column per row of the file (frames as
// columns, as everywhere in the toolbox) and its header. Numbers read
// correctly rounded.
//
// The file is read whole, its header parsed (mot_header.h) and its rows
// found before anything is created; the rows are then parsed on the worker
// threads straight into the output, which a fault in a row destroys before
// its error is raised. Errors, and the warning for a row count other than
// nRows, are raised once every C++ object is gone.
#include "host/host.h"
#include "motionfiles/file_call.h"
#include "motionfiles/file_io.h"
#include "motionfiles/host_results.h"
#include "motionfiles/motread/mot_header.h"
#include "motionfiles/table/number_rows.h"
#include "motionfiles/text_lines.h"

#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxRows = (std::size_t{1} << 31) - 1;

mxArray* readFile(const std::string& file, motionfiles::CallReport& report) {
  const motionfiles::FileBytes bytes = motionfiles::readWholeFile(file);
  const char* text = bytes.data();
  const char* end = text + bytes.size();
  const mot::Header header = mot::parseHeader(text, bytes.size());
  const std::vector<const char*> rows = table::findRows(header.rowsBegin, end);
  const std::size_t R = rows.size();
  const std::size_t C = header.labels.size();
  if (R > kMaxRows) motionfiles::failAt(motionfiles::lineOf(text, rows[kMaxRows]), "tooLarge", "more rows than the toolbox counts (2^31 - 1).");

  motionfiles::ArrayGuard result(motionfiles::createStruct({"labels", "data", "name", "inDegrees", "header"}));
  mxArray* t = result.get();
  mxArray* data = motionfiles::createMatrix(C, R);
  mxSetField(t, 0, "data", data);
  if (R > 0) {  // (an empty matrix may have no data at all)
    std::vector<table::Column> columns(C);
    for (std::size_t c = 0; c < C; ++c) columns[c] = table::Column{mxGetPr(data) + c, C};
    const table::RowFault fault = table::parseRows(rows, end, columns, table::Fields::blanks);
    if (fault.kind != table::RowFault::none) table::failAtRow(fault, text, rows, "rowValues", C);
  }

  mxSetField(t, 0, "labels", motionfiles::createTextRow(header.labels));
  mxSetField(t, 0, "name", motionfiles::createText(header.name));
  mxArray* inDegrees = header.inDegrees < 0 ? mxCreateLogicalMatrix(0, 0) : mxCreateLogicalMatrix(1, 1);
  if (header.inDegrees > 0) *mxGetLogicals(inDegrees) = true;
  mxSetField(t, 0, "inDegrees", inDegrees);
  mxSetField(t, 0, "header", motionfiles::createTextRow(header.lines));
  if (header.hasRowCount && header.rowCount != R) {
    report.warn("rowCount", "%s: the header says %llu rows and the file holds %zu; the %zu are read.", file.c_str(),
                static_cast<unsigned long long>(header.rowCount), R, R);
  }
  return result.release();
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::readOneFile(Signature{"motread", "T = motread(FILE)"}, nlhs, plhs, nrhs, prhs, readFile);
}
