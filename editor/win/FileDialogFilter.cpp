#include "editor/win/FileDialogFilter.h"

#include <cstring>
#include <string>

bool FileDialogFilter::Build(const char* extensions)
{
  mFilter[0] = mFilter[1] = 0;
  mDefaultExtension[0] = 0;
  if (!extensions) return true;
  std::string pattern, first;
  const char* p = extensions;
  while (*p) {
    while (*p == ' ') ++p;
    const char* start = p;
    while (*p && *p != ' ') ++p;
    if (p == start) break;
    const std::string extension(start, p);
    if (first.empty()) first = extension;
    pattern += (pattern.empty() ? "*." : ";*.") + extension;
  }
  if (pattern.empty()) return true;
  if (static_cast<int>(pattern.size()) > kMostPatternChars || static_cast<int>(first.size()) >= kDefaultExtensionBytes)
    return false;
  // description \0 pattern \0 \0
  std::memcpy(mFilter, pattern.c_str(), pattern.size() + 1);
  std::memcpy(mFilter + pattern.size() + 1, pattern.c_str(), pattern.size() + 1);
  mFilter[2 * pattern.size() + 2] = 0;
  std::memcpy(mDefaultExtension, first.c_str(), first.size() + 1);
  return true;
}
