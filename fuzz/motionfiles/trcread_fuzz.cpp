// Fuzz target for trcread: any bytes as a TRC file. Besides the readers'
// oracle (file_fuzz.h): points has 3 rows per label, time and
// frameNumbers a column per frame.
#include "file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = filefuzz::writeFile("trc", data, size);
  const embedded::CallResult result = filefuzz::callReader(mexFunction, "trcread", 1, {file}, "frameCount");
  if (result.raised) return 0;
  const mxArray* d = result.output.get();
  const std::size_t N = mxGetN(filefuzz::matrixField(d, "points", 3 * filefuzz::cellCount(d, "labels")));
  filefuzz::matrixField(d, "time", 1, N);
  filefuzz::matrixField(d, "frameNumbers", 1, N);
  return 0;
}
