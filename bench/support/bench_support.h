// Kernel benchmarks: each case is a kernel (or a baseline) at one size, and
// the table printed at the end gives each case's time as a ratio to the
// baselines of its group, measured in the same run.
//
// Memory is warm: buffers come from a pool that is filled once and reused
// by every case, because a first touch of fresh memory costs about 10 µs per
// 4 KiB page on these machines and would swamp the kernels.
#ifndef ROTKIT_BENCH_SUPPORT_H
#define ROTKIT_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>

#include "simd/kernel_paths.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The sizes every kernel is measured at.
const std::vector<std::uint64_t>& kernelSizes();

// "1e4" for 10000.
std::string sizeName(std::uint64_t n);

// A pooled buffer of at least `count` doubles, uniform in [low, high) from a
// fixed seed. The same slot with the same range returns the same data, so
// the kernels see identical inputs; the contents are written only when the
// slot grows or its range changes.
double* pooledBuffer(int slot, std::size_t count, double low = -1.0, double high = 1.0);

// Registers case `group/variant/size`. `bytes` is what one call reads and
// writes, `elements` the quaternions, parameters or frames it handles.
void addCase(const std::string& group, const std::string& variant, std::uint64_t elements, double bytes,
             std::function<void(benchmark::State&)> body);

// The variants of `group` that the ratio table divides by, in column order.
void setBaselines(const std::string& group, const std::vector<std::string>& variants);

// A line printed under the table (what a variant is, which path dispatch took).
void addNote(const std::string& note);

// The paths of a kernel that this processor runs, scalar first.
template <class Function>
std::vector<KernelPath<Function>> runnablePaths(const KernelPaths<Function>& table) {
  std::vector<KernelPath<Function>> paths;
  for (std::size_t i = 0; i < table.count; ++i) {
    if (pathRuns(table.paths[i].path)) paths.push_back(table.paths[i]);
  }
  return paths;
}

// Runs the registered cases with the command line's benchmark flags, then
// prints the ratio table. Returns the process exit status.
int runKernelBenchmarks(int argc, char** argv, const std::string& title);

#endif
