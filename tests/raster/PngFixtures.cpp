#include "tests/raster/PngFixtures.h"

#include <csetjmp>

namespace {

int ChannelsOf(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
  }
}

// Samples packed the way PNG stores them: big-endian 16-bit, most significant bits first below 8.
std::vector<png_byte> PackRows(const PngImage& image) {
  const int perRow = image.width * ChannelsOf(image.colourType);
  const size_t rowBytes = (size_t(perRow) * image.bitDepth + 7) / 8;
  std::vector<png_byte> packed(rowBytes * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    png_byte* row = &packed[y * rowBytes];
    for (int i = 0; i < perRow; ++i) {
      const unsigned value = image.samples.at(size_t(y) * perRow + i);
      if (image.bitDepth == 16) {
        row[2 * i] = png_byte(value >> 8);
        row[2 * i + 1] = png_byte(value);
      } else if (image.bitDepth == 8) {
        row[i] = png_byte(value);
      } else {
        const int bit = i * image.bitDepth;
        row[bit / 8] |= png_byte(value << (8 - image.bitDepth - bit % 8));
      }
    }
  }
  return packed;
}

void Append(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

bool Write(png_structp png, png_infop info, const PngImage& image, std::vector<png_bytep>& rows,
           std::vector<uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty()) png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
  if (!image.paletteAlpha.empty()) {
    png_set_tRNS(png, info, image.paletteAlpha.data(), int(image.paletteAlpha.size()), nullptr);
  }
  if (!image.transparentKey.empty()) {
    png_color_16 key = {};
    key.gray = image.transparentKey[0];
    if (image.transparentKey.size() == 3) {
      key.red = image.transparentKey[0];
      key.green = image.transparentKey[1];
      key.blue = image.transparentKey[2];
    }
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngImage& image) {
  std::vector<png_byte> packed = PackRows(image);
  const size_t rowBytes = packed.size() / image.height;
  std::vector<png_bytep> rows;
  for (int y = 0; y < image.height; ++y) rows.push_back(&packed[y * rowBytes]);

  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool written = info && Write(png, info, image, rows, out);
  png_destroy_write_struct(&png, &info);
  if (!written) out.clear();
  return out;
}
