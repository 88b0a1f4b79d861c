// Benchmark cases shared by the conversions' kernel benchmarks: a column
// kernel from `inRows` to `outRows` doubles per column, its streaming
// baseline, and a plain <cmath> loop of the same conversion.
#ifndef ROTKIT_BENCH_CONVERSION_CASES_H
#define ROTKIT_BENCH_CONVERSION_CASES_H

#include "support/bench_support.h"
#include "support/streaming.h"

#include <cstdint>
#include <functional>
#include <string>

using ColumnRun = std::function<void(const double* in, double* out, std::uint32_t count)>;

// `low` and `high` bound the inputs (uniform, from a fixed seed).
inline void addConversionCases(const std::string& group, std::size_t inRows, std::size_t outRows, double low,
                               double high, const ColumnRun& withCmath,
                               const std::vector<std::pair<std::string, ColumnRun>>& paths) {
  const auto bytes = [inRows, outRows](std::uint64_t n) {
    return 8.0 * static_cast<double>(inRows + outRows) * static_cast<double>(n);
  };
  for (std::uint64_t n : kernelSizes()) {
    addCase(group, "stream", n, bytes(n), [=](benchmark::State& state) {
      const double* in = pooledBuffer(0, inRows * n, low, high);
      double* out = pooledBuffer(2, outRows * n);
      for (auto _ : state) {
        streamNegatedColumns(in, inRows, out, outRows, n);
        benchmark::ClobberMemory();
      }
    });
    const std::vector<std::pair<std::string, ColumnRun>> all = [&] {
      std::vector<std::pair<std::string, ColumnRun>> list{{"cmath", withCmath}};
      list.insert(list.end(), paths.begin(), paths.end());
      return list;
    }();
    for (const auto& [name, run] : all) {
      addCase(group, name, n, bytes(n), [=, run = run](benchmark::State& state) {
        const double* in = pooledBuffer(0, inRows * n, low, high);
        double* out = pooledBuffer(2, outRows * n);
        for (auto _ : state) {
          run(in, out, static_cast<std::uint32_t>(n));
          benchmark::ClobberMemory();
        }
      });
    }
  }
  setBaselines(group, {"stream", "cmath", "scalar"});
}

#endif
