// One worker thread of the pool (parallel/worker_pool.h): started with a
// body to run, joined once. std::thread on POSIX systems. On Windows a
// thread of the system's own, which holds a reference to the module (the
// MEX file's DLL) whose code it runs and gives it back only as it ends
// (FreeLibraryAndExitThread): a host that unloads the MEX file while a
// worker lives leaves the DLL loaded until the worker is gone, instead of
// pulling the code from under it. Joining can then never wait on the loader
// lock either: the DLL's own unloading never runs while a worker lives.
#ifndef ROTKIT_PARALLEL_WORKER_THREAD_H
#define ROTKIT_PARALLEL_WORKER_THREAD_H

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>
#include <system_error>
#include <utility>
#else
#include <thread>
#endif

namespace parallel_thread {

#if defined(_WIN32)

// True while the process is exiting: Windows has already ended every other
// thread (the workers too, wherever they were), and runs the DLLs' exit code
// under the loader lock, where nothing may wait for a thread.
inline bool processIsExiting() {
  using Query = BOOLEAN(WINAPI*)();
  static const Query query = [] {
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDllShutdownInProgress");
    Query function = nullptr;
    static_assert(sizeof function == sizeof address, "function pointers of one size");
    std::memcpy(&function, &address, sizeof function);
    return function;
  }();
  return query != nullptr && query() != 0;
}

// An address inside the module that this code is compiled into: nothing
// here is exported, so every DLL and program has its own.
inline const void* moduleAnchor() {
  static const char anchor = 0;
  return &anchor;
}

class WorkerThread {
 public:
  template <class Body>
  explicit WorkerThread(Body body) {
    HMODULE module = nullptr;
    // The module that holds this code (the MEX file's DLL), one reference more.
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, static_cast<LPCWSTR>(moduleAnchor()),
                            &module)) {
      throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "GetModuleHandleExW");
    }
    auto* start = new Start<Body>{std::move(body), module};
    handle_ = CreateThread(nullptr, 0, &WorkerThread::run<Body>, start, 0, nullptr);
    if (handle_ == nullptr) {
      const DWORD error = GetLastError();
      delete start;
      FreeLibrary(module);
      throw std::system_error(static_cast<int>(error), std::system_category(), "CreateThread");
    }
  }
  WorkerThread(WorkerThread&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  WorkerThread& operator=(WorkerThread&&) = delete;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // A thread never joined (the process exits) is left to the system.
  ~WorkerThread() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }

  void join() {
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  template <class Body>
  struct Start {
    Body body;
    HMODULE module;
  };

  template <class Body>
  static DWORD WINAPI run(LPVOID argument) {
    auto* start = static_cast<Start<Body>*>(argument);
    const HMODULE module = start->module;
    start->body();
    delete start;
    // Gives the module back and ends the thread in one step, so that no
    // code of the module runs after its last reference is gone.
    FreeLibraryAndExitThread(module, 0);
  }

  HANDLE handle_ = nullptr;
};

#else

using WorkerThread = std::thread;

// Only Windows ends the threads before a library's exit code runs.
inline bool processIsExiting() { return false; }

#endif

}  // namespace parallel_thread

#endif
