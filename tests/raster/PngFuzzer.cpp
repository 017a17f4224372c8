// Feeds arbitrary bytes to the PNG decoder: it must return a bitmap or null, never crash, leak
// or read outside the buffer.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "raster/Png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > size_t(INT_MAX)) return 0;
  std::unique_ptr<Raster_IBitmap> bitmap(Raster_PngFromMemory(data, int(size)));
  if (bitmap) {
    // Touch every pixel so that a bitmap smaller than it claims shows up.
    volatile uint32_t sum = 0;
    for (int y = 0; y < bitmap->PixelHeight(); ++y)
      for (int x = 0; x < bitmap->PixelWidth(); ++x) sum = sum + bitmap->PixelData()[y * bitmap->RowPixels() + x];
  }
  return 0;
}
