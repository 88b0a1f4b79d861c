// The raw files the accuracy programs and their scipy scripts exchange:
// float64 values, one array after the other, in rotkit's layout. A file
// that cannot be written or read ends the program with a message. Also the
// programs' command line: `inputs DIR` writes the files, `report DIR`
// reads scipy's and prints the tables.
#ifndef ROTKIT_TOOLS_ACCURACY_RAW_FILES_H
#define ROTKIT_TOOLS_ACCURACY_RAW_FILES_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

inline std::string path(const std::string& dir, const std::string& file) { return dir + "/" + file; }

inline void writeDoubles(const std::string& file, const std::vector<double>& values) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(values.size() * sizeof(double)));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    std::exit(1);
  }
}

// `count` doubles from `file`; `script` names what should have written it.
inline std::vector<double> readDoubles(const std::string& file, std::size_t count, const char* script) {
  std::ifstream in(file, std::ios::binary);
  std::vector<double> values(count);
  in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(count * sizeof(double)));
  if (!in) {
    std::fprintf(stderr, "cannot read %zu doubles from %s (has %s run?)\n", count, file.c_str(), script);
    std::exit(1);
  }
  return values;
}

// main() of an accuracy program with these two steps.
inline int runAccuracySteps(int argc, char** argv, int (*inputs)(const std::string&),
                            int (*report)(const std::string&)) {
  if (argc != 3 || (std::string(argv[1]) != "inputs" && std::string(argv[1]) != "report")) {
    std::fprintf(stderr, "usage: %s inputs|report DIR\n", argv[0]);
    return 2;
  }
  return std::string(argv[1]) == "inputs" ? inputs(argv[2]) : report(argv[2]);
}

#endif
