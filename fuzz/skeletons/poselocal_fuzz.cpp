// Fuzz target for poselocal on the embedded host. Any call either raises
// exactly the refusal its checks give, in their documented order, having
// created nothing, or returns a 4J x N matrix whose bits are those
// computed here from the definition: the root's rows copied, every other
// joint's the inverse of its parent's global rotation (the conjugate over
// the squared norm, rotreverse's term order) times its own (the Hamilton
// product in rotcompose's term order).
#include "identified_oracle.h"

#include <cstdio>

namespace {

using namespace identified_oracle;

const Named kPoselocal{"poselocal", "L = poselocal(parents, G)", {"parents", "G"}};

Outcome expectedOutcome(const FuzzCall& call) {
  Outcome o = countChecks(call, kPoselocal, 2, 2, 1);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = classChecks(call, kPoselocal, i);
  for (std::size_t i = 0; i < 2 && passed(o); ++i) o = sizeChecks(call, kPoselocal, i);
  if (!passed(o)) return o;
  const FuzzArray& parents = call.inputs[0];
  const FuzzArray& g = call.inputs[1];
  const std::size_t joints = parents.rows * parents.cols;
  if (joints >= (std::size_t{1} << 29)) {
    return raises("rotkit:poselocal:tooLarge", "parents is too large: 4 times its element count must be below 2^31.");
  }
  if (g.rows != 4 * joints) {
    return raises("rotkit:poselocal:gRows", "G must have 4 rows per joint, 4*numel(parents) = " +
                                                std::to_string(4 * joints) + ": joint j's quaternion in rows 4j-3 to 4j.");
  }
  for (std::size_t j = 1; j < joints; ++j) {
    const double number = parents.values[j];
    if (!(number >= 1.0 && number < static_cast<double>(j) + 1.0)) {
      char text[128];
      std::snprintf(text, sizeof text, "parents(%zu) must name an earlier joint, a number from 1 to %zu.", j + 1, j);
      return raises("rotkit:poselocal:parentOrder", text);
    }
  }
  if (g.huge) return returnsShape(g.rows, g.cols);
  std::vector<double> local(g.values.size());
  if (joints == 0) return returns(0, g.cols, local);
  for (std::size_t k = 0; k < g.cols; ++k) {
    const double* column = &g.values[g.rows * k];
    double* out = &local[g.rows * k];
    for (int i = 0; i < 4 && joints > 0; ++i) out[i] = column[i];
    for (std::size_t j = 1; j < joints; ++j) {
      const double* p = column + 4 * (static_cast<std::size_t>(static_cast<std::int32_t>(parents.values[j])) - 1);
      const double* c = column + 4 * j;
      double s = p[1] * p[1] + p[0] * p[0];
      s = s + p[2] * p[2];
      s = s + p[3] * p[3];
      const double aw = p[0] / s, ax = -0.0 - p[1] / s, ay = -0.0 - p[2] / s, az = -0.0 - p[3] / s;
      out[4 * j] = ((aw * c[0] - ax * c[1]) - ay * c[2]) - az * c[3];
      out[4 * j + 1] = ((aw * c[1] + ax * c[0]) + ay * c[3]) - az * c[2];
      out[4 * j + 2] = ((aw * c[2] - ax * c[3]) + ay * c[0]) + az * c[1];
      out[4 * j + 3] = ((aw * c[3] + ax * c[2]) - ay * c[1]) + az * c[0];
    }
  }
  return returns(g.rows, g.cols, local);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), {}, 1);
  return 0;
}
