// Calling a deliverable built on the embedded host, as MATLAB would, and
// checking what a refusal raised.
#ifndef ROTKIT_TESTS_GATEWAY_H
#define ROTKIT_TESTS_GATEWAY_H

#include "embedded_host.h"
#include "host/messages.h"
#include "host/refusals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The mexFunction of build/embedded/<name>.so, loaded once per name.
inline embedded::MexEntry deliverable(const std::string& name) {
  return embedded::loadEntry(std::string(ROTKIT_EMBEDDED_DIR) + "/" + name + ".so");
}

// What a refusal raises: its identifier (empty for the original four,
// which raise none) and its message.
struct Refusal {
  std::string identifier;
  std::string message;
};

// A refusal of host/refusals.h, as `function` raises it about `subject`.
inline Refusal refusalOf(const std::string& function, const SharedRefusal& shared, const std::string& subject) {
  return {"rotkit:" + function + ":" + shared.reason, shared.before + subject + shared.after};
}

// Passes when the call raised exactly `expected` and created nothing.
inline ::testing::AssertionResult RaisedCleanly(const embedded::CallResult& result, const Refusal& expected) {
  const std::string wanted = "\"" + expected.message + "\" (" + expected.identifier + ")";
  if (!result.raised) return ::testing::AssertionFailure() << "no error raised, expected " << wanted;
  if (result.message != expected.message || result.identifier != expected.identifier) {
    return ::testing::AssertionFailure() << "raised \"" << result.message << "\" (" << result.identifier
                                         << "), expected " << wanted;
  }
  if (result.created != 0) {
    return ::testing::AssertionFailure() << result.created << " matrices created before the error";
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult RaisedCleanly(const embedded::CallResult& result, const std::string& identifier,
                                               const std::string& message) {
  return RaisedCleanly(result, Refusal{identifier, message});
}

// The original four's form: exactly `message`, without an identifier.
inline ::testing::AssertionResult RaisedCleanly(const embedded::CallResult& result, const std::string& message) {
  return RaisedCleanly(result, Refusal{"", message});
}

inline std::size_t rowsOf(const embedded::CallResult& result) { return mxGetM(result.output.get()); }
inline std::size_t colsOf(const embedded::CallResult& result) { return mxGetN(result.output.get()); }

#endif
