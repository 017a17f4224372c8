#include <png.h>

#include <cstdlib>
#include <cstring>

#include "raster/MemBitmap.h"
#include "raster/Png.h"

namespace {

const png_byte kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct MemoryReader {
  const png_byte* data;
  size_t length;
  size_t position;
};

// Running out of data is not an error here: libpng is served zeros and fails on its own checks.
void ReadFromMemory(png_structp png, png_bytep out, size_t wanted) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::memset(out, 0, wanted);
  const size_t available = reader->length - reader->position;
  const size_t count = wanted < available ? wanted : available;
  std::memcpy(out, reader->data + reader->position, count);
  reader->position += count;
}

// Everything a decode owns. libpng reports errors by longjmp, which skips destructors, so the
// resources live here, outside the function that calls setjmp, and are released by its caller.
struct Decode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  Raster_MemBitmap* bitmap = nullptr;
  png_bytep* rows = nullptr;
  MemoryReader reader = {};

  ~Decode() {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::free(rows);
    delete bitmap;
  }
};

// Asks libpng for 8-bit alpha, red, green, blue samples whatever the stored format.
void RequestArgb(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    hasAlpha = true;
  }
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (hasAlpha) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Runs libpng over the reader into a new bitmap; false when libpng gave up.
bool ReadImage(Decode& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_set_read_fn(d.png, &d.reader, ReadFromMemory);
  png_read_info(d.png, d.info);
  RequestArgb(d.png, d.info);

  const png_uint_32 width = png_get_image_width(d.png, d.info);
  const png_uint_32 height = png_get_image_height(d.png, d.info);
  // libpng limits both sides to 2^31 - 1 and the transformations above yield 4 bytes per pixel.
  if (png_get_rowbytes(d.png, d.info) != size_t(width) * 4) return false;
  d.bitmap = new Raster_MemBitmap(int(width), int(height));
  if (png_uint_32(d.bitmap->PixelWidth()) != width || png_uint_32(d.bitmap->PixelHeight()) != height) return false;

  d.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!d.rows) return false;
  auto* first = reinterpret_cast<png_bytep>(d.bitmap->PixelData());
  const size_t rowBytes = size_t(d.bitmap->RowPixels()) * 4;
  for (png_uint_32 y = 0; y < height; ++y) d.rows[y] = first + y * rowBytes;
  png_read_image(d.png, d.rows);
  return true;
}

// Bytes as read (alpha, red, green, blue) become packed pixel words.
void PackPixels(Raster_MemBitmap& bitmap) {
  const int width = bitmap.PixelWidth();
  for (int y = 0; y < bitmap.PixelHeight(); ++y) {
    uint32_t* row = bitmap.PixelData() + size_t(y) * bitmap.RowPixels();
    const auto* bytes = reinterpret_cast<const png_byte*>(row);
    for (int x = 0; x < width; ++x, bytes += 4) {
      row[x] = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    }
  }
}

}  // namespace

Raster_IBitmap* Raster_PngFromMemory(const void* data, int length) {
  if (!data || length < 8 || std::memcmp(data, kSignature, sizeof(kSignature)) != 0) return nullptr;
  Decode d;
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!d.png) return nullptr;
  d.info = png_create_info_struct(d.png);
  if (!d.info) return nullptr;
  d.reader = {static_cast<const png_byte*>(data), size_t(length), 0};
  if (!ReadImage(d)) return nullptr;

  Raster_MemBitmap* bitmap = d.bitmap;
  d.bitmap = nullptr;
  PackPixels(*bitmap);
  return bitmap;
}
