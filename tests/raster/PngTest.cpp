#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "raster/Png.h"
#include "tests/raster/PngFixtures.h"

namespace {

using Bitmap = std::unique_ptr<Raster_IBitmap>;

Bitmap Decode(const std::vector<uint8_t>& file) { return Bitmap(Raster_PngFromMemory(file.data(), int(file.size()))); }

std::vector<uint32_t> PixelsOf(Raster_IBitmap& bitmap) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < bitmap.PixelHeight(); ++y)
    for (int x = 0; x < bitmap.PixelWidth(); ++x) pixels.push_back(bitmap.PixelData()[y * bitmap.RowPixels() + x]);
  return pixels;
}

struct DecodeCase {
  std::string name;
  PngImage image;
  std::vector<uint32_t> expected;
};

PngImage Image(int width, int height, int colourType, int bitDepth, std::vector<unsigned> samples) {
  PngImage image;
  image.width = width;
  image.height = height;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.samples = std::move(samples);
  return image;
}

PngImage PaletteWithTransparency() {
  PngImage image = Image(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2});
  image.palette = {{0x10, 0x20, 0x30}, {0xff, 0x00, 0x80}, {0x01, 0x02, 0x03}};
  image.paletteAlpha = {0x00, 0x80};  // entries past the chunk stay opaque
  return image;
}

PngImage GreyWithTransparentKey() {
  PngImage image = Image(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0x41});
  image.transparentKey = {0x40};
  return image;
}

PngImage RgbWithTransparentKey() {
  PngImage image = Image(2, 1, PNG_COLOR_TYPE_RGB, 16, {0x0100, 0x0200, 0x0300, 0xff00, 0x0000, 0x0000});
  image.transparentKey = {0x0100, 0x0200, 0x0300};
  return image;
}

// Nine by nine so that every Adam7 pass holds pixels; every pixel is distinct.
PngImage Interlaced() {
  PngImage image = Image(9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, {});
  for (unsigned y = 0; y < 9; ++y)
    for (unsigned x = 0; x < 9; ++x) image.samples.insert(image.samples.end(), {x * 20, y * 20, x + y, 255 - x});
  image.interlaced = true;
  return image;
}

std::vector<uint32_t> InterlacedPixels() {
  std::vector<uint32_t> pixels;
  for (uint32_t y = 0; y < 9; ++y)
    for (uint32_t x = 0; x < 9; ++x) pixels.push_back((255 - x) << 24 | (x * 20) << 16 | (y * 20) << 8 | (x + y));
  return pixels;
}

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class PngDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(PngDecoding, GivesStraightArgbPixels) {
  const DecodeCase& c = GetParam();
  const std::vector<uint8_t> file = EncodePng(c.image);
  ASSERT_FALSE(file.empty()) << "fixture rejected by libpng";
  const Bitmap bitmap = Decode(file);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->PixelWidth(), c.image.width);
  EXPECT_EQ(bitmap->PixelHeight(), c.image.height);
  EXPECT_EQ(PixelsOf(*bitmap), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Raster, PngDecoding,
    testing::Values(
        DecodeCase{"PaletteWithTransparency", PaletteWithTransparency(), {0x00102030, 0x80ff0080, 0xff010203}},
        DecodeCase{"RgbWithoutAlphaIsOpaque",
                   Image(2, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
                   {0xff010203, 0xff040506, 0xff070809, 0xff0a0b0c}},
        DecodeCase{"Rgba16BitKeepsTheHighBytes",
                   Image(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x1234, 0xabcd, 0x00ff, 0x8001}),
                   {0x8012ab00}},
        DecodeCase{"RgbaOddWidthRowsStayApart",
                   Image(3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8,
                         {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6}),
                   {0x01010101, 0x02020202, 0x03030303, 0x04040404, 0x05050505, 0x06060606}},
        DecodeCase{"Grey1Bit",
                   Image(9, 1, PNG_COLOR_TYPE_GRAY, 1, {1, 0, 1, 1, 0, 0, 0, 0, 1}),
                   {0xffffffff, 0xff000000, 0xffffffff, 0xffffffff, 0xff000000, 0xff000000, 0xff000000, 0xff000000,
                    0xffffffff}},
        DecodeCase{"Grey2Bit",
                   Image(5, 1, PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3, 1}),
                   {0xff000000, 0xff555555, 0xffaaaaaa, 0xffffffff, 0xff555555}},
        DecodeCase{
            "Grey4Bit", Image(3, 1, PNG_COLOR_TYPE_GRAY, 4, {0x0, 0x5, 0xf}), {0xff000000, 0xff555555, 0xffffffff}},
        DecodeCase{"Grey8Bit", Image(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x37, 0xfe}), {0xff373737, 0xfffefefe}},
        DecodeCase{"Grey16Bit", Image(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0xc0de}), {0xffc0c0c0}},
        DecodeCase{"GreyWithAlpha",
                   Image(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x90, 0xff, 0x00}),
                   {0x90404040, 0x00ffffff}},
        DecodeCase{"GreyWithTransparentKey", GreyWithTransparentKey(), {0x00404040, 0xff414141}},
        DecodeCase{"Rgb16WithTransparentKey", RgbWithTransparentKey(), {0x00010203, 0xffff0000}},
        DecodeCase{"Interlaced", Interlaced(), InterlacedPixels()}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

