// The motion-file layer's errors: what went wrong, in which line of which
// file. Parsers throw FileError; the gateway catches it, lets every C++
// object with resources go, and only then raises the host's error with
// the text of describe() (a host error may unwind past C++ frames without
// running their destructors).
#ifndef ROTKIT_MOTIONFILES_FILE_ERROR_H
#define ROTKIT_MOTIONFILES_FILE_ERROR_H

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <string>

namespace motionfiles {

// A fault of a file or of its reading. `reason` is the last word of the
// error's identifier (rotkit:<function>:<reason>), a string literal; `line`
// counts from 1, 0 when the fault has no line (the file cannot be opened).
struct FileError : std::exception {
  const char* reason = "";
  std::size_t line = 0;
  std::string message;
  const char* what() const noexcept override { return message.c_str(); }
};

// printf's formatting into a message (cut at 511 bytes).
inline std::string formatted(const char* format, std::va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  return text;
}

// Throws a FileError; `format` as printf's.
[[noreturn]]
#if defined(__GNUC__) || defined(__clang__)
__attribute__((format(printf, 3, 4)))
#endif
inline void failAt(std::size_t line, const char* reason, const char* format, ...) {
  FileError error;
  error.reason = reason;
  error.line = line;
  std::va_list args;
  va_start(args, format);
  error.message = formatted(format, args);
  va_end(args);
  throw error;
}

// "<file>, line <n>: <message>"; without a line, the message is what was
// done to the file ("cannot open") and the text '<message> "<file>".'. Cut
// to fit `size` bytes with its terminating zero.
inline void describe(const FileError& error, const char* file, char* out, std::size_t size) {
  if (error.line > 0) {
    std::snprintf(out, size, "%s, line %zu: %s", file, error.line, error.message.c_str());
  } else {
    std::snprintf(out, size, "%s \"%s\".", error.message.c_str(), file);
  }
}

} // namespace motionfiles

#endif
