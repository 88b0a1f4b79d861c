// rotcompose's kernel on every vector path of the build, and the choice at run
// time of the widest short of AVX-512 (simd/kernel_paths.h says why);
// the formula is rotations/rotcompose/compose_columns_lanes.h.
#include "rotations/rotcompose/compose_columns.h"

#define ROTKIT_LANES_KERNEL "rotations/rotcompose/compose_columns_lanes.h"
#include "simd/each_target.h"

const KernelPaths<ComposeColumns>& composeColumnsPaths() {
  static const KernelPaths<ComposeColumns> paths = ROTKIT_KERNEL_PATHS(composeColumns);
  return paths;
}

void composeColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                    double* outData, std::uint32_t outCols) {
  composeColumnsPaths().widestShortOfAvx512()(q1Data, q1Cols, q2Data, q2Cols, outData, outCols);
}