std::vector<uint8_t> SmallValidPng() {
  return EncodePng(Image(4, 4, PNG_COLOR_TYPE_RGB, 8, std::vector<unsigned>(48, 0x5a)));
}

TEST(PngFromMemory, RefusesWhatIsNotAPng) {
  std::vector<uint8_t> file = SmallValidPng();
  ASSERT_NE(Decode(file), nullptr);
  EXPECT_EQ(Raster_PngFromMemory(file.data(), 7), nullptr);
  EXPECT_EQ(Raster_PngFromMemory(file.data(), 0), nullptr);
  EXPECT_EQ(Raster_PngFromMemory(file.data(), -1), nullptr);
  EXPECT_EQ(Raster_PngFromMemory(nullptr, 100), nullptr);
  file[1] = 'p';
  EXPECT_EQ(Decode(file), nullptr);
}

TEST(PngFromMemory, TruncatedOrDamagedFilesGiveNothing) {
  const std::vector<uint8_t> file = SmallValidPng();
  // Cut inside the header chunk, right after it, inside the image data, before the data's checksum.
  const size_t imageDataEnd = file.size() - 12;  // the last 12 bytes are the end chunk
  for (size_t length : {size_t(8), size_t(20), size_t(33), size_t(45), imageDataEnd - 4, imageDataEnd - 1}) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + long(length));
    EXPECT_EQ(Decode(cut), nullptr) << "cut to " << length << " of " << file.size();
  }
  std::vector<uint8_t> damaged = file;
  damaged[imageDataEnd - 6] ^= 0x40;  // inside the compressed data: the checksum no longer matches
  EXPECT_EQ(Decode(damaged), nullptr);
}

TEST(PngFromMemory, ImagesTooLargeForABitmapGiveNothing) {
  // A well-formed header claiming a million by a million pixels (4 TB of pixels).
  std::vector<uint8_t> file = SmallValidPng();
  const uint8_t million[4] = {0x00, 0x0f, 0x42, 0x40};
  std::copy(million, million + 4, file.begin() + 16);  // width
  std::copy(million, million + 4, file.begin() + 20);  // height
  const uLong crc = crc32(0, file.data() + 12, 17);    // chunk type and data
  for (int i = 0; i < 4; ++i) file[29 + i] = uint8_t(crc >> (24 - 8 * i));
  EXPECT_EQ(Decode(file), nullptr);
}

}  // namespace
