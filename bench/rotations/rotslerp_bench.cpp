// rotslerp kernel benchmarks: every path over N pairs of end rotations,
// each with a parameter of its own, against a loop that streams nearly the
// same bytes (Q1 and Q2 read, a 4 x N block written). Three cases: random
// pairs (the spherical branch, with each lane's own atan2), pairs close
// together (the linear branch), and one pair broadcast over N parameters.
#include "rotations/rotslerp/slerp_columns.h"
#include "support/bench_support.h"
#include "support/streaming.h"

#include <cmath>
#include <vector>

namespace {

double bytesFor(std::uint64_t n) { return 13.0 * 8.0 * static_cast<double>(n); }

// Unit quaternions from the pooled uniform data, in a buffer of their own
// (slot), q2 = q1 + spread·noise when `spread` is small.
const double* unitPairs(int slot, std::uint64_t n, const double* near, double spread) {
  static std::vector<double> store[8];
  std::vector<double>& q = store[slot];
  if (q.size() == 4 * n) return q.data();
  const double* noise = pooledBuffer(slot, 4 * n);
  q.assign(noise, noise + 4 * n);
  for (std::uint64_t k = 0; k < n; ++k) {
    double s = 0;
    for (int i = 0; i < 4; ++i) {
      if (near != nullptr) q[4 * k + i] = near[4 * k + i] + spread * noise[4 * k + i];
      s += q[4 * k + i] * q[4 * k + i];
    }
    for (int i = 0; i < 4; ++i) q[4 * k + i] /= std::sqrt(s);
  }
  return q.data();
}

void addGroup(const std::string& group, double spread, bool broadcast) {
  for (std::uint64_t n : kernelSizes()) {
    addCase(group, "stream", n, bytesFor(n), [n](benchmark::State& state) {
      const double* a = pooledBuffer(4, 4 * n);
      const double* b = pooledBuffer(5, 4 * n);
      double* out = pooledBuffer(2, 4 * n);
      for (auto _ : state) {
        streamTwoToOne(a, b, out, 4 * n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(slerpColumnsPaths())) {
      const SlerpColumns slerp = path.function;
      addCase(group, vectorPathName(path.path), n, bytesFor(n), [n, spread, broadcast, slerp](benchmark::State& state) {
        const double* q1 = unitPairs(6, n, nullptr, 0);
        // Close pairs in a slot of their own: the groups' cases run interleaved.
        const double* q2 = spread > 0 ? unitPairs(5, n, q1, spread) : unitPairs(7, n, nullptr, 0);
        const double* t = pooledBuffer(3, n, 0.0, 1.0);
        double* out = pooledBuffer(2, 4 * n);
        const auto cols = static_cast<std::uint32_t>(n);
        const std::uint32_t sideCols = broadcast ? 1 : cols;
        for (auto _ : state) {
          slerp(q1, sideCols, q2, sideCols, t, cols, out, cols);
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
}

} // namespace

int main(int argc, char** argv) {
  addGroup("rotslerp, random pairs (spherical)", 0, false);
  addGroup("rotslerp, close pairs (linear)", 1e-3, false);
  addGroup("rotslerp, one pair, N parameters", 0, true);
  addNote(std::string("slerpColumns dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; every path gives the scalar path's bits.");
  addNote("stream: out = Q1 + Q2 over the 4 x N blocks (T's N doubles are the only bytes it does not move).");
  return runKernelBenchmarks(argc, argv, "rotslerp kernel");
}
