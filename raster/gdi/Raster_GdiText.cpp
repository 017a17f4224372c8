// GDI side of text: system fonts are HFONTs; glyphs are drawn with DrawTextW on the glyph surface's
// device context.
#include "raster/Raster_SystemText.h"

#include "editor/ITextStyle.h"
#include "raster/Bitmap.h"

#include <windows.h>

namespace {

DWORD GdiQuality(int quality)
{
  switch (quality) {
    case kQualityNonAntialiased: return NONANTIALIASED_QUALITY;
    case kQualityAntialiased: return ANTIALIASED_QUALITY;
    case kQualityClearType: return CLEARTYPE_QUALITY;
    default: return DEFAULT_QUALITY;
  }
}

// Selects a font into the surface's device context for the length of one operation.
class FontSelection {
public:
  FontSelection(void* systemFont, Raster_IBitmap* surface)
      : mDc(static_cast<HDC>(surface->DeviceContext())),
        mPrevious(mDc ? SelectObject(mDc, static_cast<HFONT>(systemFont)) : nullptr)
  {
  }
  ~FontSelection()
  {
    if (mDc) SelectObject(mDc, mPrevious);
  }
  FontSelection(const FontSelection&) = delete;
  FontSelection& operator=(const FontSelection&) = delete;

  HDC Dc() const { return mDc; }

private:
  HDC mDc;
  HGDIOBJ mPrevious;
};

}  // namespace

void* Raster_CreateSystemFont(const char* face, int cellHeight, int style, int orientation, int quality)
{
  return CreateFontA(cellHeight, 0, orientation * 10, orientation * 10, style == kFontBold ? FW_BOLD : FW_NORMAL,
                     style == kFontItalic, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     GdiQuality(quality), DEFAULT_PITCH | FF_DONTCARE, face);
}

void Raster_DeleteSystemFont(void* systemFont)
{
  DeleteObject(static_cast<HFONT>(systemFont));
}

void Raster_PrepareGlyphSurface(Raster_IBitmap* surface)
{
  HDC dc = static_cast<HDC>(surface->DeviceContext());
  if (!dc) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 0));
}

int Raster_SystemFontLineHeight(void* systemFont, Raster_IBitmap* surface)
{
  FontSelection selection(systemFont, surface);
  TEXTMETRICW metrics;
  if (!selection.Dc() || !GetTextMetricsW(selection.Dc(), &metrics)) return 0;
  return metrics.tmHeight;
}

void Raster_MeasureGlyph(void* systemFont, Raster_IBitmap* surface, int code, int* width, int* height)
{
  FontSelection selection(systemFont, surface);
  const WCHAR character = static_cast<WCHAR>(code);
  RECT box = {0, 0, 0, 0};
  if (selection.Dc()) DrawTextW(selection.Dc(), &character, 1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  *width = box.right - box.left;
  *height = box.bottom - box.top;
}

void Raster_DrawGlyph(void* systemFont, Raster_IBitmap* surface, int code)
{
  FontSelection selection(systemFont, surface);
  if (!selection.Dc()) return;
  const WCHAR character = static_cast<WCHAR>(code);
  RECT box = {0, 0, surface->PixelWidth(), surface->PixelHeight()};
  DrawTextW(selection.Dc(), &character, 1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  // The coverage is read straight from the section's memory next.
  GdiFlush();
}
