#include "raster/SysBitmap.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

Raster_SysBitmap::Raster_SysBitmap(int w, int h) {
#ifdef _WIN32
  mDeviceContext = CreateCompatibleDC(nullptr);
#endif
  SetSize(w, h);
}

Raster_SysBitmap::~Raster_SysBitmap() {
  DeleteSection();
#ifdef _WIN32
  if (mDeviceContext) DeleteDC(static_cast<HDC>(mDeviceContext));
#endif
}

bool Raster_SysBitmap::SetSize(int w, int h) {
#ifdef _WIN32
  if (!mDeviceContext) {
    mWidth = mHeight = 0;
    mPixels = nullptr;
    return false;
  }
#endif
  if (w == mWidth && h == mHeight) return false;
  mWidth = w;
  mHeight = h;
  if (w > 0 && h > 0 && mSection && mAllocWidth >= w && mAllocHeight >= h) return true;

  mAllocWidth = (w + 3) & ~3;
  mAllocHeight = h;
  DeleteSection();
  if (mAllocWidth < 1 || h < 1) {
    // Without a section there are no pixels to point at.
    mWidth = mHeight = mAllocWidth = mAllocHeight = 0;
    return false;
  }
  if (!CreateSection(mAllocWidth, h)) mWidth = mHeight = mAllocWidth = mAllocHeight = 0;
  return true;
}

#ifdef _WIN32

bool Raster_SysBitmap::CreateSection(int w, int h) {
  if (int64_t(w) * h * 4 > INT32_MAX) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(static_cast<HDC>(mDeviceContext), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    return false;
  }
  mSection = section;
  mPreviousObject = SelectObject(static_cast<HDC>(mDeviceContext), section);
  mPixels = static_cast<uint32_t*>(bits);
  return true;
}

void Raster_SysBitmap::DeleteSection() {
  if (mSection) {
    SelectObject(static_cast<HDC>(mDeviceContext), static_cast<HGDIOBJ>(mPreviousObject));
    DeleteObject(static_cast<HGDIOBJ>(mSection));
  }
  mSection = nullptr;
  mPreviousObject = nullptr;
  mPixels = nullptr;
}

#else

bool Raster_SysBitmap::CreateSection(int w, int h) {
  const int64_t bytes = int64_t(w) * h * 4;
  if (bytes > INT32_MAX) return false;
  mSection = std::calloc(size_t(bytes), 1);
  mPixels = static_cast<uint32_t*>(mSection);
  return mSection != nullptr;
}

void Raster_SysBitmap::DeleteSection() {
  std::free(mSection);
  mSection = nullptr;
  mPixels = nullptr;
}

#endif
