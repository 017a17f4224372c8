#include <gtest/gtest.h>

#include <cstdint>

#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool Aligned64(const void* p) { return reinterpret_cast<uintptr_t>(p) % 64 == 0; }

TEST(MemBitmap, RowsAreMultiplesOfFourPixelsFrom64ByteAlignedStorage) {
  for (int w : {1, 4, 5, 7, 8}) {
    Raster_MemBitmap bitmap(w, 3);
    EXPECT_EQ(bitmap.PixelWidth(), w);
    EXPECT_EQ(bitmap.PixelHeight(), 3);
    EXPECT_EQ(bitmap.RowPixels(), (w + 3) / 4 * 4) << w;
    ASSERT_NE(bitmap.PixelData(), nullptr);
    EXPECT_TRUE(Aligned64(bitmap.PixelData()));
    bitmap.PixelData()[bitmap.RowPixels() * 3 - 1] = 1;  // the last stored pixel is ours to write
  }
  Raster_MemBitmap empty;
  EXPECT_EQ(empty.PixelData(), nullptr);
  EXPECT_EQ(empty.PixelWidth(), 0);
}

TEST(MemBitmap, SetSizeToTheSameSizeKeepsThePixels) {
  Raster_MemBitmap bitmap(6, 2);
  uint32_t* pixels = bitmap.PixelData();
  pixels[9] = 0x12345678;
  EXPECT_FALSE(bitmap.SetSize(6, 2));
  EXPECT_EQ(bitmap.PixelData(), pixels);
  EXPECT_EQ(pixels[9], 0x12345678u);
}

TEST(MemBitmap, ShrinkingKeepsTheAllocationAndZeroSizeFreesIt) {
  Raster_MemBitmap bitmap(32, 32);
  uint32_t* pixels = bitmap.PixelData();
  EXPECT_TRUE(bitmap.SetSize(8, 8));
  EXPECT_EQ(bitmap.PixelData(), pixels);
  EXPECT_EQ(bitmap.RowPixels(), 8);

  EXPECT_TRUE(bitmap.SetSize(0, 5));
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.PixelWidth(), 0);
  EXPECT_EQ(bitmap.PixelHeight(), 0);

  EXPECT_TRUE(bitmap.SetSize(3, 3));
  EXPECT_NE(bitmap.PixelData(), nullptr);
}

TEST(MemBitmap, SizesBeyondWhatItCanHoldFailToAnEmptyBitmap) {
  Raster_MemBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.SetSize(100000, 100000));  // 40 GB: more than the 32-bit size fields describe
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.PixelWidth(), 0);
  EXPECT_EQ(bitmap.PixelHeight(), 0);
  EXPECT_TRUE(bitmap.SetSize(2, 2));
  EXPECT_NE(bitmap.PixelData(), nullptr);
}

TEST(SysBitmap, SectionRowsAreMultiplesOfFourAndNeverShrink) {
  Raster_SysBitmap bitmap(5, 3);
  ASSERT_NE(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.PixelWidth(), 5);
  EXPECT_EQ(bitmap.RowPixels(), 8);
  EXPECT_FALSE(bitmap.RowsBottomUp());
  bitmap.PixelData()[8 * 3 - 1] = 7;

  uint32_t* pixels = bitmap.PixelData();
  EXPECT_TRUE(bitmap.SetSize(2, 2));  // fits: the larger section stays, pixels and all
  EXPECT_EQ(bitmap.PixelData(), pixels);
  EXPECT_EQ(bitmap.RowPixels(), 8);
  EXPECT_EQ(pixels[8 * 3 - 1], 7u);
  EXPECT_FALSE(bitmap.SetSize(2, 2));

  EXPECT_TRUE(bitmap.SetSize(17, 4));
  ASSERT_NE(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.RowPixels(), 20);
  bitmap.PixelData()[20 * 4 - 1] = 7;
}

TEST(SysBitmap, ZeroSizeLeavesNoPixelsBehind) {
  Raster_SysBitmap bitmap(8, 8);
  EXPECT_FALSE(bitmap.SetSize(0, 0));
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.PixelWidth(), 0);
  EXPECT_EQ(bitmap.RowPixels(), 0);
  EXPECT_TRUE(bitmap.SetSize(4, 4));
  ASSERT_NE(bitmap.PixelData(), nullptr);
  for (int i = 0; i < 4 * 4; ++i) ASSERT_EQ(bitmap.PixelData()[i], 0u) << "a new section starts black, pixel " << i;

  EXPECT_TRUE(bitmap.SetSize(100000, 100000));  // more than a section may hold
  EXPECT_EQ(bitmap.PixelData(), nullptr);
  EXPECT_EQ(bitmap.PixelWidth(), 0);
}

#ifdef _WIN32
TEST(SysBitmap, SystemDrawingLandsInTheSamePixelsTopDown) {
  Raster_SysBitmap bitmap(6, 5);
  auto dc = static_cast<HDC>(bitmap.DeviceContext());
  ASSERT_NE(dc, nullptr);
  SetPixel(dc, 1, 2, RGB(10, 20, 30));
  GdiFlush();
  EXPECT_EQ(bitmap.PixelData()[2 * bitmap.RowPixels() + 1] & 0xffffffu, 0x0a141eu);
}
#endif

}  // namespace
