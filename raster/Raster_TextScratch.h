#pragma once

// Process-wide scratch bitmaps of the text renderer, shared by every cached font and deleted when
// the last one goes.

class Raster_IBitmap;

// The glyph surface, created on first need and grown (and prepared for white-on-black drawing) to
// at least side x side pixels. Null when it cannot be had.
Raster_IBitmap* Raster_TextGlyphSurface(int side);

// The transfer bitmap for system drawing into destinations without a device context, created on
// first need with at least width x height (and at least 4 x 4) pixels.
Raster_IBitmap* Raster_TextTransferBitmap(int width, int height);

void Raster_TextFontCreated();
void Raster_TextFontDestroyed();
int Raster_TextLiveFonts();
