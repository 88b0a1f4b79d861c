// The kernels that split their columns over worker threads, with 1 and with
// 2 threads, by size: wall time (the threads' work is not the calling
// thread's CPU time), the median of repeated calls on warm buffers, and the
// ratio; once for calls that follow one another (the workers still awake)
// and once for calls 5 ms apart (the workers asleep, so each call pays for
// waking them). Where 2 threads win in both is where each kernel's
// kColumnsPerThread sits; 1e6 columns is the figure that
// docs/performance.md reports.
//   threads_bench [repetitions]
#include "conversions/axis_sequence.h"
#include "conversions/eul2rot/euler_to_quaternion.h"
#include "conversions/mat2rot/matrix_to_quaternion.h"
#include "parallel/worker_pool.h"
#include "conversions/rot2eul/quaternion_to_euler.h"
#include "conversions/rot2mat/quaternion_to_matrix.h"
#include "conversions/rot2vec/quaternion_to_vector.h"
#include "conversions/rotapply/apply_rotation.h"
#include "conversions/rotnormalize/normalize_columns.h"
#include "rotations/rotslerp/slerp_columns.h"
#include "conversions/vec2rot/vector_to_quaternion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using RangeCall = std::function<void(std::uint32_t begin, std::uint32_t end)>;

struct Kernel {
  std::string name;
  // Runs columns [begin, end) of a call over `columns` columns.
  std::function<RangeCall(std::uint32_t columns)> prepare;
};

std::vector<double>& buffer(int slot, std::size_t count) {
  static std::vector<std::vector<double>> slots(5);
  std::vector<double>& b = slots[static_cast<std::size_t>(slot)];
  if (b.size() < count) {
    std::mt19937_64 random(static_cast<std::uint64_t>(slot) + 1);
    std::normal_distribution<double> normal;
    b.resize(count);
    for (double& v : b) v = normal(random);
  }
  return b;
}

EulerAxes zxy() {
  EulerAxes axes;
  parseAxisSequence({'Z', 'X', 'Y'}, axes);
  return axes;
}

std::vector<Kernel> kernels() {
  return {
      {"rotnormalize", [](std::uint32_t n) -> RangeCall {
         const NormalizeColumns path = normalizeColumnsPaths().widest();
         const double* in = buffer(0, 4 * std::size_t{n}).data();
         double* out = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) { path(in + 4 * std::size_t{b}, out + 4 * std::size_t{b}, e - b); };
       }},
      {"rotapply", [](std::uint32_t n) -> RangeCall {
         const ApplyRotations path = applyRotationsPaths().widestShortOfAvx512();
         const double* q = buffer(0, 4 * std::size_t{n}).data();
         const double* v = buffer(1, 9 * std::size_t{n}).data();
         double* out = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) {
           path(q + 4 * std::size_t{b}, e - b, v + 3 * std::size_t{b}, e - b, out + 3 * std::size_t{b}, e - b);
         };
       }},
      {"rot2mat", [](std::uint32_t n) -> RangeCall {
         const QuaternionsToMatrices path = quaternionsToMatricesPaths().widest();
         const double* q = buffer(0, 4 * std::size_t{n}).data();
         double* r = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) { path(q + 4 * std::size_t{b}, r + 9 * std::size_t{b}, e - b); };
       }},
      {"mat2rot", [](std::uint32_t n) -> RangeCall {
         const MatricesToQuaternions path = matricesToQuaternionsPaths().widest();
         const double* r = buffer(1, 9 * std::size_t{n}).data();
         double* q = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) { path(r + 9 * std::size_t{b}, q + 4 * std::size_t{b}, e - b); };
       }},
      {"eul2rot ZXY", [](std::uint32_t n) -> RangeCall {
         const EulerToQuaternions path = eulerToQuaternionsPaths().widest();
         const double* a = buffer(1, 9 * std::size_t{n}).data();
         double* q = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) {
           path(a + 3 * std::size_t{b}, q + 4 * std::size_t{b}, e - b, zxy());
         };
       }},
      {"rot2eul ZXY", [](std::uint32_t n) -> RangeCall {
         const QuaternionsToEuler path = quaternionsToEulerPaths().widest();
         const double* q = buffer(0, 4 * std::size_t{n}).data();
         double* a = buffer(2, 9 * std::size_t{n}).data();
         auto* locked = reinterpret_cast<std::uint8_t*>(buffer(4, std::size_t{n}).data());
         return [=](std::uint32_t b, std::uint32_t e) {
           path(q + 4 * std::size_t{b}, a + 3 * std::size_t{b}, locked + b, e - b, zxy());
         };
       }},
      {"vec2rot", [](std::uint32_t n) -> RangeCall {
         const VectorsToQuaternions path = vectorsToQuaternionsPaths().widest();
         const double* v = buffer(1, 9 * std::size_t{n}).data();
         double* q = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) { path(v + 3 * std::size_t{b}, q + 4 * std::size_t{b}, e - b); };
       }},
      {"rot2vec", [](std::uint32_t n) -> RangeCall {
         const QuaternionsToVectors path = quaternionsToVectorsPaths().widest();
         const double* q = buffer(0, 4 * std::size_t{n}).data();
         double* v = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) { path(q + 4 * std::size_t{b}, v + 3 * std::size_t{b}, e - b); };
       }},
      {"rotslerp", [](std::uint32_t n) -> RangeCall {
         const SlerpColumns path = slerpColumnsPaths().widest();
         const double* q1 = buffer(0, 4 * std::size_t{n}).data();
         const double* q2 = buffer(1, 9 * std::size_t{n}).data();
         const double* t = buffer(3, std::size_t{n}).data();
         double* out = buffer(2, 9 * std::size_t{n}).data();
         return [=](std::uint32_t b, std::uint32_t e) {
           const std::size_t at = 4 * std::size_t{b};
           path(q1 + at, e - b, q2 + at, e - b, t + b, e - b, out + at, e - b);
         };
       }},
  };
}

// Median wall time of one call, in ns, with `threads` threads and no lower
// bound on the columns a thread takes.
double timeCall(const RangeCall& call, std::uint32_t columns, const char* threads, int repetitions, bool apart) {
  setenv("ROTKIT_NUM_THREADS", threads, 1);
  std::vector<double> times;
  const int inner = apart ? 1 : std::max(1, static_cast<int>(2e6 / columns));
  for (int r = 0; r < repetitions; ++r) {
    if (apart) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < inner; ++i) parallel::forColumns(columns, 1, call);
    const auto stop = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::nano>(stop - start).count() / inner);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 15;
  std::printf("| kernel | columns | 1 thread, ns/column | 2 threads | 1 / 2 threads | calls apart: 1 thread | 2 threads "
              "| 1 / 2 threads |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
  for (const Kernel& kernel : kernels()) {
    for (std::uint32_t columns : {1000u, 4000u, 16000u, 64000u, 250000u, 1000000u}) {
      const RangeCall call = kernel.prepare(columns);
      call(0, columns);  // warm
      const double one = timeCall(call, columns, "1", repetitions, false);
      const double two = timeCall(call, columns, "2", repetitions, false);
      const double oneApart = timeCall(call, columns, "1", repetitions, true);
      const double twoApart = timeCall(call, columns, "2", repetitions, true);
      std::printf("| %s | %u | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f |\n", kernel.name.c_str(), columns,
                  one / columns, two / columns, one / two, oneApart / columns, twoApart / columns, oneApart / twoApart);
      std::fflush(stdout);
    }
  }
  parallel::stopWorkers();
  return 0;
}
