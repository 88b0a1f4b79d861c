// Windows only: <windows.h> as every file of the project includes it
// (without its min and max macros), and UTF-8 names turned into the UTF-16
// ones of Windows' wide API. The hosts and the toolbox speak UTF-8; the
// narrow API would read the local code page instead.
#ifndef ROTKIT_HOST_WINDOWS_NAMES_H
#define ROTKIT_HOST_WINDOWS_NAMES_H
#if defined(_WIN32)

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <climits>
#include <string>

// False for bytes that are not UTF-8: they can name no file (rather than a
// file with U+FFFD in its name).
inline bool wideName(const std::string& utf8, std::wstring& wide) {
  wide.clear();
  if (utf8.empty()) return true;
  if (utf8.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int size = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (count <= 0) return false;
  wide.assign(static_cast<std::size_t>(count), L'\0');
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, &wide[0], count) == count;
}

// The wide name, or "" for bytes that are not UTF-8 (no file has that name).
inline std::wstring wideName(const std::string& utf8) {
  std::wstring wide;
  return wideName(utf8, wide) ? wide : std::wstring();
}

#endif
#endif
