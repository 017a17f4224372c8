// Text drawing and measuring through the process-wide font cache.
#include "editor/IGraphics.h"

#include "editor/EditorCaches.h"
#include "raster/Raster_CachedFont.h"
#include "raster/Raster_SystemText.h"
#include "raster/SysBitmap.h"

bool IGraphics::RenderText(ITextStyle* style, const char* text, IBounds* rect, bool measure)
{
  if (!text || !text[0]) return true;
  if (!style || !rect) return false;
  Raster_CachedFont* font = style->font ? style->font : FindOrCreateFont(style);
  if (!font) return false;
  font->SetInkColour(style->colour.Packed());

  int flags = Raster_IFont::kTextSingleLine | Raster_IFont::kTextVCentre | Raster_IFont::kTextNoClip;
  if (style->colour.alpha < 255) flags |= Raster_IFont::kTextUseInkAlpha;
  if (style->align == kAlignCentre)
    flags |= Raster_IFont::kTextCentre;
  else if (style->align != kAlignLeft)
    flags |= Raster_IFont::kTextRight;

  if (!measure) {
    if (!EnsureBackBuffer()) return false;
    IBounds area = *rect;
    font->DrawTextRun(mBackBuffer, text, -1, &area, flags);
    return true;
  }

  IBounds extent;
  font->DrawTextRun(EnsureBackBuffer(), text, -1, &extent, flags | Raster_IFont::kTextMeasure);
  const int32_t w = extent.Width(), h = extent.Height();
  if (style->align == kAlignLeft) {
    rect->right = rect->left + w;
  } else if (style->align == kAlignCentre) {
    const int32_t cx = (rect->left + rect->right) / 2;
    rect->left = cx - w / 2;
    rect->right = rect->left + w;
  } else {
    rect->left = rect->right - w;
  }
  rect->bottom = rect->top + h;
  return true;
}

Raster_CachedFont* IGraphics::FindOrCreateFont(ITextStyle* style)
{
  if (!style) return nullptr;
  PlugMutexLock hold(FontCache::Lock());
  Raster_CachedFont* font = FontCache::Find(*style);
  if (!font) {
    void* systemFont =
        Raster_CreateSystemFont(style->name, style->size, style->style, style->orientation, style->quality);
    // Without a system font the text stays undrawn; the next drawing tries again.
    if (!systemFont) return nullptr;
    font = new Raster_CachedFont;
    font->AttachSystemFont(systemFont, Raster_IFont::kFontOwnsSystemFont | Raster_IFont::kFontRenderNatively);
    if (!FontCache::Insert(*style, font)) return nullptr;
  }
  style->font = font;
  return font;
}
