// Reading whole files and writing through a temporary file (file_io.h).
#include "motionfiles/file_io.h"

#include "motionfiles/file_error.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#if defined(_WIN32)
#include "host/windows_names.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace motionfiles {

namespace {

#if defined(_WIN32)
// A new file that did not exist, open for writing (C11's "wbx", which
// older Microsoft runtimes, MinGW's msvcrt among them, do not know).
std::FILE* createNewFile(const std::wstring& path) {
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST : EACCES;
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) _close(descriptor);  // closes the handle too
  return file;
}
#endif

// Renames `from` onto `to`, replacing `to`: one atomic step on POSIX; on
// Windows MoveFileEx with replace (rename refuses a target that exists).
// A virus scanner or an indexer may hold the new file open for a moment
// after it is closed: the move is tried again a few times before it fails.
bool renameOnto(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  std::wstring wideFrom;
  std::wstring wideTo;
  if (!wideName(from, wideFrom) || !wideName(to, wideTo)) return false;
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!held || attempt == 5) return false;
    Sleep(20u << attempt);  // 20 ms, then longer: at most 1.26 s in all
  }
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void removeFile(const std::string& path) {
#if defined(_WIN32)
  std::wstring wide;
  if (wideName(path, wide)) DeleteFileW(wide.c_str());
#else
  std::remove(path.c_str());
#endif
}

long processNumber() {
#if defined(_WIN32)
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}

// The folder part of `path`, with its separator ("" for a bare name).
std::string folderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of(
#if defined(_WIN32)
      "/\\:"
#else
      "/"
#endif
  );
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

} // namespace

FileHandle openFile(const std::string& path, const char* mode) {
  if (path.find('\0') != std::string::npos) return FileHandle();  // no name of the system's holds one
#if defined(_WIN32)
  std::wstring wide;
  if (!wideName(path, wide)) {
    errno = ENOENT;
    return FileHandle();
  }
  if (std::strchr(mode, 'x') != nullptr) return FileHandle(createNewFile(wide));
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return FileHandle(_wfopen(wide.c_str(), wideMode.c_str()));
#else
  return FileHandle(std::fopen(path.c_str(), mode));
#endif
}

FileBytes readWholeFile(const std::string& path) {
  FileHandle file = openFile(path, "rb");
  if (!file) failAt(0, "cannotOpen", "cannot open");
  // Read in growing blocks rather than trusting a size the system reports
  // (pipes and special files report none).
  std::size_t capacity = 1 << 16;
  std::size_t size = 0;
  std::unique_ptr<char[]> data(new char[capacity + 1]);
  for (;;) {
    const std::size_t got = std::fread(data.get() + size, 1, capacity - size, file.get());
    size += got;
    if (size < capacity) {
      if (std::ferror(file.get())) failAt(0, "cannotOpen", "cannot read");
      break;
    }
    std::size_t larger = capacity * 2;
    std::unique_ptr<char[]> grown(new char[larger + 1]);
    std::memcpy(grown.get(), data.get(), size);
    data = std::move(grown);
    capacity = larger;
  }
  data[size] = '\0';
  FileBytes bytes;
  bytes.data_ = std::move(data);
  bytes.size_ = size;
  return bytes;
}

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
  static std::atomic<unsigned> counter{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  // A name no other writer uses: the process, a counter and the clock; "x"
  // mode (C11) refuses a name that exists after all.
  for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
    char name[96];
    std::snprintf(name, sizeof name, ".rotkit-%ld-%u-%llx.tmp", processNumber(), counter.fetch_add(1),
                  static_cast<unsigned long long>(now) + static_cast<unsigned long long>(attempt));
    temporary_ = folderOf(path) + name;
    errno = 0;
    file_ = openFile(temporary_, "wbx");
    if (!file_ && errno != EEXIST) break;
  }
  if (!file_) {
    temporary_.clear();
    failAt(0, "cannotWrite", "cannot write in the folder of");
  }
}

AtomicFile::~AtomicFile() {
  if (committed_) return;
  file_.reset();
  if (!temporary_.empty()) removeFile(temporary_);
}

void AtomicFile::write(const char* data, std::size_t size) {
  if (size != 0 && std::fwrite(data, 1, size, file_.get()) != size) {
    failAt(0, "cannotWrite", "cannot write all of");
  }
}

void AtomicFile::commit() {
  std::FILE* f = file_.release();
  if (std::fclose(f) != 0) failAt(0, "cannotWrite", "cannot write all of");
  if (!renameOnto(temporary_, path_)) {
    failAt(0, "cannotWrite", "cannot replace");
  }
  committed_ = true;
}

} // namespace motionfiles
