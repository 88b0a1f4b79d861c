// Fuzz target for rotintegrate on the embedded host: a call is refused
// (with one of its own messages, having created nothing) exactly when its
// argument counts, classes, sizes, W's rows, q0's shape, t or frame are
// wrong, and otherwise returns a 4J x N result bit for bit what the kernel
// gives on its scalar path.
#include "timeseries/rotintegrate/integrate_rates.h"
#include "timeseries_oracle.h"

#define ROTKIT_LANES_KERNEL "timeseries/rotintegrate/integrate_rates_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

using namespace timeseries_oracle;

const MessageSet kMessages = {"rotintegrate *", "Not enough input arguments*", "Too many input arguments*", "Too many output arguments*", "W *", "t *", "q0 *", "frame *"};

// integrateRates' passes, each on the scalar path.
std::vector<double> scalarIntegration(const FuzzArray& w, std::uint32_t joints, std::uint32_t count,
                                      const SampleTimes& time, const double* q0, bool world) {
  std::vector<double> q(4 * std::size_t{joints} * count);
  if (count == 0) return q;
  std::copy(q0, q0 + 4 * joints, q.begin());
  const std::uint32_t blocks = (count - 1 + kIntegrationBlock - 1) / kIntegrationBlock;
  const std::size_t stride = 4 * std::size_t{joints};
  for (std::uint32_t j = 0; j < joints; ++j) {
    blockProductsPaths().paths[0].function(w.values.data(), joints, count, time, world, j, 0, blocks, q.data());
    for (std::uint32_t b = 1; b < blocks; ++b) {
      double* anchor = q.data() + std::size_t{b} * kIntegrationBlock * stride + 4 * j;
      const double* before = anchor - kIntegrationBlock * stride;
      const rotkit::scalar::Quat r =
          rotkit::scalar::composeTurn({before[0], before[1], before[2], before[3]}, {anchor[0], anchor[1], anchor[2], anchor[3]}, world);
      anchor[0] = r.w;
      anchor[1] = r.x;
      anchor[2] = r.y;
      anchor[3] = r.z;
    }
    anchorBlocksPaths().paths[0].function(joints, count, world, j, 0, blocks, q.data());
  }
  return q;
}

Outcome expectedOutcome(const FuzzCall& call) {
  if (call.inputs.size() < 3 || call.inputs.size() > 4 || call.nlhs > 1) return refuses();
  const FuzzArray& w = call.inputs[0];
  const FuzzArray& t = call.inputs[1];
  const FuzzArray& q0 = call.inputs[2];
  if (!usableDouble(w) || !usableDouble(t) || !usableDouble(q0)) return refuses();
  if (w.rows == 0 || w.rows % 3 != 0) return refuses();
  const auto joints = static_cast<std::uint32_t>(w.rows / 3);
  if (q0.rows != 4 * std::size_t{joints} || q0.cols != 1) return refuses();
  SampleTimes time{};
  if (!readTimes(t, w.cols, time)) return refuses();
  bool world = false;
  if (call.inputs.size() == 4) {
    const int word = readWord(call.inputs[3], "body", "world");
    if (word < 0) return refuses();
    world = word == 1;
  }
  if (anyHuge(call)) return returnsShape(4 * std::size_t{joints}, w.cols);
  const auto count = static_cast<std::uint32_t>(w.cols);
  return returns(4 * joints, count, scalarIntegration(w, joints, count, time, q0.values.data(), world));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzCall call = decodeCall(data, size);
  callAndCheck(mexFunction, call, expectedOutcome(call), kMessages, 1);
  return 0;
}
