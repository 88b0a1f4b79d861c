// Fuzz target for asfread: the bytes before the first NUL as an ASF file,
// those after it as its AMC file (no NUL: the skeleton alone). Besides the
// readers' oracle (file_fuzz.h): parents, offsets and names a column per
// joint, parents before their children, and with a motion rootPositions 3
// rows and localRotations 4 per joint, a column per frame.
#include "file_fuzz.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const void* nul = size > 0 ? std::memchr(data, 0, size) : nullptr;
  const std::size_t asfSize = nul != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data) : size;
  std::vector<std::string> files = {filefuzz::writeFile("asf", data, asfSize)};
  if (nul != nullptr) files.push_back(filefuzz::writeFile("amc", data + asfSize + 1, size - asfSize - 1));
  const int nlhs = static_cast<int>(files.size());
  const embedded::CallResult result = filefuzz::callReader(mexFunction, "asfread", nlhs, files, "none");
  if (result.raised) return 0;
  const mxArray* skel = result.output.get();
  const std::size_t J = filefuzz::cellCount(skel, "names");
  const double* parents = mxGetPr(filefuzz::matrixField(skel, "parents", 1, J));
  filefuzz::matrixField(skel, "offsets", 3, J);
  filefuzz::check(J > 0 && parents[0] == 0, "the root is not joint 1");
  for (std::size_t j = 1; j < J; ++j) filefuzz::check(parents[j] >= 1 && parents[j] <= static_cast<double>(j), "a parent after its child");
  if (nlhs == 2) {
    filefuzz::check(result.extraOutputs.size() == 1 && result.extraOutputs[0], "no motion");
    const mxArray* motion = result.extraOutputs[0].get();
    const std::size_t N = mxGetN(filefuzz::matrixField(motion, "rootPositions", 3));
    filefuzz::matrixField(motion, "localRotations", 4 * J, N);
  }
  return 0;
}
