// Worker threads for the kernels: a call's columns (frames, for posechain)
// split into contiguous ranges, one per thread, the calling thread taking
// one range itself. Every column is computed by the same operations
// whichever thread computes it, so the results are the same bits for any
// thread count. Workers never call the host: they run kernel code only.
//
// One pool per MEX file (everything here has hidden visibility, so no two
// MEX files share it), started on the first call that splits and kept
// between calls; stopWorkers() joins its threads, which each gateway
// registers with mexAtExit (host/host.h) so that clearing the MEX file or
// leaving the host never leaves a thread behind. In a child process made by
// fork() the parent's threads do not exist: the first call there starts a
// pool of its own and leaves the parent's, whose locks it cannot trust,
// untouched. On Windows (no fork) each worker keeps the MEX file's DLL
// loaded while it lives, and a stop while the process exits, when Windows
// has ended the workers already, only lets go of the pool
// (parallel/worker_thread.h).
//
// The thread count: ROTKIT_NUM_THREADS when it holds a whole number from 1
// to kMaxThreads (read at every call, so `setenv ROTKIT_NUM_THREADS 1` at
// the prompt takes effect at once), else the processor's cores. With 1 no
// worker thread is ever started.
#ifndef ROTKIT_PARALLEL_WORKER_POOL_H
#define ROTKIT_PARALLEL_WORKER_POOL_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "parallel/worker_thread.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif
#if defined(__x86_64__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// On Windows a DLL exports only what it marks, so nothing here needs hiding.
#if (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define ROTKIT_HIDDEN __attribute__((visibility("hidden")))
#else
#define ROTKIT_HIDDEN
#endif

namespace parallel ROTKIT_HIDDEN {

constexpr unsigned kMaxThreads = 256;

// The thread count a call may use now (see the top of this file).
inline unsigned threadCount() {
  if (const char* text = std::getenv("ROTKIT_NUM_THREADS")) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && value >= 1 && value <= static_cast<long>(kMaxThreads)) {
      return static_cast<unsigned>(value);
    }
  }
  // Asked once: glibc reads /sys for it, some 7 microseconds a call here,
  // more than a small call of a kernel takes.
  static const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : (cores > kMaxThreads ? kMaxThreads : cores);
}

// A range task: runs columns [begin, end) of one call.
using RangeTask = void (*)(const void* context, std::uint32_t begin, std::uint32_t end);

inline long currentProcess() {
#if defined(_WIN32)
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}

// How long a worker that has finished its share keeps looking for the next
// call before it sleeps. Waking a sleeping thread costs tens of
// microseconds (more in a virtual machine, where an idle processor halts),
// which a call of 1e5 columns would notice; calls that follow one another
// find the worker awake. The same policy as OpenMP runtimes', far shorter.
constexpr std::chrono::microseconds kSpinBeforeSleep{200};

// A hint to the processor that this thread is waiting in a loop.
inline void relax() {
#if defined(__x86_64__) || defined(_M_X64)
  _mm_pause();
#elif defined(__aarch64__)
  __asm__ __volatile__("yield");
#endif
}

// A call is cut into kSharesPerThread shares per thread, and every share
// is claimed by exactly one thread: each worker, once it sees the call,
// and the caller, once its own share is done, take whatever shares are
// left. So a worker that wakes late (tens to hundreds of microseconds, in a
// virtual machine) costs the call nothing: the caller has run its share.
constexpr unsigned kSharesPerThread = 4;
constexpr unsigned kMaxShares = kMaxThreads * kSharesPerThread;

class WorkerPool {
 public:
  explicit WorkerPool(long process) : process_(process) {
    for (auto& share : open_) share.store(0);
  }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  long process() const { return process_; }
  // How many of its workers have started running (all, between calls).
  std::size_t startedWorkers() const { return started_.load(); }

