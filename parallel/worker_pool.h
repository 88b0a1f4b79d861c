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
// untouched.
//
// The thread count: ROTKIT_NUM_THREADS when it holds a whole number from 1
// to kMaxThreads (read at every call, so `setenv ROTKIT_NUM_THREADS 1` at
// the prompt takes effect at once), else the processor's cores. With 1 no
// worker thread is ever started.
#ifndef ROTKIT_PARALLEL_WORKER_POOL_H
#define ROTKIT_PARALLEL_WORKER_POOL_H

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

#if defined(__GNUC__) || defined(__clang__)
#define ROTKIT_HIDDEN __attribute__((visibility("hidden")))
#else
#define ROTKIT_HIDDEN
#endif

namespace ROTKIT_HIDDEN parallel {

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
  const unsigned cores = std::thread::hardware_concurrency();
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

class WorkerPool {
 public:
  explicit WorkerPool(long process) : process_(process) {}
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  long process() const { return process_; }

  // Runs task over `ranges` even shares of [0, count), every boundary but
  // the last a multiple of `alignment`;
  // workers take shares 1 .. ranges-1 and the caller share 0. Returns once
  // every share has run.
  void run(RangeTask task, const void* context, std::uint32_t count, unsigned ranges, std::uint32_t alignment) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (workers_.size() < ranges - 1) {
      const unsigned index = static_cast<unsigned>(workers_.size());
      workers_.emplace_back([this, index] { work(index); });
    }
    task_ = task;
    context_ = context;
    count_ = count;
    ranges_ = ranges;
    alignment_ = alignment;
    pending_ = ranges - 1;
    ++generation_;
    lock.unlock();
    wake_.notify_all();
    runShare(0);
    lock.lock();
    finished_.wait(lock, [this] { return pending_ == 0; });
  }

  // Tells every worker to leave and joins it.
  void stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
  }

 private:
  // Share s runs [b(s), b(s + 1)), b(s) = s·count/ranges rounded down to
  // the alignment, b(ranges) = count.
  std::uint32_t boundary(unsigned share) const {
    if (share >= ranges_) return count_;
    const std::uint64_t even = std::uint64_t{count_} * share / ranges_;
    return static_cast<std::uint32_t>(even / alignment_ * alignment_);
  }

  void runShare(unsigned share) {
    const std::uint32_t begin = boundary(share);
    const std::uint32_t end = boundary(share + 1);
    if (begin < end) task_(context_, begin, end);
  }

  // Worker `index` runs share index + 1 of every call that has that many.
  void work(unsigned index) {
    std::uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
      if (stopping_) return;
      seen = generation_;
      if (index + 1 >= ranges_) continue;
      const unsigned share = index + 1;
      lock.unlock();
      runShare(share);
      lock.lock();
      if (--pending_ == 0) finished_.notify_one();
    }
  }

  const long process_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::vector<std::thread> workers_;
  RangeTask task_ = nullptr;
  const void* context_ = nullptr;
  std::uint32_t count_ = 0;
  unsigned ranges_ = 1;
  std::uint32_t alignment_ = 1;
  unsigned pending_ = 0;
  std::uint64_t generation_ = 0;
  bool stopping_ = false;
};

// The pool of this MEX file, made on first use and never destroyed while
// threads may wait in it: a pool left to static destruction at exit would
// destroy joinable threads. One call at a time uses it; a call that finds
// it busy runs alone.
struct PoolState {
  std::mutex guard;
  WorkerPool* pool = nullptr;
};

inline PoolState& poolState() {
  static PoolState* state = new PoolState;  // never destroyed, see above
  return *state;
}

// Joins every worker thread of this MEX file; the next call that splits
// starts new ones.
inline void stopWorkers() {
  PoolState& state = poolState();
  std::lock_guard<std::mutex> lock(state.guard);
  if (state.pool != nullptr && state.pool->process() == currentProcess()) {
    state.pool->stop();
    delete state.pool;
  }
  state.pool = nullptr;
}

// Runs task over [0, count) (nothing when count is 0) on up to
// threadCount() threads, each taking at least `minColumns` columns (the size below which a thread does not pay
// for its start, measured per kernel); below 2·minColumns, or with one
// thread, it runs on the calling thread alone and starts nothing.
// Boundaries between threads fall on multiples of `alignment` columns.
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
