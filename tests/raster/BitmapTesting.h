#pragma once

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

// A bitmap that stores its rows bottom-up (as some system bitmaps do), with a row distance wider
// than the image, so that blits must honour both.
class BottomUpBitmap : public Raster_IBitmap {
 public:
  BottomUpBitmap(int w, int h) : mWidth(w), mHeight(h), mPixels(size_t(RowPixels()) * h) {}
  uint32_t* PixelData() override { return mPixels.data(); }
  int PixelWidth() override { return mWidth; }
  int PixelHeight() override { return mHeight; }
  int RowPixels() override { return mWidth + 3; }
  bool RowsBottomUp() override { return true; }
  bool SetSize(int, int) override { return false; }

 private:
  int mWidth, mHeight;
  std::vector<uint32_t> mPixels;
};

// Pixel (x, y) of the image, wherever its row is stored.
inline uint32_t& PixelAt(Raster_IBitmap& bitmap, int x, int y) {
  const int row = bitmap.RowsBottomUp() ? bitmap.PixelHeight() - 1 - y : y;
  return bitmap.PixelData()[size_t(row) * bitmap.RowPixels() + x];
}

inline void FillWith(Raster_IBitmap& bitmap, uint32_t value) {
  for (int y = 0; y < bitmap.PixelHeight(); ++y)
    for (int x = 0; x < bitmap.PixelWidth(); ++x) PixelAt(bitmap, x, y) = value;
}

// Every pixel tells where it is: 0xff00yyxx.
inline void FillWithCoordinates(Raster_IBitmap& bitmap) {
  for (int y = 0; y < bitmap.PixelHeight(); ++y)
    for (int x = 0; x < bitmap.PixelWidth(); ++x) PixelAt(bitmap, x, y) = 0xff000000u | uint32_t(y) << 8 | uint32_t(x);
}
