// The paths of a kernel that this processor runs, for tests that compare
// every path with the scalar one bit for bit.
#ifndef ROTKIT_TESTS_PATHS_H
#define ROTKIT_TESTS_PATHS_H

#include "simd/kernel_paths.h"

#include <string>
#include <vector>

template <class Function>
struct NamedPath {
  std::string name;
  Function function;
};

// The dispatching entry first, then every path of `table` that runs here
// but the scalar one (paths a processor lacks are skipped: on x86-64
// without AVX-512 its path runs only in the emulated build of the tests).
template <class Function>
std::vector<NamedPath<Function>> runnablePaths(const KernelPaths<Function>& table, Function dispatch) {
  std::vector<NamedPath<Function>> paths{{"dispatch", dispatch}};
  for (std::size_t i = 1; i < table.count; ++i) {
    if (pathRuns(table.paths[i].path)) paths.push_back({vectorPathName(table.paths[i].path), table.paths[i].function});
  }
  return paths;
}

// The scalar path, which defines every result.
template <class Function>
Function scalarPath(const KernelPaths<Function>& table) {
  return table.paths[0].function;
}

#endif
