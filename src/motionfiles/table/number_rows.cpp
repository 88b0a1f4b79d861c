// The numbers of a text table (number_rows.h).
#include "motionfiles/table/number_rows.h"

#include "motionfiles/decimal.h"
#include "motionfiles/file_error.h"
#include "motionfiles/plain_decimal.h"
#include "motionfiles/text_lines.h"
#include "parallel/worker_pool.h"

#include <cstring>
#include <string>
#include <mutex>
#include <limits>

namespace table {

namespace {

// Rows per thread below which a second thread does not pay.
constexpr std::uint32_t kRowsPerThread = 256;

inline bool isSpace(char c) { return c == ' ' || c == '\f' || c == '\v'; }

// The end of the line that starts at p: its first CR or LF, or `end`.
inline const char* lineEnd(const char* p, const char* end) {
  while (p != end && *p != '\n' && *p != '\r') ++p;
  return p;
}

// Field f of a row into its column: NaN when empty; false with the fault
// set when it is not a number.
inline bool storeField(const char* begin, const char* end, std::size_t f, std::size_t row, const std::vector<Column>& columns,
                       RowFault& fault) {
  double value = std::numeric_limits<double>::quiet_NaN();
  if (begin != end) {
    const Number read = readTableNumber(begin, end, value);
    if (read != Number::number) {
      fault.kind = read == Number::overflow ? RowFault::overflow : RowFault::notNumber;
      fault.field = f + 1;
      fault.begin = begin;
      fault.end = end;
      return false;
    }
  }
  columns[f].base[columns[f].stride * row] = value;
  return true;
}

// One row: its fields into the columns. Returns a fault of this row.
RowFault parseRow(const char* p, const char* end, std::size_t row, const std::vector<Column>& columns, Fields fields) {
  const std::size_t C = columns.size();
  RowFault fault;
  fault.row = row;
  std::size_t field = 0;
  if (fields == Fields::tabs) {
    for (;;) {
      const char* wordBegin = p;
      while (p != end && *p != '\t' && *p != '\n' && *p != '\r') ++p;
      const char* wordEnd = p;
      while (wordBegin != wordEnd && isSpace(*wordBegin)) ++wordBegin;
      while (wordEnd != wordBegin && isSpace(wordEnd[-1])) --wordEnd;
      if (field < C) {
        if (!storeField(wordBegin, wordEnd, field, row, columns, fault)) return fault;
      } else if (wordBegin != wordEnd) {
        fault.kind = RowFault::tooMany;
        fault.field = field + 1;
        return fault;
      }
      ++field;
      if (p == end || *p != '\t') break;
      ++p;
    }
  } else {
    for (;;) {
      while (p != end && (*p == ' ' || *p == '\t' || *p == '\f' || *p == '\v')) ++p;
      if (p == end || *p == '\n' || *p == '\r') break;
      const char* wordBegin = p;
      while (p != end && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r' && *p != '\f' && *p != '\v') ++p;
      if (field < C && !storeField(wordBegin, p, field, row, columns, fault)) return fault;
      ++field;
    }
    if (field > C || (field < C && fields == Fields::blanks)) {
      fault.kind = field > C ? RowFault::tooMany : RowFault::tooFew;
      fault.fields = field;
      return fault;
    }
  }
  // A row that ends early misses its last values.
  for (std::size_t f = field; f < C; ++f) columns[f].base[columns[f].stride * row] = std::numeric_limits<double>::quiet_NaN();
  return fault;
}

} // namespace

Number readTableNumber(const char* begin, const char* end, double& value) {
  if (motionfiles::readPlainDecimal(begin, end, value)) return Number::number;
  double parsed = 0;
  switch (motionfiles::readDecimal(begin, end, parsed)) {
    case motionfiles::Decimal::number:
      value = parsed;
      return Number::number;
    case motionfiles::Decimal::overflow:
      return Number::overflow;
    case motionfiles::Decimal::notNumber:
      break;
  }
  const bool negative = begin != end && *begin == '-';
  const char* p = begin != end && (*begin == '-' || *begin == '+') ? begin + 1 : begin;
  if (motionfiles::sameWordAnyCase(p, end, "nan")) {
    value = std::numeric_limits<double>::quiet_NaN();
    return Number::number;
  }
  if (motionfiles::sameWordAnyCase(p, end, "inf") || motionfiles::sameWordAnyCase(p, end, "infinity")) {
    value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return Number::number;
  }
  return Number::notNumber;
}

std::vector<const char*> findRows(const char* p, const char* end) {
  std::vector<const char*> rows;
  while (p != end) {
    const char* start = p;
    // LF ends most lines: memchr finds it fast; a CR before it ends the
    // line there (CR LF, or a CR alone).
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* stop = lf != nullptr ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(stop - p));
    if (cr != nullptr) stop = static_cast<const char*>(cr);
    const char* q = start;
    while (q != stop && motionfiles::isBlank(*q)) ++q;
    if (q != stop) rows.push_back(start);
    p = stop;
    if (p != end) p += (*p == '\r' && p + 1 != end && p[1] == '\n') ? 2 : 1;
  }
  return rows;
}

RowFault parseRows(const std::vector<const char*>& rows, const char* end, const std::vector<Column>& columns, Fields fields) {
  // Each share of rows stops at its first fault; the earliest of those is
  // the table's first.
  RowFault first;
  std::mutex guard;
  parallel::forColumns(static_cast<std::uint32_t>(rows.size()), kRowsPerThread, [&](std::uint32_t begin, std::uint32_t stop) {
    for (std::size_t r = begin; r < stop; ++r) {
      const RowFault fault = parseRow(rows[r], lineEnd(rows[r], end), r, columns, fields);
      if (fault.kind != RowFault::none) {
        std::lock_guard<std::mutex> lock(guard);
        if (first.kind == RowFault::none || fault.row < first.row) first = fault;
        return;
      }
    }
  });
  return first;
}

void failAtRow(const RowFault& fault, const char* text, const std::vector<const char*>& rows, const char* countReason,
               std::size_t expected) {
  const std::size_t line = motionfiles::lineOf(text, rows[fault.row]);
  switch (fault.kind) {
    case RowFault::tooMany:
      if (fault.fields == 0) {
        motionfiles::failAt(line, countReason, "a value in field %zu, beyond the %zu the header calls for.", fault.field,
                            expected);
      }
      [[fallthrough]];
    case RowFault::tooFew:
      motionfiles::failAt(line, countReason, "%zu values; the header calls for %zu.", fault.fields, expected);
    case RowFault::overflow:
      motionfiles::failAt(line, "number", "value %zu is beyond the largest double.", fault.field);
    default: {
      std::string word(fault.begin, fault.end);
      if (word.size() > 60) word = word.substr(0, 57) + "...";
      motionfiles::failAt(line, "number", "value %zu, \"%s\", is not a number.", fault.field, word.c_str());
    }
  }
}

} // namespace table
