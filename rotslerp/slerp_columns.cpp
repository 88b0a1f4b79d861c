// rotslerp's kernel on every vector path of the build, and the choice of
// the widest at run time; the formulas are rotslerp/slerp_columns_lanes.h
// and quaternion/slerp_lanes.h.
#include "rotslerp/slerp_columns.h"

#define ROTKIT_LANES_KERNEL "rotslerp/slerp_columns_lanes.h"
#include "simd/each_target.h"

const KernelPaths<SlerpColumns>& slerpColumnsPaths() {
  static const KernelPaths<SlerpColumns> paths = ROTKIT_KERNEL_PATHS(slerpColumns);
  return paths;
}

void slerpColumns(const double* q1Data, std::uint32_t q1Cols, const double* q2Data, std::uint32_t q2Cols,
                  const double* tData, std::uint32_t tCols, double* outData, std::uint32_t outCols) {
  slerpColumnsPaths().widest()(q1Data, q1Cols, q2Data, q2Cols, tData, tCols, outData, outCols);
}
