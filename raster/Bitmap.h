#pragma once

#include <cstdint>

// A 32-bit bitmap: each pixel is alpha << 24 | red << 16 | green << 8 | blue, straight alpha
// (bytes blue, green, red, alpha in memory). Row y of the image is storage row y, or storage
// row height - 1 - y when the rows are stored bottom-up.
class Raster_IBitmap {
 public:
  virtual ~Raster_IBitmap() = default;
  virtual uint32_t* PixelData() = 0;  // first pixel of the first storage row, or null
  virtual int PixelWidth() = 0;
  virtual int PixelHeight() = 0;
  virtual int RowPixels() = 0;  // distance between rows, in pixels
  virtual bool RowsBottomUp() { return false; }
  virtual bool SetSize(int w, int h) = 0;  // true when the size changed
  virtual void* DeviceContext() { return nullptr; }
  virtual intptr_t ExtraQuery(int /*id*/, void* /*data*/) { return 0; }
};
