#include "raster/Raster_CachedFont.h"

#include "editor/IBounds.h"
#include "raster/Bitmap.h"
#include "raster/Blit.h"
#include "raster/Raster_SystemText.h"
#include "raster/Raster_TextScratch.h"
#include "raster/Raster_Utf8.h"

#ifdef _WIN32
#include "raster/gdi/Raster_WineCheck.h"
#endif

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

#ifdef _WIN32
// Font flags this system never sets (vertical text, effects, precaching); a font carrying any of
// them is never drawn by the system.
constexpr int kFontFlagsAvoidingSystem = 0x4 | 0x1F3;
// Taller fonts do not fit the glyph surface and always draw through the system.
constexpr int kNativeOnlyLineHeight = 256;
#endif
constexpr int kMaxCachedLineHeight = 1023;

int Channel(uint32_t colour, int shift)
{
  return static_cast<int>((colour >> shift) & 0xFF);
}

// Walks UTF-8 text as both cached passes see it: carriage returns vanish, a line feed starts a new
// line or, in single-line mode, stands for a space.
class TextWalker {
public:
  TextWalker(const char* text, int length, bool singleLine) : mText(text), mLeft(length), mSingleLine(singleLine) {}

  // The next character to place, or -1 at the end; `newLine` is set for a line break.
  int Next(bool* newLine)
  {
    for (;;) {
      *newLine = false;
      if (mLeft <= 0) return -1;
      int code = 0;
      const int taken = Raster_DecodeUtf8(mText, mLeft, &code);
      mText += taken;
      mLeft -= taken;
      if (code == '\r') continue;
      if (code == '\n') {
        if (mSingleLine) return ' ';
        *newLine = true;
      }
      return code;
    }
  }

private:
  const char* mText;
  int mLeft;
  bool mSingleLine;
};

}  // namespace

Raster_CachedFont::Raster_CachedFont()
{
  Raster_TextFontCreated();
}

Raster_CachedFont::~Raster_CachedFont()
{
  if ((mFontFlags & kFontOwnsSystemFont) && mSystemFont) Raster_DeleteSystemFont(mSystemFont);
  Raster_TextFontDestroyed();
}

int Raster_CachedFont::LiveFonts()
{
  return Raster_TextLiveFonts();
}

void Raster_CachedFont::AttachSystemFont(void* systemFont, int flags)
{
  if ((mFontFlags & kFontOwnsSystemFont) && mSystemFont && mSystemFont != systemFont)
    Raster_DeleteSystemFont(mSystemFont);
  mFontFlags = flags;
  mSystemFont = systemFont;
  mLineHeight = 0;
  if (mSystemFont) {
    Raster_IBitmap* surface = Raster_TextGlyphSurface(256);
    if (surface) mLineHeight = Raster_SystemFontLineHeight(mSystemFont, surface);
  }
  mGlyphs.Clear();
}

uint32_t Raster_CachedFont::SetInkColour(uint32_t colour)
{
  return std::exchange(mInkColour, colour);
}

uint32_t Raster_CachedFont::SetPaperColour(uint32_t colour)
{
  return std::exchange(mPaperColour, colour);
}

uint32_t Raster_CachedFont::SetEffectColour(uint32_t colour)
{
  return std::exchange(mEffectColour, colour);
}

int Raster_CachedFont::SetPaperMode(int mode)
{
  return std::exchange(mPaperMode, mode);
}

void Raster_CachedFont::SetBlend(int mode, float alpha)
{
  mBlendMode = mode;
  mBlendAlpha = alpha;
}

int Raster_CachedFont::DrawTextRun(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags)
{
  const bool measure = (flags & kTextMeasure) != 0;
  if ((!dest && !measure) || !rect) return 0;
  if (!text) text = "";
  if (length < 0) length = static_cast<int>(std::strlen(text));
  // The system leaves the rectangle as it was for an empty text; it measures 0 x 0 on every path.
  if (length == 0) {
    if (measure) *rect = IBounds(rect->left, rect->top, rect->left, rect->top);
    return 0;
  }
#ifdef _WIN32
  if (UsesNativePath(dest, flags)) return DrawNative(dest, text, length, rect, flags & ~kTextNeedAlpha);
#endif
  flags &= ~kTextNeedAlpha;
  if (measure) return MeasureCached(text, length, rect, flags);
  return DrawCached(dest, text, length, rect, flags);
}

