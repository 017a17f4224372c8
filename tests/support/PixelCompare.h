#pragma once
// Comparing what a window shows with what was expected: two pictures pixel for pixel outside the
// areas where they may differ (text drawn by different font engines), and whether an area carries
// ink over a known background. Colours only: alpha is ignored, a window's pixels are opaque.

#include "editor/IBounds.h"

#include <cstdint>
#include <string>
#include <vector>

class Raster_IBitmap;

struct PixelDifference {
  bool sameSize = true;
  int count = 0;  // differing pixels outside the excluded rectangles
  int firstX = -1, firstY = -1;  // the first of them in reading order
  uint32_t expected = 0, actual = 0;  // their colours there

  bool Equal() const { return sameSize && count == 0; }
  // For test messages: the count and the first difference, or the two sizes.
  std::string Describe() const;
};

// Pixels whose red, green or blue differ by more than `tolerance`, outside `excluded`.
PixelDifference ComparePixels(Raster_IBitmap& expected, Raster_IBitmap& actual,
                              const std::vector<IBounds>& excluded = {}, int tolerance = 0);

// Pixels of `rect` in `image` that differ from the same pixels of `background` by more than
// `tolerance` in any colour channel: the ink drawn there. Parts of rect outside either picture
// count as no ink.
int CountInk(Raster_IBitmap& image, Raster_IBitmap& background, const IBounds& rect, int tolerance = 0);
