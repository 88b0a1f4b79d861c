// bvhwrite's writer: a skeleton and its motion, as bvhread lays them out,
// to a BVH file. Not a kernel: it allocates (through RAII only), throws
// WriteError for an input it cannot write and motionfiles::FileError when
// the file cannot be written. Quaternions scalar first, Hamilton product.
#ifndef ROTKIT_MOTIONFILES_BVH_WRITER_H
#define ROTKIT_MOTIONFILES_BVH_WRITER_H

#include "motionfiles/bvh/bvh_skeleton.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace bvh {

// What the host's inputs hold, checked for class and shape by the gateway.
// Pointers are the host's column-major doubles.
struct WriteInput {
  std::size_t joints = 0;
  std::size_t frames = 0;
  std::vector<std::uint32_t> parents;  // 0 for the root, else 1-based and below the joint's own number
  const double* offsets = nullptr;     // 3 x J; a column with a NaN: see frameOffsets
  std::vector<std::string> names;
  bool hasChannels = false;            // skel.channels given
  std::vector<std::vector<std::uint8_t>> channels;
  bool hasEndSites = false;            // skel.endSites given
  std::vector<bool> endSites;
  const double* rootPositions = nullptr;   // 3 x N, finite
  const double* localRotations = nullptr;  // 4J x N
  double frameTime = 0;                    // positive, finite
  const double* leafRotations = nullptr;   // motion.leafRotations, or null
  std::size_t leafRows = 0, leafCols = 0;
  const double* frameOffsets = nullptr;    // motion.offsets, 3J x N and finite, or null
  int digits = 0;                          // significant digits, 0 for the shortest that read back
};

// An input that cannot be written: the last word of the identifier
// (rotkit:bvhwrite:<reason>) and the message.
struct WriteError : std::exception {
  const char* reason = "";
  std::string message;
  const char* what() const noexcept override { return message.c_str(); }
};

// Throws a WriteError; `format` as printf's.
[[noreturn]]
#if defined(__GNUC__) || defined(__clang__)
__attribute__((format(printf, 2, 3)))
#endif
void refuseInput(const char* reason, const char* format, ...);

// Writes `input` into the file `path` through a temporary file beside it
// (motionfiles::AtomicFile): on any error the file is as it was.
void writeBvh(const WriteInput& input, const std::string& path);

} // namespace bvh

#endif
