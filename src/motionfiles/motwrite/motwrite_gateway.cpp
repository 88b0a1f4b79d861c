// motwrite: motwrite(file, t) writes a table, as motread returns it, as an
// OpenSim MOT or STO file; F = motwrite(...) also returns the file's name.
// Numbers in the shortest form that reads back the same.
//
// The gateway checks T's fields and hands their data to the writer
// (mot_writer.h), which writes through a temporary file. Errors are raised
// once every C++ object of the call is gone.
#include "host/host.h"
#include "motionfiles/file_call.h"
#include "motionfiles/host_inputs.h"
#include "motionfiles/motwrite/mot_writer.h"

#include <string>

namespace {

using motionfiles::presentField;
using motionfiles::refuseInput;

mot::WriteInput readInput(const mxArray* t) {
  if (!motionfiles::isScalarStruct(t) || mxGetField(t, 0, "labels") == nullptr || mxGetField(t, 0, "data") == nullptr) {
    refuseInput("table", "T must be a struct with labels and data (what motread returns).");
  }
  mot::WriteInput in;
  if (!motionfiles::readTexts(mxGetField(t, 0, "labels"), in.labels)) {
    refuseInput("labels", "T.labels must be a cell of character rows, one per row of T.data.");
  }
  const mxArray* data = mxGetField(t, 0, "data");
  if (!motionfiles::isRealMatrix(data) || mxGetM(data) != in.labels.size()) {
    refuseInput("data", "T.data must be a real double matrix of %zu rows (one per label), one column per row of the file.",
                in.labels.size());
  }
  in.rows = mxGetN(data);
  in.data = mxGetPr(data);
  if (const mxArray* name = presentField(t, "name")) {
    if (!motionfiles::readText(name, in.name)) refuseInput("name", "T.name must be a character row.");
  }
  if (const mxArray* degrees = presentField(t, "inDegrees")) {
    double value = 0;
    if (mxIsLogical(degrees) && mxGetNumberOfElements(degrees) == 1) {
      in.inDegrees = *mxGetLogicals(degrees) ? 1 : 0;
    } else if (motionfiles::readScalar(degrees, value) && (value == 0 || value == 1)) {
      in.inDegrees = value == 1 ? 1 : 0;
    } else {
      refuseInput("inDegrees", "T.inDegrees must be true, false or [].");
    }
  }
  if (const mxArray* lines = presentField(t, "header")) {
    if (!motionfiles::readTexts(lines, in.lines)) refuseInput("header", "T.header must be a cell of character rows.");
  }
  return in;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  motionfiles::writeOneFile(Signature{"motwrite", "motwrite(FILE, T)"}, nlhs, plhs, nrhs, prhs,
                            [](const std::string& file, const mxArray* data) { mot::writeMot(readInput(data), file); });
}