#ifdef _WIN32
bool Raster_CachedFont::UsesNativePath(Raster_IBitmap* dest, int flags) const
{
  if (dest && dest->ExtraQuery(kQueryWantsCachedText, nullptr) != 0) return false;
  const bool systemSuitable = (mFontFlags & kFontRenderNatively) && mSystemFont && !(flags & kTextNeedAlpha) &&
                              !Raster_RunningUnderWine() && !(flags & kTextUseInkAlpha) &&
                              !(mFontFlags & kFontFlagsAvoidingSystem);
  return systemSuitable || mLineHeight >= kNativeOnlyLineHeight;
}
#endif

bool Raster_CachedFont::RenderGlyph(int code)
{
  if (!mSystemFont || mLineHeight > kMaxCachedLineHeight) return false;
  Raster_GlyphRecord* glyph = mGlyphs.FindOrAdd(code);
  if (!glyph) return false;
  Raster_IBitmap* surface = Raster_TextGlyphSurface(2 * std::max(mLineHeight, 1) + 8);
  if (!surface) return false;

  int w = 0, h = 0;
  Raster_MeasureGlyph(mSystemFont, surface, code, &w, &h);
  int boxWidth = w + (mLineHeight >= 16 ? mLineHeight / 16 : 0) + 2;
  Raster_FillBox(surface, 0, 0, boxWidth, h, 0xFF000000u, 1.0f, 0);
  Raster_DrawGlyph(mSystemFont, surface, code);
  w = std::min(w, surface->PixelWidth());
  boxWidth = std::min(boxWidth, surface->PixelWidth());
  h = std::min(h, surface->PixelHeight());

  if (w < 1 || h < 1) {
    *glyph = {Raster_GlyphRecord::kNoPixels, 0, 0, 0, glyph->code};
    return true;
  }

  const int offset = mGlyphs.MaskLength() + 1;
  uint8_t* mask = mGlyphs.GrowMasks(boxWidth * h);
  const uint32_t* pixels = surface->PixelData();
  const int rowPixels = surface->RowPixels();
  int rightmostInk = -1;
  for (int y = 0; y < h; ++y) {
    const int row = surface->RowsBottomUp() ? surface->PixelHeight() - 1 - y : y;
    const uint32_t* src = pixels + static_cast<std::ptrdiff_t>(row) * rowPixels;
    for (int x = 0; x < boxWidth; ++x) {
      const uint8_t coverage = static_cast<uint8_t>(Channel(src[x], 16));
      mask[y * boxWidth + x] = coverage;
      if (coverage && x >= w) rightmostInk = std::max(rightmostInk, x);
    }
  }
  const int maskWidth = std::min(std::max(rightmostInk + 1, w), boxWidth);
  if (maskWidth < boxWidth) {
    for (int y = 1; y < h; ++y) std::memmove(mask + y * maskWidth, mask + y * boxWidth, static_cast<size_t>(maskWidth));
    mGlyphs.ShrinkMasks(offset - 1 + maskWidth * h);
  }
  *glyph = {offset, maskWidth, h, w, glyph->code};
  return true;
}

const Raster_GlyphRecord* Raster_CachedFont::GlyphFor(int code)
{
  const Raster_GlyphRecord* glyph = mGlyphs.Find(code);
  if (!glyph || glyph->maskOffset == Raster_GlyphRecord::kNotRendered) {
    if (!RenderGlyph(code)) return nullptr;
    glyph = mGlyphs.Find(code);
  }
  return (glyph && glyph->maskOffset > 0) ? glyph : nullptr;
}

int Raster_CachedFont::MeasureCached(const char* text, int length, IBounds* rect, int flags)
{
  TextWalker walker(text, length, (flags & kTextSingleLine) != 0);
  int x = 0, y = 0, width = 0, height = 0;
  bool newLine = false;
  for (int code = walker.Next(&newLine); code >= 0; code = walker.Next(&newLine)) {
    if (newLine) {
      x = 0;
      y += mLineHeight;
      continue;
    }
    const Raster_GlyphRecord* glyph = GlyphFor(code);
    if (!glyph) continue;
    width = std::max({width, x + glyph->advance, x + glyph->maskWidth});
    height = std::max(height, y + glyph->maskHeight);
    x += glyph->advance;
  }
  rect->right = rect->left + width;
  rect->bottom = rect->top + height;
  return height;
}

