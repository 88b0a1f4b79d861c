// Scratch folders and files for the tests of file readers and writers:
// a fresh folder, what it holds, a file's bytes.
#ifndef ROTKIT_TESTS_SCRATCH_FILES_H
#define ROTKIT_TESTS_SCRATCH_FILES_H

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// A new empty folder under /tmp ("" when none can be made).
inline std::string scratchFolder() {
  char name[] = "/tmp/rotkit-files-XXXXXX";
  const char* made = mkdtemp(name);
  return made != nullptr ? std::string(made) : std::string();
}

// The names in `folder`, hidden ones too, but "." and "..".
inline std::vector<std::string> listing(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
    }
    closedir(d);
  }
  return names;
}

// A file's bytes ("" when it cannot be read).
inline std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

#endif