  // Runs task over [0, count) cut into `ranges`·kSharesPerThread even
  // shares, every boundary but the last a multiple of `alignment`, with up
  // to ranges − 1 workers beside the caller. Returns once every share has
  // run, each exactly once.
  void run(RangeTask task, const void* context, std::uint32_t count, unsigned ranges, std::uint32_t alignment) {
    while (workers_.size() < ranges - 1) {
      const unsigned index = static_cast<unsigned>(workers_.size());
      workers_.emplace_back([this, index] { work(index); });
    }
    const std::uint64_t generation = (call_.load() >> 16) + 1;
    const unsigned shares = ranges * kSharesPerThread;
    task_ = task;
    context_ = context;
    count_ = count;
    shares_ = shares;
    alignment_ = alignment;
    done_.store(0);
    for (unsigned share = 0; share < shares; ++share) open_[share].store(generation << 1);
    call_.store(generation << 16 | shares);  // publishes the call (sequentially consistent)
    if (sleepers_.load() > 0) {
      // Taking the lock orders this against a worker between its last look
      // at the call and its wait, so that no wake-up is lost.
      { std::lock_guard<std::mutex> lock(mutex_); }
      wake_.notify_all();
    }
    runShares(generation, shares, 0);
    while (done_.load(std::memory_order_acquire) != shares) relax();
    // A worker still starting up may hold locks of the thread library or
    // of the allocator; a fork() right after this call (a host's parallel
    // map does exactly that) would copy them held into the child. So no
    // call returns before the threads it started have started.
    while (started_.load(std::memory_order_acquire) != workers_.size()) relax();
  }

  // Tells every worker to leave and joins it.
  void stop() {
    stopping_.store(true);
    { std::lock_guard<std::mutex> lock(mutex_); }
    wake_.notify_all();
    for (parallel_thread::WorkerThread& worker : workers_) worker.join();
    workers_.clear();
    started_.store(0);
  }

 private:
  // Share s runs [b(s), b(s + 1)), b(s) = s·count/shares rounded down to
  // the alignment, b(shares) = count. Read only by the thread that has
  // claimed a share of the current call, which cannot end before that
  // share is done.
  std::uint32_t boundary(unsigned share) const {
    if (share >= shares_) return count_;
    const std::uint64_t even = std::uint64_t{count_} * share / shares_;
    return static_cast<std::uint32_t>(even / alignment_ * alignment_);
  }

  // Claims and runs every share of call `generation` still open, starting
  // from share `first`. A share is open for one generation only, so a
  // thread that looks at a call that has ended claims nothing.
  void runShares(std::uint64_t generation, unsigned shares, unsigned first) {
    for (unsigned i = 0; i < shares; ++i) {
      const unsigned share = (first + i) % shares;
      std::uint64_t open = generation << 1;
      if (!open_[share].compare_exchange_strong(open, open | 1)) continue;
      const std::uint32_t begin = boundary(share);
      const std::uint32_t end = boundary(share + 1);
      if (begin < end) task_(context_, begin, end);
      done_.fetch_add(1, std::memory_order_release);
    }
  }

