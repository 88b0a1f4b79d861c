// Inputs a motion-file writer cannot take (a shape, a value), as opposed
// to faults of files (file_error.h): thrown by writers and gateways, raised
// by the gateway's CallReport (file_call.h). Part of the motion-file layer
// (file_io.h).
#ifndef ROTKIT_MOTIONFILES_INPUT_ERROR_H
#define ROTKIT_MOTIONFILES_INPUT_ERROR_H

#include "motionfiles/file_error.h"

#include <cstdarg>
#include <cstdio>
#include <exception>
#include <string>

namespace motionfiles {

// An input a function cannot take, not a fault of a file: `reason` is the
// last word of the identifier (a string literal).
struct InputError : std::exception {
  const char* reason = "";
  std::string message;
  const char* what() const noexcept override { return message.c_str(); }
};

[[noreturn]] inline void refuseInput(const char* reason, const char* format, ...) ROTKIT_PRINTF_LIKE(2, 3);

[[noreturn]] inline void refuseInput(const char* reason, const char* format, ...) {
  InputError error;
  error.reason = reason;
  char text[1024];
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  error.message = text;
  throw error;
}

} // namespace motionfiles

#endif
