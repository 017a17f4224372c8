#pragma once

#include <cstdint>

#include "raster/Bitmap.h"

// A bitmap the system can draw into as well: on Windows a 32-bit top-down DIB section selected
// into its own memory device context (text drawing and the window transfer work on the same
// pixels); elsewhere the same section logic over heap memory, without a device context.
// The section never shrinks: a smaller size reuses it with the larger row distance.
class Raster_SysBitmap : public Raster_IBitmap {
 public:
  Raster_SysBitmap(int w = 0, int h = 0);
  ~Raster_SysBitmap() override;
  Raster_SysBitmap(const Raster_SysBitmap&) = delete;
  Raster_SysBitmap& operator=(const Raster_SysBitmap&) = delete;

  uint32_t* PixelData() override { return mPixels; }
  int PixelWidth() override { return mWidth; }
  int PixelHeight() override { return mHeight; }
  int RowPixels() override { return mAllocWidth; }
  bool SetSize(int w, int h) override;
  void* DeviceContext() override { return mDeviceContext; }

 private:
  bool CreateSection(int w, int h);  // sets mPixels, or leaves it null on failure
  void DeleteSection();

  int32_t mWidth = 0;
  int32_t mHeight = 0;
  void* mDeviceContext = nullptr;
  uint32_t* mPixels = nullptr;
  int32_t mAllocWidth = 0;
  int32_t mAllocHeight = 0;
  void* mSection = nullptr;
#ifdef _WIN32
  void* mPreviousObject = nullptr;  // what the device context held before the section
#endif
};