  // Waits for a call other than `seen` (or the stop): first awake for
  // kSpinBeforeSleep, then asleep on the condition variable.
  std::uint64_t awaitCall(std::uint64_t seen) {
    const auto until = std::chrono::steady_clock::now() + kSpinBeforeSleep;
    for (unsigned spins = 1;; ++spins) {
      const std::uint64_t now = call_.load();
      if (now != seen || stopping_.load()) return now;
      relax();
      if (spins % 256 == 0 && std::chrono::steady_clock::now() > until) break;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    sleepers_.fetch_add(1);
    wake_.wait(lock, [&] { return call_.load() != seen || stopping_.load(); });
    sleepers_.fetch_sub(1);
    return call_.load();
  }

  // Worker `index` takes part in the calls of more than index + 1 threads,
  // starting at the shares that an even split would give it.
  void work(unsigned index) {
    started_.fetch_add(1, std::memory_order_release);
    std::uint64_t seen = 0;
    for (;;) {
      seen = awaitCall(seen);
      if (stopping_.load()) return;
      const unsigned shares = static_cast<unsigned>(seen & 0xFFFF);
      if (index + 1 >= shares / kSharesPerThread) continue;
      runShares(seen >> 16, shares, (index + 1) * kSharesPerThread);
    }
  }

  const long process_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<parallel_thread::WorkerThread> workers_;
  // Written by the caller before it publishes a call, read by the threads
  // that claim its shares.
  RangeTask task_ = nullptr;
  const void* context_ = nullptr;
  std::uint32_t count_ = 0;
  unsigned shares_ = 1;
  std::uint32_t alignment_ = 1;
  // The current call: its generation (upper bits) and share count (low 16).
  std::atomic<std::uint64_t> call_{0};
  // Per share, generation·2, plus 1 once claimed.
  std::atomic<std::uint64_t> open_[kMaxShares];
  std::atomic<unsigned> done_{0};
  std::atomic<unsigned> sleepers_{0};
  std::atomic<std::size_t> started_{0};
  std::atomic<bool> stopping_{false};
};

// The pool of this MEX file, made on first use and never destroyed while
// threads may wait in it: a pool left to static destruction at exit would
// destroy joinable threads. One call at a time uses it; a call that finds
// it busy runs alone.
struct PoolState {
  std::mutex guard;
  WorkerPool* pool = nullptr;
  // The pools of the processes this one was forked from: their threads do
  // not exist here and their locks may be held, so they are only kept.
  std::vector<WorkerPool*> inherited;
};

// The state itself goes with the MEX file (a pointer and a list: no
// thread of the pool touches it), so that loading the file again and again
// leaves nothing behind; the pool it points to is stopped by then, or left.
inline PoolState& poolState() {
  static PoolState state;
  return state;
}

// Joins every worker thread of this MEX file; the next call that splits
// starts new ones.
inline void stopWorkers() {
  PoolState& state = poolState();
  std::lock_guard<std::mutex> lock(state.guard);
  if (parallel_thread::processIsExiting()) {
    state.pool = nullptr;  // its threads are gone, and no lock of theirs can be trusted
  } else if (state.pool != nullptr && state.pool->process() == currentProcess()) {
    state.pool->stop();
    delete state.pool;
  } else if (state.pool != nullptr) {
    state.inherited.push_back(state.pool);
  }
  state.pool = nullptr;
}

// How many worker threads of this process have started (for the tests).
inline std::size_t startedWorkers() {
  PoolState& state = poolState();
  std::lock_guard<std::mutex> lock(state.guard);
  const bool ours = state.pool != nullptr && state.pool->process() == currentProcess();
  return ours ? state.pool->startedWorkers() : 0;
}

// Runs task over [0, count) (nothing when count is 0) on up to
// threadCount() threads, at least `minColumns` columns for each (the size
// below which a thread does not pay for its start, measured per kernel);
// below 2·minColumns, or with one thread, it runs on the calling thread
// alone and starts nothing. Boundaries between shares fall on multiples of
// `alignment` columns.
inline void runColumns(RangeTask task, const void* context, std::uint32_t count, std::uint32_t minColumns,
                       std::uint32_t alignment = 8) {
  if (count == 0) return;
  const unsigned threads = threadCount();
  const std::uint64_t shares = minColumns == 0 ? threads : std::uint64_t{count} / minColumns;
  const unsigned ranges = static_cast<unsigned>(shares < threads ? shares : threads);
  if (ranges < 2) {
    task(context, 0, count);
    return;
  }
  PoolState& state = poolState();
  std::unique_lock<std::mutex> lock(state.guard, std::try_to_lock);
  if (!lock.owns_lock()) {
    task(context, 0, count);
    return;
  }
  if (state.pool == nullptr || state.pool->process() != currentProcess()) {
    // A new process after fork(): the parent's pool is left as it is.
    if (state.pool != nullptr) state.inherited.push_back(state.pool);
    state.pool = new WorkerPool(currentProcess());
  }
  state.pool->run(task, context, count, ranges, alignment);
}

// runColumns for a callable f(begin, end).
template <class Function>
void forColumns(std::uint32_t count, std::uint32_t minColumns, const Function& f) {
  runColumns([](const void* context, std::uint32_t begin, std::uint32_t end) {
               (*static_cast<const Function*>(context))(begin, end);
             },
             &f, count, minColumns);
}

}  // namespace parallel

#endif
