// Fuzz target for motread: any bytes as a MOT or STO file. Besides the
// readers' oracle (file_fuzz.h): data has a row per label.
#include "file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = filefuzz::writeFile("mot", data, size);
  const embedded::CallResult result = filefuzz::callReader(mexFunction, "motread", 1, {file}, "rowCount");
  if (result.raised) return 0;
  const mxArray* t = result.output.get();
  filefuzz::matrixField(t, "data", filefuzz::cellCount(t, "labels"));
  return 0;
}
