// The rows of a text table (TRC, MOT, STO) as text: fields parted by tabs,
// each number in the shortest form that reads back as the same double
// (motionfiles/decimal.h), formatted on the worker threads in rounds of
// about 1 MiB and written through the caller's AtomicFile.
#ifndef ROTKIT_MOTIONFILES_TABLE_ROW_WRITER_H
#define ROTKIT_MOTIONFILES_TABLE_ROW_WRITER_H

#include "motionfiles/decimal.h"
#include "motionfiles/file_io.h"
#include "parallel/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace table {

// How a value that is not finite is written.
enum class NotFinite {
  empty,  // NaN as an empty field (TRC's missing marker); the caller refuses infinities
  words,  // NaN, Inf, -Inf
};

// One number at `out`; returns the end.
inline char* writeNumber(double v, NotFinite notFinite, char* out) {
  if (std::isfinite(v)) return motionfiles::writeDecimal(v, 0, out);
  if (notFinite == NotFinite::empty) return out;
  const char* word = std::isnan(v) ? "NaN" : (v > 0 ? "Inf" : "-Inf");
  const std::size_t n = std::strlen(word);
  std::memcpy(out, word, n);
  return out + n;
}

// Writes rows [0, rows) of `fields` values each, value(r, f) giving field f
// of row r.
template <class Value>
void writeRows(motionfiles::AtomicFile& file, std::size_t rows, std::size_t fields, NotFinite notFinite, const Value& value) {
  if (rows == 0) return;
  const std::size_t perRow = fields * (motionfiles::kDecimalChars + 1) + 1;
  constexpr std::size_t kRowsPerBlock = 16;
  const std::size_t blocksPerRound = std::max<std::size_t>(1, (std::size_t{1} << 20) / (perRow * kRowsPerBlock));
  const std::size_t round = std::min(rows, blocksPerRound * kRowsPerBlock);
  std::unique_ptr<char[]> text(new char[round * perRow]);
  std::vector<std::size_t> lengths(blocksPerRound);
  for (std::size_t first = 0; first < rows; first += round) {
    const std::size_t n = std::min(round, rows - first);
    const std::size_t blocks = (n + kRowsPerBlock - 1) / kRowsPerBlock;
    parallel::forColumns(static_cast<std::uint32_t>(blocks), 2, [&](std::uint32_t begin, std::uint32_t end) {
      for (std::size_t b = begin; b < end; ++b) {
        char* const start = text.get() + b * kRowsPerBlock * perRow;
        char* out = start;
        for (std::size_t r = first + b * kRowsPerBlock; r < first + std::min(n, (b + 1) * kRowsPerBlock); ++r) {
          for (std::size_t f = 0; f < fields; ++f) {
            if (f > 0) *out++ = '\t';
            out = writeNumber(value(r, f), notFinite, out);
          }
          *out++ = '\n';
        }
        lengths[b] = static_cast<std::size_t>(out - start);
      }
    });
    for (std::size_t b = 0; b < blocks; ++b) file.write(text.get() + b * kRowsPerBlock * perRow, lengths[b]);
  }
}

} // namespace table

#endif
