#include "editor/ImageFileName.h"

#include <cstring>

bool HasPngExtension(const char* fileName)
{
  const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
  if (!dot) return false;
  const char* ext = dot + 1;
  const char* png = "png";
  for (int i = 0; i < 4; ++i) {
    const char c = ext[i] >= 'A' && ext[i] <= 'Z' ? static_cast<char>(ext[i] - 'A' + 'a') : ext[i];
    if (c != png[i]) return false;
  }
  return true;
}
