// The system path of Raster_CachedFont on Windows: DrawText into the destination's device context.
#include "raster/Raster_CachedFont.h"

#include "editor/IBounds.h"
#include "raster/Bitmap.h"
#include "raster/Blit.h"
#include "raster/Raster_TextScratch.h"
#include "raster/Raster_Utf8.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// The text as the system wants it: wide when it holds UTF-8 sequences, otherwise (or when the strict
// conversion refuses it) the 8-bit bytes as they are.
class SystemText {
public:
  SystemText(const char* text, int length) : mText(text), mLength(length)
  {
    if (length <= 0 || !Raster_HasUtf8Sequence(text, length)) return;
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (wideLength <= 0) return;
    WCHAR* buffer = mStack;
    if (wideLength >= 1000) {
      mHeap.resize(static_cast<size_t>(wideLength) + 32);
      buffer = mHeap.data();
    }
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, buffer, wideLength) == wideLength) {
      mWide = buffer;
      mLength = wideLength;
    }
  }
  SystemText(const SystemText&) = delete;
  SystemText& operator=(const SystemText&) = delete;

  int Draw(HDC dc, RECT* box, UINT format) const
  {
    return mWide ? DrawTextW(dc, mWide, mLength, box, format) : DrawTextA(dc, mText, mLength, box, format);
  }

private:
  const char* mText;
  int mLength;
  const WCHAR* mWide = nullptr;
  WCHAR mStack[1024];
  std::vector<WCHAR> mHeap;
};

COLORREF SystemColour(uint32_t colour)
{
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

RECT ToRect(const IBounds& bounds, int dx, int dy)
{
  return RECT{bounds.left + dx, bounds.top + dy, bounds.right + dx, bounds.bottom + dy};
}

}  // namespace

int Raster_CachedFont::DrawNative(Raster_IBitmap* dest, const char* text, int length, IBounds* rect, int flags)
{
  const SystemText systemText(text, length);
  // Our own flag bits mean nothing to the system; ampersands are text, not mnemonics.
  const UINT format = static_cast<UINT>(flags & ~(kTextUseInkAlpha | kTextNeedAlpha)) | DT_NOPREFIX;
  const bool measure = (flags & kTextMeasure) != 0;

  auto drawInto = [&](HDC dc, int dx, int dy) {
    const HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(mSystemFont));
    SetTextColor(dc, SystemColour(mInkColour));
    SetBkMode(dc, mPaperMode);
    if (mPaperMode == kPaperOpaque) SetBkColor(dc, SystemColour(mPaperColour));
    RECT box = ToRect(*rect, dx, dy);
    const int result = systemText.Draw(dc, &box, format);
    if (measure) *rect = IBounds(box.left - dx, box.top - dy, box.right - dx, box.bottom - dy);
    SelectObject(dc, previous);
    GdiFlush();
    return result;
  };

  HDC dc = dest ? static_cast<HDC>(dest->DeviceContext()) : nullptr;
  if (dc) return drawInto(dc, 0, 0);

  // No device context of its own: measure on the transfer bitmap, or draw there over a copy of the
  // destination's area and copy the area back.
  if (measure) {
    Raster_IBitmap* transfer = Raster_TextTransferBitmap(4, 4);
    return transfer ? drawInto(static_cast<HDC>(transfer->DeviceContext()), 0, 0) : 0;
  }
  IBounds area(0, 0, dest->PixelWidth(), dest->PixelHeight());
  if (!(flags & kTextNoClip))
    area = IBounds(std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, area.right),
                   std::min(rect->bottom, area.bottom));
  if (area.right <= area.left || area.bottom <= area.top) return 0;
  Raster_IBitmap* transfer = Raster_TextTransferBitmap(area.Width(), area.Height());
  if (!transfer) return 0;
  Raster_Composite(transfer, dest, 0, 0, &area, 1.0f, 0);
  const int result = drawInto(static_cast<HDC>(transfer->DeviceContext()), -area.left, -area.top);
  const IBounds drawn(0, 0, area.Width(), area.Height());
  Raster_Composite(dest, transfer, area.left, area.top, &drawn, 1.0f, 0);
  return result;
}
