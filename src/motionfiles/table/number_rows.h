// The numbers of a text table (the rows of TRC marker files and of MOT and
// STO tables): the rows found first, so that every output can be sized
// before it is filled, then parsed on the worker threads straight into
// the caller's columns. Numbers are read correctly rounded
// (motionfiles/decimal.h); NaN and Inf are read in any case. Not a kernel:
// it allocates (the row index), and makes no host call.
#ifndef ROTKIT_MOTIONFILES_TABLE_NUMBER_ROWS_H
#define ROTKIT_MOTIONFILES_TABLE_NUMBER_ROWS_H

#include <cstddef>
#include <vector>

namespace table {

// Where the fields of a row are parted.
enum class Fields {
  tabs,    // at each tab: an empty field, or a row that ends early, is a missing value (NaN)
  blanks,  // at each run of blanks (spaces and tabs): every row holds every value
  blanksShortRows,  // as blanks, but a row that ends early misses its last values (NaN)
};

// Where the value of field f of row r goes: base[stride * r].
struct Column {
  double* base = nullptr;
  std::size_t stride = 0;
};

// The rows of [begin, end): the start of every line that is not blank (a
// line ends at LF, CR LF or CR).
std::vector<const char*> findRows(const char* begin, const char* end);

// A row that could not be read.
struct RowFault {
  enum Kind { none, tooMany, tooFew, notNumber, overflow } kind = none;
  std::size_t row = 0;    // from 0
  std::size_t field = 0;  // from 1
  std::size_t fields = 0; // tooMany, tooFew: the fields the row holds
  const char* begin = nullptr;  // notNumber: the text
  const char* end = nullptr;
};

// Parses every row into `columns` (field f to columns[f]); a field beyond
// them must be empty (tabs) or is a fault (blanks, and tabs when not
// empty). Returns the fault of the first row that has one, or kind none.
RowFault parseRows(const std::vector<const char*>& rows, const char* end, const std::vector<Column>& columns, Fields fields);

// Throws the motionfiles::FileError of a fault of parseRows, naming the
// line of the text that starts at `text`: reason `countReason` for a row
// with too many or too few values (`expected` of them), "number" for a
// value that is not a number or is out of range.
[[noreturn]] void failAtRow(const RowFault& fault, const char* text, const std::vector<const char*>& rows,
                            const char* countReason, std::size_t expected);

// Reads [begin, end) as one number of a table: a decimal, or NaN, Inf,
// Infinity in any case with an optional sign. Blanks around it are not
// part of it.
enum class Number { number, notNumber, overflow };
Number readTableNumber(const char* begin, const char* end, double& value);

} // namespace table

#endif
