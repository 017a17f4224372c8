#include "raster/Png.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "resources/EmbeddedResources.h"
#endif

namespace {
constexpr int kSmallestPng = 8;  // the signature alone
}

#ifdef _WIN32

Raster_IBitmap* Raster_PngFromResource(void* module, int resourceId) {
  const auto instance = static_cast<HMODULE>(module);
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resourceId & 0xffff), L"PNG");
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  if (size < DWORD(kSmallestPng)) return nullptr;
  // Resource memory stays valid while the module is loaded; nothing to copy or free.
  HGLOBAL loaded = LoadResource(instance, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return nullptr;
  return Raster_PngFromMemory(bytes, int(size));
}

#else

Raster_IBitmap* Raster_PngFromResource(void* /*module*/, int resourceId) {
  const EmbeddedResource* resource = FindEmbeddedResource(resourceId & 0xffff);
  if (!resource || resource->size < kSmallestPng) return nullptr;
  return Raster_PngFromMemory(resource->data, resource->size);
}

#endif
