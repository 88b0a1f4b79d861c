// What the fuzz targets of the motion-file readers share: the fuzzer's
// bytes written as a file, the reader called on it through the embedded
// host as MATLAB would call it, and the oracle every reader answers to:
// either an error whose identifier is the reader's own (rotkit:<name>:...)
// and that names the file, with nothing created, or a 1 x 1 struct (and
// only the reader's own warnings). Each target adds the checks of its
// format's result. A failed check prints the file and aborts, which
// libFuzzer reports as a finding with the input kept.
#ifndef ROTKIT_FUZZ_MOTIONFILES_FILE_FUZZ_H
#define ROTKIT_FUZZ_MOTIONFILES_FILE_FUZZ_H

#include "embedded_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace filefuzz {

[[noreturn]] inline void finding(const std::string& what) {
  std::fprintf(stderr, "rotkit fuzz finding: %s\n", what.c_str());
  std::abort();
}

inline void check(bool ok, const std::string& what) {
  if (!ok) finding(what);
}

// A file of this process holding `size` bytes; its name.
inline std::string writeFile(const char* tag, const std::uint8_t* data, std::size_t size) {
  const std::string name = "/tmp/rotkit-fuzz-" + std::to_string(getpid()) + "-" + tag;
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (f == nullptr) finding("cannot write " + name);
  if (size > 0 && std::fwrite(data, 1, size, f) != size) finding("cannot write " + name);
  std::fclose(f);
  return name;
}

// Calls `entry` with the files' names; checks the oracle above; returns
// the call (its output is a 1 x 1 struct when it did not raise).
inline embedded::CallResult callReader(embedded::MexEntry entry, const char* name, int nlhs,
                                       const std::vector<std::string>& files, const char* warningReason) {
  std::vector<embedded::Array> inputs;
  std::vector<const mxArray*> handles;
  for (const std::string& f : files) {
    inputs.push_back(embedded::makeChar(f));
    handles.push_back(inputs.back().get());
  }
  embedded::CallResult result = embedded::call(entry, nlhs, handles);
  const std::string own = std::string("rotkit:") + name + ":";
  if (result.raised) {
    check(result.identifier.compare(0, own.size(), own) == 0, "an error of another function: " + result.identifier);
    check(result.created == 0, "an error after creating arrays: " + result.message);
    bool named = false;
    for (const std::string& f : files) named = named || result.message.find(f) != std::string::npos;
    check(named, "an error that names no file: " + result.message);
    check(result.identifier != own + "outOfMemory", "out of memory for a file of a few bytes: " + result.message);
    return result;
  }
  check(result.output && mxIsStruct(result.output.get()) && mxGetNumberOfElements(result.output.get()) == 1,
        "the result is not a 1 x 1 struct");
  for (const embedded::Warning& w : result.warnings) {
    check(w.identifier == own + warningReason, "a warning of another kind: " + w.identifier);
  }
  return result;
}

// A field of the result: there, a double matrix, of the given rows (and
// columns, unless npos).
inline const mxArray* matrixField(const mxArray* s, const char* field, std::size_t rows, std::size_t cols = std::string::npos) {
  const mxArray* a = mxGetField(s, 0, field);
  check(a != nullptr && mxIsDouble(a), std::string("no double field ") + field);
  check(mxGetM(a) == rows, std::string(field) + " has " + std::to_string(mxGetM(a)) + " rows, not " + std::to_string(rows));
  if (cols != std::string::npos) {
    check(mxGetN(a) == cols, std::string(field) + " has " + std::to_string(mxGetN(a)) + " columns, not " + std::to_string(cols));
  }
  return a;
}

inline std::size_t cellCount(const mxArray* s, const char* field) {
  const mxArray* a = mxGetField(s, 0, field);
  check(a != nullptr && mxIsCell(a), std::string("no cell field ") + field);
  return mxGetNumberOfElements(a);
}

} // namespace filefuzz

#endif
