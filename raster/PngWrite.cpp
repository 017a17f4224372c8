#include "raster/Png.h"

#include <png.h>

bool Raster_WritePng(Raster_IBitmap* bitmap, const char* path)
{
  if (!bitmap || !path || !bitmap->PixelData() || bitmap->PixelWidth() < 1 || bitmap->PixelHeight() < 1) return false;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap->PixelWidth());
  image.height = static_cast<png_uint_32>(bitmap->PixelHeight());
  image.format = PNG_FORMAT_BGRA;  // the pixel word's bytes as they lie in memory
  // A negative stride tells the writer the first stored row is the image's last.
  const png_int_32 stride = bitmap->RowPixels() * 4;
  const bool ok = png_image_write_to_file(&image, path, 0, bitmap->PixelData(), bitmap->RowsBottomUp() ? -stride : stride,
                                          nullptr) != 0;
  png_image_free(&image);
  return ok;
}