int Raster_CachedFont::DrawCached(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags)
{
  const float savedAlpha = mBlendAlpha;
  struct RestoreAlpha {
    float& alpha;
    float saved;
    ~RestoreAlpha() { alpha = saved; }
  } restore{mBlendAlpha, savedAlpha};
  if (flags & kTextUseInkAlpha) {
    mBlendAlpha *= Channel(mInkColour, 24) / 255.0f;
    if (mBlendAlpha == 0.0f) return 0;
  }

  int startX = rect->left, startY = rect->top;
  if (flags & (kTextCentre | kTextRight | kTextVCentre | kTextBottom)) {
    IBounds extent = *rect;
    MeasureCached(text, length, &extent, flags & kTextSingleLine);
    const int w = extent.Width(), h = extent.Height();
    if (flags & kTextCentre)
      startX = rect->left + (rect->right - rect->left - w) / 2;
    else if (flags & kTextRight)
      startX = rect->right - w;
    if (flags & kTextVCentre)
      startY = rect->top + (rect->bottom - rect->top - h) / 2;
    else if (flags & kTextBottom)
      startY = rect->bottom - h;
  }

  const IBounds whole(0, 0, dest->PixelWidth(), dest->PixelHeight());
  IBounds clip = whole;
  if (!(flags & kTextNoClip))
    clip = IBounds(std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, whole.right),
                   std::min(rect->bottom, whole.bottom));
  if (clip.right <= clip.left || clip.bottom <= clip.top) return 0;

  TextWalker walker(text, length, (flags & kTextSingleLine) != 0);
  int x = startX, y = startY, bottom = startY;
  bool newLine = false;
  for (int code = walker.Next(&newLine); code >= 0; code = walker.Next(&newLine)) {
    if (newLine) {
      x = startX;
      y += mLineHeight;
      continue;
    }
    const Raster_GlyphRecord* glyph = GlyphFor(code);
    if (!glyph || !mGlyphs.HasMask(*glyph)) continue;
    bottom = std::max(bottom, y + glyph->maskHeight);
    PaintGlyph(dest, code, x, y, &clip);
    x += glyph->advance;
  }
  return bottom - startY;
}

bool Raster_CachedFont::PaintGlyph(Raster_IBitmap* dest, int code, int x, int y, const IBounds* clip)
{
  const Raster_GlyphRecord* glyph = mGlyphs.Find(code);
  if (!dest || !glyph || !mGlyphs.HasMask(*glyph)) return false;
  uint32_t* pixels = dest->PixelData();
  if (!pixels) return false;
  IBounds limit(0, 0, dest->PixelWidth(), dest->PixelHeight());
  if (clip)
    limit = IBounds(std::max(limit.left, clip->left), std::max(limit.top, clip->top),
                    std::min(limit.right, clip->right), std::min(limit.bottom, clip->bottom));
  const int left = std::max(x, limit.left), top = std::max(y, limit.top);
  const int right = std::min(x + glyph->maskWidth, limit.right);
  const int bottom = std::min(y + glyph->maskHeight, limit.bottom);
  if (right <= left || bottom <= top) return false;

  if (mPaperMode == kPaperOpaque)
    Raster_FillBox(dest, left, top, right - left, bottom - top, mPaperColour, mBlendAlpha, mBlendMode & ~kBlitUseSourceAlpha);

  // Only the copy operation is provided: the other blend modes are never asked of text.
  const int ia = static_cast<int>(mBlendAlpha * 256);
  if (ia <= 0) return true;
  const int ink[3] = {Channel(mInkColour, 0), Channel(mInkColour, 8), Channel(mInkColour, 16)};
  const uint8_t* mask = mGlyphs.Mask(*glyph);
  const int rowPixels = dest->RowPixels();
  for (int py = top; py < bottom; ++py) {
    const int row = dest->RowsBottomUp() ? dest->PixelHeight() - 1 - py : py;
    uint32_t* out = pixels + static_cast<std::ptrdiff_t>(row) * rowPixels;
    const uint8_t* coverage = mask + (py - y) * glyph->maskWidth + (left - x);
    for (int px = left; px < right; ++px) {
      const int m = *coverage++;
      if (m == 0) continue;
      const uint32_t d = out[px];
      const int da = Channel(d, 24);
      int weight, alpha;
      if (ia == 256) {
        weight = 255 - m;
        alpha = 255 - (255 - m) * (255 - da) / 256;
      } else {
        weight = 256 - std::min(ia * m / 256, 256);
        alpha = 255 - (255 - da) * weight / 256;
      }
      uint32_t result = static_cast<uint32_t>(alpha) << 24;
      for (int channel = 0; channel < 3; ++channel) {
        const int c = ink[channel];
        const int value = c + (Channel(d, channel * 8) - c) * weight / 256;
        result |= static_cast<uint32_t>(value) << (channel * 8);
      }
      out[px] = result;
    }
  }
  return true;
}
