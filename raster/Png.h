#pragma once

#include "raster/Bitmap.h"

// Decodes a PNG held in memory into a new memory bitmap (straight alpha, 8 bits per channel,
// opaque alpha for images without transparency). Null on any failure. The caller owns the result.
Raster_IBitmap* Raster_PngFromMemory(const void* data, int length);

// Decodes the image resource of type "PNG" with the given number (low 16 bits) of a module:
// the library's own module on Windows; elsewhere the images embedded in the build, whatever the
// module. Null when there is no such resource or it does not decode. The caller owns the result.
Raster_IBitmap* Raster_PngFromResource(void* module, int resourceId);

// Writes the bitmap to a PNG file (8-bit RGBA, straight alpha). False when the bitmap has no pixels
// or the file cannot be written.
bool Raster_WritePng(Raster_IBitmap* bitmap, const char* path);
