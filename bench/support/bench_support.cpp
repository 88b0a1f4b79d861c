// Case registry, warm buffer pool and the ratio table of the kernel benchmarks.
#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

namespace {

struct Case {
  std::string group;
  std::string variant;
  std::uint64_t elements;
  double bytes;
};

struct PoolSlot {
  std::vector<double> data;
  double low = 0;
  double high = 0;
};

std::vector<Case>& cases() {
  static std::vector<Case> all;
  return all;
}

std::map<std::string, std::vector<std::string>>& baselines() {
  static std::map<std::string, std::vector<std::string>> all;
  return all;
}

std::vector<std::string>& notes() {
  static std::vector<std::string> all;
  return all;
}

std::string caseName(const Case& c) { return c.group + "/" + c.variant + "/" + sizeName(c.elements); }

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The console output of Google Benchmark (only the aggregates when cases
// are repeated), and the per-iteration CPU time of every repetition of every
// case, from which the table takes medians.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        const double ns = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        times_[run.run_name.function_name].push_back(ns);
      }
      if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1) shown.push_back(run);
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }

  void printTable(const std::string& title) const {
    std::printf("\n## %s\n\n", title.c_str());
    std::printf("Median CPU time of each case over its repetitions; ratios divide by the baselines\n"
                "measured in this same run. Buffers are warm (filled before timing and reused):\n"
                "a first touch of fresh memory costs about 10 us per 4 KiB page on these machines.\n");
    std::vector<std::string> groups;
    for (const Case& c : cases()) {
      if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) groups.push_back(c.group);
    }
    for (const std::string& group : groups) printGroup(group);
    if (!notes().empty()) std::printf("\n");
    for (const std::string& note : notes()) std::printf("- %s\n", note.c_str());
    std::fflush(stdout);
  }

 private:
  bool timeOf(const std::string& name, double& ns) const {
    const auto found = times_.find(name);
    if (found == times_.end() || found->second.empty()) return false;
    ns = median(found->second);
    return true;
  }

  void printGroup(const std::string& group) const {
    bool measured = false;
    for (const Case& c : cases()) {
      double ns;
      measured = measured || (c.group == group && timeOf(caseName(c), ns));
    }
    if (!measured) return;  // filtered out on the command line
    const std::vector<std::string>& against = baselines()[group];
    std::printf("\n### %s\n\n| variant | N | ns/element | GB/s |", group.c_str());
    for (const std::string& b : against) std::printf(" x %s |", b.c_str());
    std::printf("\n|---|---:|---:|---:|");
    for (std::size_t i = 0; i < against.size(); ++i) std::printf("---:|");
    std::printf("\n");
    std::vector<std::uint64_t> sizes;
    for (const Case& c : cases()) {
      if (c.group == group && std::find(sizes.begin(), sizes.end(), c.elements) == sizes.end()) {
        sizes.push_back(c.elements);
      }
    }
    for (std::uint64_t n : sizes) {
      for (const Case& c : cases()) {
        double ns;
        if (c.group != group || c.elements != n || !timeOf(caseName(c), ns)) continue;
        std::printf("| %s | %s | %.3f | %.2f |", c.variant.c_str(), sizeName(n).c_str(),
                    ns / static_cast<double>(n), c.bytes / ns);
        for (const std::string& b : against) {
          double baseNs;
          if (timeOf(group + "/" + b + "/" + sizeName(n), baseNs)) {
            std::printf(" %.2f |", ns / baseNs);
          } else {
            std::printf(" - |");
          }
        }
        std::printf("\n");
      }
    }
  }

  std::map<std::string, std::vector<double>> times_;
};

} // namespace

const std::vector<std::uint64_t>& kernelSizes() {
  static const std::vector<std::uint64_t> sizes = {1000, 10000, 100000, 1000000, 10000000};
  return sizes;
}

std::string sizeName(std::uint64_t n) {
  int exponent = 0;
  std::uint64_t m = n;
  while (m >= 10 && m % 10 == 0) {
    m /= 10;
    ++exponent;
  }
  return exponent > 0 ? std::to_string(m) + "e" + std::to_string(exponent) : std::to_string(n);
}

double* pooledBuffer(int slot, std::size_t count, double low, double high) {
  static std::map<int, PoolSlot> pool;
  PoolSlot& s = pool[slot];
  if (s.data.size() < count || s.low != low || s.high != high) {
    s.data.assign(std::max(count, s.data.size()), 0.0);
    std::mt19937_64 random(static_cast<std::uint64_t>(slot) + 1);
    std::uniform_real_distribution<double> value(low, high);
    for (double& v : s.data) v = value(random);
    s.low = low;
    s.high = high;
  }
  return s.data.data();
}

void addCase(const std::string& group, const std::string& variant, std::uint64_t elements, double bytes,
             std::function<void(benchmark::State&)> body) {
  const Case c{group, variant, elements, bytes};
  cases().push_back(c);
  benchmark::RegisterBenchmark(caseName(c).c_str(), [body, bytes](benchmark::State& state) {
    body(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * static_cast<double>(state.iterations())));
  })->Unit(benchmark::kMicrosecond);
}

void setBaselines(const std::string& group, const std::vector<std::string>& variants) {
  baselines()[group] = variants;
}

void addNote(const std::string& note) { notes().push_back(note); }

int runKernelBenchmarks(int argc, char** argv, const std::string& title) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printTable(title);
  benchmark::Shutdown();
  return 0;
}
