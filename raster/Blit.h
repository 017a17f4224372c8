#pragma once

#include <cstdint>

#include "editor/IBounds.h"
#include "raster/Bitmap.h"

// Mode word of the blits: the low byte is the combining operation, bit 16 asks to weight each
// pixel by the source's own alpha (for fills: by the colour's alpha).
enum ERasterBlitMode : int {
  kBlitCopy = 0,
  kBlitAdd = 1,
  kBlitDodge = 2,
  kBlitOperationMask = 0xff,
  kBlitUseSourceAlpha = 0x10000,
};

// Combines the rectangle srcRect of src (null: all of it) into dest with its top-left corner at
// (dstx, dsty), at constant opacity alpha. Clips silently; draws nothing it cannot place.
void Raster_Composite(Raster_IBitmap* dest, Raster_IBitmap* src, int dstx, int dsty, const IBounds* srcRect,
                      float alpha, int mode);

// Combines a solid colour (packed pixel) into the w x h rectangle of dest at (x, y).
void Raster_FillBox(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha, int mode);
