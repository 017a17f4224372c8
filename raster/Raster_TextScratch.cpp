#include "raster/Raster_TextScratch.h"

#include "raster/Raster_SystemText.h"
#include "raster/SysBitmap.h"

#include <algorithm>

namespace {

Raster_SysBitmap* gGlyphSurface = nullptr;
Raster_SysBitmap* gTransferBitmap = nullptr;
int gLiveFonts = 0;

}  // namespace

Raster_IBitmap* Raster_TextGlyphSurface(int side)
{
  if (!gGlyphSurface) gGlyphSurface = new Raster_SysBitmap(0, 0);
  const int width = gGlyphSurface->PixelWidth();
  const int height = gGlyphSurface->PixelHeight();
  if (width < side || height < side) {
    gGlyphSurface->SetSize(std::max(width, side), std::max(height, side));
    Raster_PrepareGlyphSurface(gGlyphSurface);
  }
  return gGlyphSurface->PixelData() ? gGlyphSurface : nullptr;
}

Raster_IBitmap* Raster_TextTransferBitmap(int width, int height)
{
  if (!gTransferBitmap) gTransferBitmap = new Raster_SysBitmap(0, 0);
  width = std::max(width, 4);
  height = std::max(height, 4);
  if (gTransferBitmap->PixelWidth() < width || gTransferBitmap->PixelHeight() < height)
    gTransferBitmap->SetSize(std::max(gTransferBitmap->PixelWidth(), width),
                             std::max(gTransferBitmap->PixelHeight(), height));
  return gTransferBitmap->PixelData() ? gTransferBitmap : nullptr;
}

void Raster_TextFontCreated()
{
  ++gLiveFonts;
}

void Raster_TextFontDestroyed()
{
  if (--gLiveFonts > 0) return;
  delete gGlyphSurface;
  delete gTransferBitmap;
  gGlyphSurface = nullptr;
  gTransferBitmap = nullptr;
}

int Raster_TextLiveFonts()
{
  return gLiveFonts;
}
