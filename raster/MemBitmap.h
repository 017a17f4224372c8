#pragma once

#include <cstdint>

#include "raster/Bitmap.h"

// A bitmap in heap memory. Rows are a multiple of 4 pixels long and start 64-byte aligned; the
// allocation only ever grows (by a quarter extra), so resizing back and forth does not reallocate.
class Raster_MemBitmap : public Raster_IBitmap {
 public:
  Raster_MemBitmap() = default;
  Raster_MemBitmap(int w, int h);
  ~Raster_MemBitmap() override;
  Raster_MemBitmap(const Raster_MemBitmap&) = delete;
  Raster_MemBitmap& operator=(const Raster_MemBitmap&) = delete;

  uint32_t* PixelData() override;
  int PixelWidth() override { return mWidth; }
  int PixelHeight() override { return mHeight; }
  int RowPixels() override { return (mWidth + mRowAlign) & ~mRowAlign; }
  bool SetSize(int w, int h) override;

 private:
  void* mRaw = nullptr;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mAllocated = 0;  // usable bytes behind the aligned start
  int32_t mRowAlign = 3;
};
