#include "editor/ResourceImage.h"

#include "core/ModuleHandle.h"
#include "raster/Png.h"

#include <cstring>

namespace {

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

} // namespace

Raster_IBitmap* LoadResourceImage(int resourceId, const char* fileName)
{
  if (!HasPngExtension(fileName)) return nullptr;
  return Raster_PngFromResource(ModuleHandle, resourceId);
}
