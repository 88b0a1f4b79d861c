// ROTKIT_NUM_THREADS for the scope of a test, so that a kernel's call
// splits over that many threads (parallel/worker_pool.h reads it at every
// call); the tests that check that the thread count changes no bits.
#ifndef ROTKIT_TESTS_THREADS_H
#define ROTKIT_TESTS_THREADS_H

#include <cstdlib>

struct ThreadCount {
  explicit ThreadCount(const char* value) { setenv("ROTKIT_NUM_THREADS", value, 1); }
  ~ThreadCount() { unsetenv("ROTKIT_NUM_THREADS"); }
  ThreadCount(const ThreadCount&) = delete;
  ThreadCount& operator=(const ThreadCount&) = delete;
};

#endif
