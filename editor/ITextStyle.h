#pragma once

#include <cstdint>

#include "editor/IRgba.h"

class Raster_CachedFont;

enum EFontStyle : int32_t { kFontNormal = 0, kFontBold = 1, kFontItalic = 2 };
enum ETextAlign : int32_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };
enum ETextQuality : int32_t {
  kQualityDefault = 0,
  kQualityNonAntialiased = 1,
  kQualityAntialiased = 2,
  kQualityClearType = 3,
};

// How a text is drawn, and the colours of an in-place entry opened for it. Copied by value into
// every control that draws text, borrowed font pointer included.
struct ITextStyle {
  char name[32] = "Arial";
  int32_t size = 12;  // character-cell height in pixels
  IRgba colour = kColourBlack;
  IRgba entryBackground = kColourWhite;
  IRgba entryText = kColourBlack;
  int32_t style = kFontNormal;
  int32_t align = kAlignCentre;
  int32_t orientation = 0;  // whole degrees, counter-clockwise
  int32_t quality = kQualityDefault;
  Raster_CachedFont* font = nullptr;  // owned by the process-wide font cache, set on first draw
};
