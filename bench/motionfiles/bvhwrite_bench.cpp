// bvhwrite's number formatting: ns per double of the shortest-digit
// formatter (shortest_double.h) against std::to_chars, which writes the
// same characters, in the same run, on the values a BVH file holds.
#include "motionfiles/shortest_double.h"
#include "support/bench_support.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr std::uint64_t kCount = 10000;

// Every formatter writes into one line buffer and is timed over the whole
// input; the buffer's last byte keeps the work observable.
template <class Format>
void formatAll(benchmark::State& state, const std::vector<double>& values, Format format) {
  std::vector<char> text(values.size() * 32);
  for (auto _ : state) {
    char* p = text.data();
    for (double v : values) {
      p = format(v, p);
      *p++ = ' ';
    }
    benchmark::DoNotOptimize(p);
    benchmark::ClobberMemory();
  }
}

void addGroup(const std::string& group, const std::vector<double>& values) {
  addCase(group, "std::to_chars", values.size(), 8.0 * static_cast<double>(values.size()),
          [&values](benchmark::State& state) {
            formatAll(state, values, [](double v, char* p) { return std::to_chars(p, p + 32, v).ptr; });
          });
  addCase(group, "shortest_double", values.size(), 8.0 * static_cast<double>(values.size()),
          [&values](benchmark::State& state) { formatAll(state, values, motionfiles::writeShortestDouble); });
  setBaselines(group, {"std::to_chars"});
}

} // namespace

int main(int argc, char** argv) {
  std::mt19937_64 random(7);
  static std::vector<double> angles(kCount), positions(kCount), patterns(kCount);
  std::uniform_real_distribution<double> angle(-180.0, 180.0);
  std::uniform_real_distribution<double> position(-200.0, 200.0);
  for (std::uint64_t i = 0; i < kCount; ++i) {
    angles[i] = angle(random);                                   // 16 or 17 digits
    positions[i] = std::round(position(random) * 1e4) / 1e4;     // 4 decimals
    std::uint64_t bits = random();
    if (((bits >> 52) & 0x7ff) == 0x7ff) bits ^= std::uint64_t{1} << 62;  // finite
    std::memcpy(&patterns[i], &bits, sizeof bits);
  }
  addGroup("angles in degrees, 16-17 digits", angles);
  addGroup("positions with 4 decimals", positions);
  addGroup("random finite bit patterns", patterns);
  addNote("ns/element: per double, " + sizeName(kCount) + " doubles a call, warm buffers.");
  return runKernelBenchmarks(argc, argv, "bvhwrite number formatting");
}
