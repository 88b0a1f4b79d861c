// The worker pool: every column of a call is run exactly once, by contiguous
// ranges on aligned boundaries, on no more threads than the environment asks
// for (which threads take which shares is up to who is awake first); small
// calls and one thread start nothing; the pool survives being stopped (as
// mexAtExit does on `clear`) and a fork().
#include "parallel/worker_pool.h"

#include "support/thread_count.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

struct ThreadsFromEnvironment {
  explicit ThreadsFromEnvironment(const char* value) { setThreadsVariable(value); }
  ~ThreadsFromEnvironment() { setThreadsVariable(nullptr); }
};

// Counts how often each column ran and on how many threads the call ran.
struct Record {
  std::vector<std::atomic<int>> runs;
  std::mutex mutex;
  std::set<std::thread::id> threads;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
  explicit Record(std::size_t count) : runs(count) {}
};

// `threads`: how many threads at most may run the call (1: only the caller).
void runAndCheck(std::uint32_t count, std::uint32_t minColumns, std::size_t threads) {
  Record record(count);
  parallel::forColumns(count, minColumns, [&](std::uint32_t begin, std::uint32_t end) {
    for (std::uint32_t k = begin; k < end; ++k) ++record.runs[k];
    std::lock_guard<std::mutex> lock(record.mutex);
    record.threads.insert(std::this_thread::get_id());
    record.ranges.emplace_back(begin, end);
  });
  for (std::uint32_t k = 0; k < count; ++k) ASSERT_EQ(record.runs[k], 1) << "column " << k << " of " << count;
  EXPECT_LE(record.threads.size(), threads) << count << " columns";
  if (threads == 1 && count > 0) {
    EXPECT_TRUE(record.threads.count(std::this_thread::get_id()));
  }
  for (const auto& range : record.ranges) {
    EXPECT_EQ(range.first % 8, 0u) << "a boundary off the alignment";
  }
}

TEST(WorkerPool, ReadsTheThreadCountAtEveryCall) {
  for (const char* value : {"1", "2", "3", "7"}) {
    ThreadsFromEnvironment threads(value);
    const unsigned n = static_cast<unsigned>(std::atoi(value));
    EXPECT_EQ(parallel::threadCount(), n);
    runAndCheck(100003, 1000, n);
    runAndCheck(1000003, 1000, n);
  }
  // Anything but a whole number from 1 to 256 means the processor's cores.
  const unsigned cores = std::thread::hardware_concurrency() == 0 ? 1 : std::thread::hardware_concurrency();
  for (const char* value : {"0", "-2", "2.5", "two", "", "100000"}) {
    ThreadsFromEnvironment threads(value);
    EXPECT_EQ(parallel::threadCount(), cores > 256 ? 256u : cores) << "'" << value << "'";
  }
}

TEST(WorkerPool, SmallCallsStayOnTheCallingThread) {
  ThreadsFromEnvironment threads("4");
  runAndCheck(0, 1000, 0);
  for (std::uint32_t count : {1u, 7u, 1999u}) runAndCheck(count, 1000, 1);
  runAndCheck(2000, 1000, 2);  // room for two threads
  runAndCheck(3999, 1000, 3);
  runAndCheck(5000, 1000, 4);
}

// Shares end on multiples of 8 columns, so a small call may leave some of
// its shares empty; every column still runs once.
TEST(WorkerPool, OddCountsAndAlignments) {
  ThreadsFromEnvironment threads("7");
  for (std::uint32_t count = 14; count < 300; count += 13) runAndCheck(count, 2, 7);
  runAndCheck(7 * 8 * 5 + 3, 2, 7);
}

// When the shares take long, the workers wake in time to take some: the
// call runs on more threads than the caller's.
TEST(WorkerPool, WorkersTakeSharesOfLongCalls) {
  ThreadsFromEnvironment threads("3");
  std::mutex mutex;
  std::set<std::thread::id> ran;
  parallel::forColumns(3000, 100, [&](std::uint32_t, std::uint32_t) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::lock_guard<std::mutex> lock(mutex);
    ran.insert(std::this_thread::get_id());
  });
  EXPECT_GE(ran.size(), 2u);
  EXPECT_LE(ran.size(), 3u);
}

TEST(WorkerPool, StartsAgainAfterItsWorkersAreJoined) {
  ThreadsFromEnvironment threads("3");
  runAndCheck(30000, 100, 3);
  parallel::stopWorkers();
  parallel::stopWorkers();  // twice is harmless
  runAndCheck(30000, 100, 3);
}

// A call that the caller finishes alone, before its new workers are up,
// still returns only once they are running: a fork() right after it must
// not copy a thread halfway through its start, with the locks it holds.
TEST(WorkerPool, ACallReturnsWithTheWorkersItStartedRunning) {
  ThreadsFromEnvironment threads("3");
  for (int round = 0; round < 20; ++round) {
    parallel::stopWorkers();
    EXPECT_EQ(parallel::startedWorkers(), 0u);
    parallel::forColumns(64, 16, [](std::uint32_t, std::uint32_t) {});
    EXPECT_EQ(parallel::startedWorkers(), 2u) << "round " << round;
  }
}

#if defined(__SANITIZE_THREAD__)
#define ROTKIT_TEST_FORK 0  // ThreadSanitizer does not follow threads started after a fork
#elif defined(ROTKIT_TESTS_UNDER_EMULATOR)
#define ROTKIT_TEST_FORK 0  // qemu-user fails its own assertion on fork() with threads running
#elif !defined(_WIN32)
#define ROTKIT_TEST_FORK 1
#else
#define ROTKIT_TEST_FORK 0
#endif

#if ROTKIT_TEST_FORK
// A child made by fork() has none of the parent's worker threads; its first
// call starts a pool of its own and finishes.
TEST(WorkerPool, WorksInAForkedChild) {
  ThreadsFromEnvironment threads("3");
  runAndCheck(30000, 100, 3);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::vector<std::atomic<int>> runs(30000);
    parallel::forColumns(30000, 100, [&](std::uint32_t begin, std::uint32_t end) {
      for (std::uint32_t k = begin; k < end; ++k) ++runs[k];
    });
    bool once = true;
    for (const auto& r : runs) once = once && r == 1;
    parallel::stopWorkers();
    _exit(once ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  runAndCheck(30000, 100, 3);  // the parent's pool is unharmed
}
#endif

} // namespace
