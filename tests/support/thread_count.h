// Sets ROTKIT_NUM_THREADS, the worker pool's thread count, for a test;
// nullptr unsets it. (Windows' C runtime has no setenv, and removes a
// variable set to the empty string: "" is then tested as unset.)
#ifndef ROTKIT_TESTS_THREAD_COUNT_H
#define ROTKIT_TESTS_THREAD_COUNT_H

#include <cstdlib>

inline void setThreadsVariable(const char* value) {
#if defined(_WIN32)
  _putenv_s("ROTKIT_NUM_THREADS", value == nullptr ? "" : value);
#else
  if (value == nullptr) {
    unsetenv("ROTKIT_NUM_THREADS");
  } else {
    setenv("ROTKIT_NUM_THREADS", value, 1);
  }
#endif
}

#endif
