// Scratch folders and files for the tests of file readers and writers:
// a fresh folder, what it holds, a file's bytes. Names are UTF-8; on
// Windows they go to the system's wide API, as the toolbox's own do, so a
// test can tell a name outside ASCII from a mangled one.
#ifndef ROTKIT_TESTS_SCRATCH_FILES_H
#define ROTKIT_TESTS_SCRATCH_FILES_H

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include "host/windows_names.h"
#else
#include <dirent.h>
#endif

#if defined(_WIN32)
inline std::string utf8Of(const wchar_t* wide) {
  const int count = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(count > 0 ? count : 1), '\0');
  if (count > 0) WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], count, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}
#endif

// A new empty folder in the system's folder for temporary files ("" when
// none can be made).
inline std::string scratchFolder() {
#if defined(_WIN32)
  wchar_t base[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, base);
  if (length == 0 || length > MAX_PATH) return std::string();
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = utf8Of(base) + "rotkit-files-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(counter++);
    if (CreateDirectoryW(wideName(folder).c_str(), nullptr)) return folder;
  }
  return std::string();
#else
  char name[] = "/tmp/rotkit-files-XXXXXX";
  const char* made = mkdtemp(name);
  return made != nullptr ? std::string(made) : std::string();
#endif
}

// The names in `folder`, hidden ones too, but "." and "..".
inline std::vector<std::string> listing(const std::string& folder) {
  std::vector<std::string> names;
#if defined(_WIN32)
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(wideName(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = utf8Of(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
#else
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
    }
    closedir(d);
  }
#endif
  return names;
}

inline std::FILE* openScratch(const std::string& path, const char* mode) {
#if defined(_WIN32)
  return _wfopen(wideName(path).c_str(), wideName(mode).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// A file's bytes ("" when it cannot be read).
inline std::string contents(const std::string& path) {
  std::string text;
  if (std::FILE* f = openScratch(path, "rb")) {
    char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, f)) > 0) text.append(block, got);
    std::fclose(f);
  }
  return text;
}

// Writes `text` as the whole of the file `path`, byte for byte.
inline bool writeScratch(const std::string& path, const std::string& text) {
  std::FILE* f = openScratch(path, "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && written;
}

// Removes a file, or an empty folder.
inline void removeScratch(const std::string& path) {
#if defined(_WIN32)
  if (!DeleteFileW(wideName(path).c_str())) RemoveDirectoryW(wideName(path).c_str());
#else
  std::remove(path.c_str());  // a file or an empty folder
#endif
}

#endif
