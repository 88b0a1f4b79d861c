// Reading whole files and writing through a temporary file (file_io.h).
#include "motionfiles/file_io.h"

#include "motionfiles/file_error.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#if defined(_WIN32)
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace motionfiles {

namespace {

#if defined(_WIN32)
std::wstring wideName(const std::string& utf8) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(count > 0 ? static_cast<std::size_t>(count) : 1, L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], count);
  wide.resize(wide.size() - 1);
  return wide;
}
#endif

// Renames `from` onto `to`, replacing `to`: one atomic step on POSIX.
bool renameOnto(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  return MoveFileExW(wideName(from).c_str(), wideName(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void removeFile(const std::string& path) {
#if defined(_WIN32)
  _wremove(wideName(path).c_str());
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
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return FileHandle(_wfopen(wideName(path).c_str(), wideMode.c_str()));
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
