// The help text of an oct-file, read from the help file beside it
// (<name>.m, comments only), as Octave reads the help of a MEX file: the
// first block of comment lines, each without its leading blanks and
// comment characters.
#include "host/octave/call.h"

#include <dlfcn.h>

#include <fstream>
#include <string>

namespace rotkit_octave {

namespace {

// The folder of the file this code was loaded from (the oct-file).
std::string ownFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || info.dli_fname == nullptr) return std::string();
  const std::string path(info.dli_fname);
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The text of a comment line without its leading blanks and comment
// characters; false when the line is not a comment.
bool commentText(const std::string& line, std::string& text) {
  std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || (line[start] != '%' && line[start] != '#')) return false;
  start = line.find_first_not_of("%#", start);
  text = start == std::string::npos ? std::string() : line.substr(start);
  return true;
}

} // namespace

std::string helpText(const char* name) {
  std::ifstream file(ownFolder() + "/" + name + ".m");
  std::string line;
  std::string text;
  std::string help;
  bool inBlock = false;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (commentText(line, text)) {
      help += text + "\n";
      inBlock = true;
    } else if (inBlock || line.find_first_not_of(" \t") != std::string::npos) {
      break;  // the block ends at its first other line; code before it means no help
    }
  }
  return help;
}

} // namespace rotkit_octave
