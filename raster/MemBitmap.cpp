#include "raster/MemBitmap.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
constexpr uintptr_t kAlignSlack = 63;  // room to round the start up to 64 bytes

// Byte counts beyond what the int32 size fields can describe count as failed allocations.
constexpr int64_t kMaxBytes = std::numeric_limits<int32_t>::max() - int64_t(kAlignSlack);
}  // namespace

Raster_MemBitmap::Raster_MemBitmap(int w, int h) {
  if (w > 0 && h > 0) SetSize(w, h);
}

Raster_MemBitmap::~Raster_MemBitmap() { std::free(mRaw); }

uint32_t* Raster_MemBitmap::PixelData() {
  if (!mRaw) return nullptr;
  return reinterpret_cast<uint32_t*>((reinterpret_cast<uintptr_t>(mRaw) + kAlignSlack) & ~kAlignSlack);
}

bool Raster_MemBitmap::SetSize(int w, int h) {
  if (w == mWidth && h == mHeight) return false;
  mWidth = w;
  mHeight = h;
  const int64_t needed = int64_t(h) * RowPixels() * 4;
  if (needed > 0 && w > 0 && h > 0 && needed <= kMaxBytes) {
    if (!mRaw) {
      mRaw = std::malloc(size_t(needed) + kAlignSlack);
      mAllocated = mRaw ? int32_t(needed) : 0;
    } else if (mAllocated < needed) {
      const int64_t grown = std::min(needed / 4 * 5, kMaxBytes);
      if (void* moved = std::realloc(mRaw, size_t(grown) + kAlignSlack)) {
        mRaw = moved;
        mAllocated = int32_t(grown);
      } else {
        std::free(mRaw);
        mRaw = std::malloc(size_t(needed) + kAlignSlack);
        mAllocated = mRaw ? int32_t(needed) : 0;
      }
    }
  } else {
    std::free(mRaw);
    mRaw = nullptr;
    mAllocated = 0;
  }
  if (!mRaw) mWidth = mHeight = 0;
  return true;
}
