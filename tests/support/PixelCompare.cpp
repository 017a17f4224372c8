#include "tests/support/PixelCompare.h"

#include "raster/Bitmap.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

uint32_t PixelAt(Raster_IBitmap& bitmap, int x, int y)
{
  const int row = bitmap.RowsBottomUp() ? bitmap.PixelHeight() - 1 - y : y;
  return bitmap.PixelData()[static_cast<size_t>(row) * static_cast<size_t>(bitmap.RowPixels()) + static_cast<size_t>(x)];
}

bool ColoursDiffer(uint32_t a, uint32_t b, int tolerance)
{
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFFu), cb = static_cast<int>((b >> shift) & 0xFFu);
    if (std::abs(ca - cb) > tolerance) return true;
  }
  return false;
}

bool Excluded(const std::vector<IBounds>& excluded, int x, int y)
{
  return std::any_of(excluded.begin(), excluded.end(), [x, y](const IBounds& r) { return r.Contains(x, y); });
}

}  // namespace

std::string PixelDifference::Describe() const
{
  char text[160];
  if (!sameSize)
    std::snprintf(text, sizeof text, "the pictures differ in size");
  else if (count == 0)
    std::snprintf(text, sizeof text, "no differing pixels");
  else
    std::snprintf(text, sizeof text, "%d differing pixels, the first at (%d, %d): expected %08X, got %08X", count,
                  firstX, firstY, static_cast<unsigned>(expected), static_cast<unsigned>(actual));
  return text;
}

PixelDifference ComparePixels(Raster_IBitmap& expected, Raster_IBitmap& actual, const std::vector<IBounds>& excluded,
                              int tolerance)
{
  PixelDifference result;
  const int w = expected.PixelWidth(), h = expected.PixelHeight();
  if (w != actual.PixelWidth() || h != actual.PixelHeight() || (w * h > 0 && (!expected.PixelData() || !actual.PixelData()))) {
    result.sameSize = false;
    return result;
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t e = PixelAt(expected, x, y), a = PixelAt(actual, x, y);
      if (!ColoursDiffer(e, a, tolerance) || Excluded(excluded, x, y)) continue;
      if (result.count++ == 0) {
        result.firstX = x;
        result.firstY = y;
        result.expected = e;
        result.actual = a;
      }
    }
  }
  return result;
}

int CountInk(Raster_IBitmap& image, Raster_IBitmap& background, const IBounds& rect, int tolerance)
{
  if (!image.PixelData() || !background.PixelData()) return 0;
  const int right = std::min({rect.right, image.PixelWidth(), background.PixelWidth()});
  const int bottom = std::min({rect.bottom, image.PixelHeight(), background.PixelHeight()});
  int ink = 0;
  for (int y = std::max(rect.top, 0); y < bottom; ++y)
    for (int x = std::max(rect.left, 0); x < right; ++x)
      if (ColoursDiffer(PixelAt(image, x, y), PixelAt(background, x, y), tolerance)) ++ink;
  return ink;
}
