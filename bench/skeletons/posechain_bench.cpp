// posechain kernel benchmarks: a random tree of 31 joints over N frames,
// every path of evaluatePoses against the plain frame-by-frame scalar
// kernel and against a loop that streams the same bytes.
#include "skeletons/posechain/evaluate_pose.h"
#include "support/bench_support.h"
#include "support/random_tree.h"
#include "support/streaming.h"

namespace {

// Per frame: 3 + 4J doubles read, 4J + 3J written.
double bytesFor(std::uint64_t frames) { return (3.0 + 11.0 * kJoints) * 8.0 * static_cast<double>(frames); }

void addPoseCase(const std::string& group, const std::string& variant, std::uint64_t frames, EvaluatePoses evaluate) {
  addCase(group, variant, frames, bytesFor(frames), [frames, evaluate](benchmark::State& state) {
    const double* offsets = pooledBuffer(4, 3 * kJoints);
    const double* root = pooledBuffer(5, 3 * frames);
    const double* local = pooledBuffer(6, 4 * kJoints * frames);
    double* global = pooledBuffer(7, 4 * kJoints * frames);
    double* joints = pooledBuffer(8, 3 * kJoints * frames);
    for (auto _ : state) {
      evaluate(kJoints, randomTree().data(), offsets, root, local, 4 * kJoints, global, joints, 3 * kJoints,
               static_cast<std::uint32_t>(frames));
      benchmark::ClobberMemory();
    }
  });
}

} // namespace

int main(int argc, char** argv) {
  const std::string group = "evaluatePoses, 31 joints, N frames";
  for (std::uint64_t frames : {64, 1000, 10000, 100000}) {
    addCase(group, "stream", frames, bytesFor(frames), [frames](benchmark::State& state) {
      const double* root = pooledBuffer(5, 3 * frames);
      const double* local = pooledBuffer(6, 4 * kJoints * frames);
      double* global = pooledBuffer(7, 4 * kJoints * frames);
      double* joints = pooledBuffer(8, 3 * kJoints * frames);
      for (auto _ : state) {
        streamPoseFrames(root, local, global, joints, kJoints, frames);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& path : runnablePaths(evaluatePosesPaths())) {
      addPoseCase(group, vectorPathName(path.path), frames, path.function);
    }
  }
  setBaselines(group, {"stream", "scalar"});
  addNote(std::string("evaluatePoses dispatches to the ") + vectorPathName(widestVectorPath(false)) +
          " path on this processor; scalar is the scalar path, frame by frame.");
  addNote("stream: per frame, global = -local and positions = local + root over the same arrays; ns/element "
          "is per frame.");
  return runKernelBenchmarks(argc, argv, "posechain kernel");
}
