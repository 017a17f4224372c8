#include "editor/ResourceImage.h"

#include "core/ModuleHandle.h"
#include "editor/ImageFileName.h"
#include "raster/Png.h"

Raster_IBitmap* LoadResourceImage(int resourceId, const char* fileName)
{
  if (!HasPngExtension(fileName)) return nullptr;
  return Raster_PngFromResource(ModuleHandle, resourceId);
}
