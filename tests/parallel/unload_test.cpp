// A MEX file whose kernel has started worker threads, unloaded as a host
// does on `clear`: its mexAtExit function joins the workers, then the
// library goes and a new load starts afresh. On Windows a host that unloads
// without that function leaves the DLL loaded to its workers (each holds a
// reference), and the DLL goes once they are joined.
#include "embedded_host.h"

#include "support/thread_count.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include "host/windows_names.h"

#include <tlhelp32.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif

namespace {

const std::string kLibrary = std::string(ROTKIT_EMBEDDED_DIR) + "/rotnormalize" + ROTKIT_EMBEDDED_SUFFIX;

// The threads of this process now.
std::size_t threadsOfThisProcess() {
  std::size_t count = 0;
#if defined(_WIN32)
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
#else
  DIR* tasks = opendir("/proc/self/task");
  while (dirent* task = readdir(tasks)) count += task->d_name[0] != '.';
  closedir(tasks);
#endif
  return count;
}


// The arm64 build runs under qemu-user, whose own threads come and go in
// the process's task list: there the threads are not counted.
#if defined(__aarch64__)
constexpr bool kCountsThreads = false;
#else
constexpr bool kCountsThreads = true;
#endif

// rotnormalize of 2^19 columns of (1, 1, 1, 1): enough for every thread.
std::vector<double> normalizeMany(embedded::MexEntry rotnormalize) {
  auto q = embedded::makeDouble(4, 1 << 19, std::vector<double>(4 << 19, 1.0));
  embedded::CallResult out = embedded::call(rotnormalize, 1, {q.get()});
  EXPECT_FALSE(out.raised) << out.message;
  return out.raised ? std::vector<double>{} : embedded::values(out.output.get());
}

TEST(Unload, AtExitJoinsTheWorkersThenTheLibraryGoesAndLoadsAgain) {
  setThreadsVariable("3");
  // A thread started and joined first: ThreadSanitizer starts a thread of
  // its own with the process's first, which must not count as a worker.
  std::thread([] {}).join();
  const std::size_t before = threadsOfThisProcess();
  embedded::Library library = embedded::loadLibrary(kLibrary);
  const std::vector<double> first = normalizeMany(library.entry);
  ASSERT_EQ(first.size(), std::size_t{4} << 19);
  EXPECT_EQ(first[0], 0.5);
  if (kCountsThreads) {
    EXPECT_EQ(threadsOfThisProcess(), before + 2) << "two workers beside the caller";
  }
  EXPECT_EQ(embedded::runAtExit(), 1u);
  if (kCountsThreads) {
    EXPECT_EQ(threadsOfThisProcess(), before);
  }
  embedded::unloadLibrary(library);
  EXPECT_FALSE(embedded::isLoaded(kLibrary));

  library = embedded::loadLibrary(kLibrary);
  EXPECT_EQ(normalizeMany(library.entry), first);
  EXPECT_EQ(embedded::runAtExit(), 1u);
  embedded::unloadLibrary(library);
  EXPECT_FALSE(embedded::isLoaded(kLibrary));
  if (kCountsThreads) {
    EXPECT_EQ(threadsOfThisProcess(), before);
  }
}

#if defined(_WIN32)
TEST(Unload, WindowsKeepsTheDllOfLivingWorkersLoaded) {
  setThreadsVariable("3");
  embedded::Library library = embedded::loadLibrary(kLibrary);
  normalizeMany(library.entry);
  embedded::unloadLibrary(library);  // without the mexAtExit function
  EXPECT_TRUE(embedded::isLoaded(kLibrary)) << "the workers' references keep it";
  EXPECT_EQ(embedded::runAtExit(), 1u);  // the library's code is still there to run
  EXPECT_FALSE(embedded::isLoaded(kLibrary)) << "the last worker gave the last reference back";
}
#endif

} // namespace
