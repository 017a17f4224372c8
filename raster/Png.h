#pragma once

#include "raster/Bitmap.h"

// Decodes a PNG held in memory into a new memory bitmap (straight alpha, 8 bits per channel,
// opaque alpha for images without transparency). Null on any failure. The caller owns the result.
Raster_IBitmap* Raster_PngFromMemory(const void* data, int length);
