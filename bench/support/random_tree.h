// The skeleton of the skeleton kernels' benchmarks (posechain, poselocal):
// a random tree of 31 joints from a fixed seed, the same in every run.
#ifndef ROTKIT_BENCH_RANDOM_TREE_H
#define ROTKIT_BENCH_RANDOM_TREE_H

#include <cstdint>
#include <random>
#include <vector>

constexpr std::uint32_t kJoints = 31;

// Parent numbers, 1-based: joint j (0-based, j >= 1) hangs below one of
// the joints before it; the root's entry is 0.
inline const std::vector<double>& randomTree() {
  static const std::vector<double> parents = [] {
    std::mt19937_64 random(31);
    std::vector<double> p{0};
    for (std::uint32_t j = 1; j < kJoints; ++j) p.push_back(std::uniform_int_distribution<std::uint32_t>(1, j)(random));
    return p;
  }();
  return parents;
}

#endif
