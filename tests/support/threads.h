// ROTKIT_NUM_THREADS for the scope of a test, so that a kernel's call
// splits over that many threads (parallel/worker_pool.h reads it at every
// call); the tests that check that the thread count changes no bits.
#ifndef ROTKIT_TESTS_THREADS_H
#define ROTKIT_TESTS_THREADS_H

#include "support/thread_count.h"

struct ThreadCount {
  explicit ThreadCount(const char* value) { setThreadsVariable(value); }
  ~ThreadCount() { setThreadsVariable(nullptr); }
  ThreadCount(const ThreadCount&) = delete;
  ThreadCount& operator=(const ThreadCount&) = delete;
};

#endif
