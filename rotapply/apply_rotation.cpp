// rotapply's kernel on every vector path of the build, and the choice of
// the widest at run time; the formula is rotapply/apply_rotation_lanes.h.
#include "rotapply/apply_rotation.h"

#define ROTKIT_LANES_KERNEL "rotapply/apply_rotation_lanes.h"
#include "simd/each_target.h"

const KernelPaths<ApplyRotations>& applyRotationsPaths() {
  static const KernelPaths<ApplyRotations> paths = ROTKIT_KERNEL_PATHS(applyRotations);
  return paths;
}

void applyRotations(const double* qData, std::uint32_t qCols, const double* vData, std::uint32_t vCols,
                    double* outData, std::uint32_t outCols) {
  applyRotationsPaths().widest()(qData, qCols, vData, vCols, outData, outCols);
}
