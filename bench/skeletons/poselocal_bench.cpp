// poselocal kernel benchmarks: a random tree of 31 joints over N frames,
// every path of localRotations and the dispatching entry (threads), against
// a loop that streams the same bytes.
#include "skeletons/poselocal/local_rotations.h"
#include "support/bench_support.h"
#include "support/random_tree.h"
#include "support/streaming.h"

namespace {

// Per frame: 4J read, 4J written.
double bytesFor(std::uint64_t frames) { return 64.0 * kJoints * static_cast<double>(frames); }

void addLocalCase(const std::string& group, const std::string& variant, std::uint64_t frames, LocalRotations run) {
  addCase(group, variant, frames, bytesFor(frames), [frames, run](benchmark::State& state) {
    const double* global = pooledBuffer(6, 4 * kJoints * frames);
    double* local = pooledBuffer(7, 4 * kJoints * frames);
    for (auto _ : state) {
      run(kJoints, randomTree().data(), global, local, static_cast<std::uint32_t>(frames));
      benchmark::ClobberMemory();
    }
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::string group = "localRotations, 31 joints, N frames";
  for (std::uint64_t frames : {64, 1000, 10000, 100000}) {
    addCase(group, "stream", frames, bytesFor(frames), [frames](benchmark::State& state) {
      const double* global = pooledBuffer(6, 4 * kJoints * frames);
      double* local = pooledBuffer(7, 4 * kJoints * frames);
      for (auto _ : state) {
        streamOneToOne(global, local, 4 * kJoints * frames);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(localRotationsPaths())) {
      addLocalCase(group, vectorPathName(path.path), frames, path.function);
    }
    addLocalCase(group, "dispatch", frames, localRotations);
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("localRotations dispatches to the ") + vectorPathName(widestVectorPath()) +
          " path on this processor; dispatch is that path with worker threads for large calls.");
  addNote("stream: per frame, local = -global over the same arrays; ns/element is per frame.");
  return runKernelBenchmarks(argc, argv, "poselocal kernel");
}
