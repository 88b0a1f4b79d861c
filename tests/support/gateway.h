// Calling a deliverable built on the embedded host, as MATLAB would.
#ifndef ROTKIT_TESTS_GATEWAY_H
#define ROTKIT_TESTS_GATEWAY_H

#include "embedded_host.h"
#include "host/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The mexFunction of build/embedded/<name>.so, loaded once per name.
inline embedded::MexEntry deliverable(const std::string& name) {
  return embedded::loadEntry(std::string(ROTKIT_EMBEDDED_DIR) + "/" + name + ".so");
}

// Passes when the call raised exactly `message` and created nothing.
inline ::testing::AssertionResult RaisedCleanly(const embedded::CallResult& result, const std::string& message) {
  if (!result.raised) return ::testing::AssertionFailure() << "no error raised, expected \"" << message << "\"";
  if (result.message != message) {
    return ::testing::AssertionFailure() << "raised \"" << result.message << "\", expected \"" << message << "\"";
  }
  if (result.created != 0) return ::testing::AssertionFailure() << result.created << " matrices created before the error";
  return ::testing::AssertionSuccess();
}

inline std::size_t rowsOf(const embedded::CallResult& result) { return mxGetM(result.output.get()); }
inline std::size_t colsOf(const embedded::CallResult& result) { return mxGetN(result.output.get()); }

#endif
