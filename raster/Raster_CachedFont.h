#pragma once

#include "raster/Raster_GlyphCache.h"
#include "raster/Raster_IFont.h"

#include <cstdint>

// A font that draws either through the system (Windows, opaque ink) or from its own cache of glyph
// coverage masks, rendered once per character with the system font and composited here.
class Raster_CachedFont : public Raster_IFont {
public:
  // A destination answering this extension query with non-zero wants the glyph cache.
  enum : int { kQueryWantsCachedText = 0x59555678 };

  Raster_CachedFont();
  ~Raster_CachedFont() override;
  Raster_CachedFont(const Raster_CachedFont&) = delete;
  Raster_CachedFont& operator=(const Raster_CachedFont&) = delete;

  void AttachSystemFont(void* systemFont, int flags) override;
  uint32_t SetInkColour(uint32_t colour) override;
  uint32_t SetPaperColour(uint32_t colour) override;
  uint32_t SetEffectColour(uint32_t colour) override;
  int SetPaperMode(int mode) override;
  void SetBlend(int mode, float alpha) override;
  int DrawTextRun(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags) override;
  uint32_t InkColour() override { return mInkColour; }
  void* SystemFont() override { return mSystemFont; }
  int LineHeight() override { return mLineHeight; }
  // Composites the cached mask of one character with its top-left corner at (x, y), limited to
  // `clip` (the whole destination when null). False when the character has no mask or nothing shows.
  virtual bool PaintGlyph(Raster_IBitmap* dest, int code, int x, int y, const IBounds* clip);

  // The cache record of a character, or null when it was never asked for.
  const Raster_GlyphRecord* FindGlyph(int code) const { return mGlyphs.Find(code); }
  // Fonts alive in the process; the shared scratch surfaces live while it is non-zero.
  static int LiveFonts();

private:
  bool RenderGlyph(int code);
  // The record of a code with its mask rendered on first use; null when it cannot be rendered.
  const Raster_GlyphRecord* GlyphFor(int code);
  int MeasureCached(const char* text, int length, IBounds* rect, int flags);
  int DrawCached(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags);
#ifdef _WIN32
  bool UsesNativePath(Raster_IBitmap* dest, int flags) const;
  int DrawNative(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags);
#endif

  uint32_t mInkColour = 0;
  uint32_t mPaperColour = 0xFFFFFFFF;
  uint32_t mEffectColour = 0xFFFFFFFF;
  int32_t mPaperMode = kPaperTransparent;
  int32_t mBlendMode = 0;
  float mBlendAlpha = 1.0f;
  int32_t mFontFlags = 0;
  int32_t mLineHeight = 0;
  Raster_GlyphCache mGlyphs;
  void* mSystemFont = nullptr;
};
