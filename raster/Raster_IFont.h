#pragma once

#include <cstdint>

class Raster_IBitmap;
struct IBounds;

// A font wrapping a system font: draws and measures UTF-8 text into bitmaps.
class Raster_IFont {
public:
  // Font flags.
  enum : int {
    kFontOwnsSystemFont = 0x200,  // the font deletes its system font when replaced or destroyed
    kFontRenderNatively = 0x400,  // let the system draw when it can
  };

  // Paper modes (the system's values).
  enum : int { kPaperTransparent = 1, kPaperOpaque = 2 };

  // Drawing flags of DrawTextRun; the low ones are the system's text-drawing values.
  enum : uint32_t {
    kTextCentre = 0x1,
    kTextRight = 0x2,
    kTextVCentre = 0x4,
    kTextBottom = 0x8,
    kTextSingleLine = 0x20,
    kTextNoClip = 0x100,
    kTextMeasure = 0x400,           // set rect to the text's extent, draw nothing
    kTextUseInkAlpha = 0x40000000,  // draw at the ink colour's opacity
    kTextNeedAlpha = 0x80000000,    // never let the system draw
  };

  virtual ~Raster_IFont() = default;
  virtual void AttachSystemFont(void* systemFont, int flags) = 0;
  virtual uint32_t SetInkColour(uint32_t colour) = 0;
  virtual uint32_t SetPaperColour(uint32_t colour) = 0;
  virtual uint32_t SetEffectColour(uint32_t colour) = 0;
  virtual int SetPaperMode(int mode) = 0;
  virtual void SetBlend(int mode, float alpha) = 0;
  // Draws (or with kTextMeasure measures) `length` bytes of UTF-8, or up to the NUL when length is -1.
  // Returns the height of the text.
  virtual int DrawTextRun(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags) = 0;
  virtual uint32_t InkColour() = 0;
  virtual void* SystemFont() = 0;
  virtual int LineHeight() = 0;
};
