// Benchmark cases shared by the time-series kernels' benchmarks: a motion
// of N unit-ish quaternions (components uniform in [-1, 1]; the kernels do
// not normalise) sampled every 0.01, and the stream baseline of the same
// bytes.
#ifndef ROTKIT_BENCH_TIMESERIES_CASES_H
#define ROTKIT_BENCH_TIMESERIES_CASES_H

#include "support/bench_support.h"
#include "support/streaming.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using SeriesRun = std::function<void(const double* in, double* out, std::uint32_t count)>;

// The stream baseline and each variant of `group`, N columns of `inRows`
// doubles in and `outRows` out, at `sizes`.
inline void addSeriesCases(const std::string& group, std::size_t inRows, std::size_t outRows,
                           const std::vector<std::uint64_t>& sizes,
                           const std::vector<std::pair<std::string, SeriesRun>>& variants) {
  for (std::uint64_t n : sizes) {
    const double bytes = 8.0 * static_cast<double>(inRows + outRows) * static_cast<double>(n);
    addCase(group, "stream", n, bytes, [=](benchmark::State& state) {
      const double* in = pooledBuffer(0, inRows * n);
      double* out = pooledBuffer(2, outRows * n);
      for (auto _ : state) {
        streamNegatedColumns(in, inRows, out, outRows, n);
        benchmark::ClobberMemory();
      }
    });
    for (const auto& [name, run] : variants) {
      addCase(group, name, n, bytes, [=, run = run](benchmark::State& state) {
        const double* in = pooledBuffer(0, inRows * n);
        double* out = pooledBuffer(2, outRows * n);
        for (auto _ : state) {
          run(in, out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "scalar"});
}

#endif
