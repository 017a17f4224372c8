#pragma once

// The operating system's side of text: creating system fonts and rendering single characters onto
// the glyph surface. GDI provides it on Windows (raster/gdi), FreeType with fontconfig elsewhere
// (raster/freetype). The glyph surface is drawn white on opaque black; a glyph's coverage is the red
// byte of its pixels.

class Raster_IBitmap;

// A system font of the given face, character-cell height in pixels, style (EFontStyle), rotation
// (whole degrees, counter-clockwise) and quality (ETextQuality); null when the system has none.
void* Raster_CreateSystemFont(const char* face, int cellHeight, int style, int orientation, int quality);
void Raster_DeleteSystemFont(void* systemFont);

// Makes a fresh or resized glyph surface draw white text on an opaque black background.
void Raster_PrepareGlyphSurface(Raster_IBitmap* surface);

// The character height of the font's text metrics (0 when unknown).
int Raster_SystemFontLineHeight(void* systemFont, Raster_IBitmap* surface);

// Measures one character as a single line: width is its pen advance, height the line height.
void Raster_MeasureGlyph(void* systemFont, Raster_IBitmap* surface, int code, int* width, int* height);

// Draws one character, unclipped, with its cell's top-left corner at the surface's origin.
void Raster_DrawGlyph(void* systemFont, Raster_IBitmap* surface, int code);
