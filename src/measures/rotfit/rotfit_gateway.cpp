// rotfit: [Q, T, rms] = rotfit(A, B), rotfit(A, B, W), with the option
// 'translation', false: per frame the rotation (and translation) that best
// carries the points of A onto those of B, weighted by W, by Horn's
// quaternion method. Quaternions scalar first, unit, w >= 0; results bit
// for bit (no fused multiply-add), the same for any vector path and thread
// count.
//
// The checks run in a fixed order and the first failure ends the call
// before any matrix is created, with an identifier rotkit:rotfit:<reason>:
// argument counts; A and B (class and storage, then counts); B's rows, A's
// rows and columns; W (class, storage, counts, element count, values);
// then the options, pair by pair. A bare call returns Q into ans.
#include "host/host.h"
#include "measures/rotfit/fit_rigid_motion.h"
#include "measures/weight_refusals.h"

#include <cctype>
#include <cstdio>

namespace {

const Signature kRotfit{"rotfit",
                        "[Q, T, rms] = rotfit(A, B), rotfit(A, B, W) or rotfit(..., 'translation', false)"};

// True when `a` is the character row `name`, in any case.
bool isOptionName(const mxArray* a, const char* name) {
  char text[16];
  if (!mxIsChar(a) || mxGetM(a) != 1 || mxGetN(a) == 0) return false;
  if (mxGetN(a) >= sizeof text || mxGetString(a, text, sizeof text) != 0) return false;
  std::size_t i = 0;
  for (; name[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != name[i]) return false;
  }
  return text[i] == '\0';
}

// The value of 'translation': a logical or double scalar, true/false or 1/0.
bool translationValue(const mxArray* a) {
  if (mxGetNumberOfElements(a) == 1 && !mxIsSparse(a)) {
    if (mxIsLogical(a)) return mxGetLogicals(a)[0];
    if (mxIsDouble(a) && !mxIsComplex(a)) {
      const double value = mxGetPr(a)[0];
      if (value == 0.0 || value == 1.0) return value == 1.0;
    }
  }
  refuse(kRotfit, "translationValue", "The value of 'translation' must be true or false (1 or 0).");
}

// The name-value pairs from prhs[first] on; the one option is 'translation'.
bool readOptions(int nrhs, const mxArray* prhs[], int first) {
  bool translation = true;
  for (int i = first; i < nrhs; i += 2) {
    if (!isOptionName(prhs[i], "translation")) {
      refuse(kRotfit, "option", "Options come as name-value pairs after A, B and W; the one option is 'translation'.");
    }
    if (i + 1 >= nrhs) refuse(kRotfit, "optionValue", "'translation' needs a value: true or false.");
    translation = translationValue(prhs[i + 1]);
  }
  return translation;
}

} // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  requireArgumentCounts(kRotfit, nrhs, 2, 5, nlhs, 3);
  const mxArray* a = prhs[0];
  const mxArray* b = prhs[1];
  requireRealFullDouble(kRotfit, a, "A");
  requireRealFullDouble(kRotfit, b, "B");
  modelColumns(kRotfit, a, "A");
  modelColumns(kRotfit, b, "B");
  const std::size_t rows = mxGetM(b);
  if (rows % 3 != 0) {
    refuse(kRotfit, "pointRows",
           "B must have 3 rows per point (a multiple of 3): point m's (x, y, z) in rows 3m-2 to 3m.");
  }
  char text[160];
  if (mxGetM(a) != rows) {
    std::snprintf(text, sizeof text, "A must have the rows of B, 3 per point: %zu.", rows);
    refuse(kRotfit, "aRows", text);
  }
  const std::uint32_t points = static_cast<std::uint32_t>(rows / 3);
  const std::uint32_t frames = lowBits32(mxGetN(b));
  const std::uint32_t aCols = lowBits32(mxGetN(a));
  if (aCols != 1 && aCols != frames) {
    std::snprintf(text, sizeof text, "A must have one column (a reference cluster) or one per column of B: %u.",
                  frames);
    refuse(kRotfit, "aColumns", text);
  }
  const bool hasWeights = nrhs >= 3 && !mxIsChar(prhs[2]);
  const double* weights = hasWeights ? requireWeights(kRotfit, prhs[2], points, "point") : nullptr;
  const bool translation = readOptions(nrhs, prhs, hasWeights ? 3 : 2);

  plhs[0] = createRealMatrix(4, frames);
  if (nlhs >= 2) plhs[1] = createRealMatrix(3, frames);
  if (nlhs >= 3) plhs[2] = createRealMatrix(1, frames);
  joinWorkersAtExit();  // the kernel may split its frames over worker threads
  fitRigidMotions(mxGetPr(a), aCols, mxGetPr(b), points, frames, weights, translation, mxGetPr(plhs[0]),
                  nlhs >= 2 ? mxGetPr(plhs[1]) : nullptr, nlhs >= 3 ? mxGetPr(plhs[2]) : nullptr);
}
