// One call of a motion-file reader or writer (c3dread, trcwrite, ...): its
// error or warning, kept as text while the call's C++ objects live and
// raised only once they are gone (a host error may leave by a jump that
// runs no destructor). Gateway code; part of the motion-file layer
// (file_io.h).
#ifndef ROTKIT_MOTIONFILES_FILE_CALL_H
#define ROTKIT_MOTIONFILES_FILE_CALL_H

#include "host/host.h"
#include "motionfiles/file_error.h"
#include "motionfiles/host_arrays.h"
#include "motionfiles/input_error.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace motionfiles {

// The texts one call leaves to raise. Plain arrays: nothing to free when
// the host's error leaves the gateway by a jump.
class CallReport {
 public:
  explicit CallReport(const char* function) { std::snprintf(function_, sizeof function_, "%s", function); }

  // Runs body(file), where body sets `file` to the file's name as soon as
  // it knows it; an InputError, a FileError (named with the file, and the
  // line of a text file) or a lack of memory becomes the call's error.
  template <class Body>
  void run(Body&& body) {
    std::string file;
    try {
      body(file);
    } catch (const InputError& error) {
      setError(error.reason, error.message.c_str());
    } catch (const FileError& error) {
      char message[kSize];
      const bool aboutAccess = std::strcmp(error.reason, "cannotOpen") == 0 || std::strcmp(error.reason, "cannotWrite") == 0;
      if (error.line > 0 || aboutAccess) {
        describe(error, file.c_str(), message, sizeof message);
      } else {
        // A fault of a binary file's content: no line to name.
        std::snprintf(message, sizeof message, "%s: %s", file.c_str(), error.message.c_str());
      }
      setError(error.reason, message);
    } catch (const std::bad_alloc&) {
      char message[kSize];
      std::snprintf(message, sizeof message, "not enough memory for \"%s\".", file.c_str());
      setError("outOfMemory", message);
    }
  }

  // A warning to issue once the call is done (the last one counts).
  void warn(const char* reason, const char* format, ...) ROTKIT_PRINTF_LIKE(3, 4) {
    std::snprintf(warningId_, sizeof warningId_, "rotkit:%s:%s", function_, reason);
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(warning_, sizeof warning_, format, args);
    va_end(args);
  }

  bool failed() const { return errorId_[0] != '\0'; }

  // Raises the error, or issues the warning; call it last, with nothing
  // of the gateway's own left to free.
  void finish() const {
    if (failed()) raiseError(errorId_, error_);
    if (warningId_[0] != '\0') raiseWarning(warningId_, warning_);
  }

 private:
  static constexpr std::size_t kSize = 2048;

  void setError(const char* reason, const char* message) {
    std::snprintf(errorId_, sizeof errorId_, "rotkit:%s:%s", function_, reason);
    std::snprintf(error_, sizeof error_, "%s", message);
  }

  char function_[32] = "";
  char errorId_[96] = "";
  char error_[kSize] = "";
  char warningId_[96] = "";
  char warning_[kSize] = "";
};

// The whole gateway of a reader of one file, d = function(FILE): the
// counts, FILE, then read(file, report), which returns the result (a bare
// call returns it into ans) and may leave a warning in the report.
template <class Read>
void readOneFile(const Signature& f, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[], Read&& read) {
  requireArgumentCounts(f, nrhs, 1, 1, nlhs, 1);
  CallReport report(f.name);
  report.run([&](std::string& file) {
    if (!readCharRow(prhs[0], file)) refuseInput("fileName", "FILE must be a file name (a character row).");
    joinWorkersAtExit();  // the readers split their work over worker threads
    plhs[0] = read(file, report);
  });
  report.finish();
}

// The whole gateway of a writer, function(FILE, DATA) or F = function(...):
// the counts, FILE, then write(file, prhs[1]), which checks DATA and
// writes the file.
template <class Write>
void writeOneFile(const Signature& f, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[], Write&& write) {
  requireArgumentCounts(f, nrhs, 2, 2, nlhs, 1);
  CallReport report(f.name);
  report.run([&](std::string& file) {
    if (!readCharRow(prhs[0], file)) refuseInput("fileName", "FILE must be a file name (a character row).");
    joinWorkersAtExit();  // the writers format and convert on worker threads
    write(file, prhs[1]);
    if (nlhs == 1) plhs[0] = mxCreateString(file.c_str());
  });
  report.finish();
}

} // namespace motionfiles

#endif
