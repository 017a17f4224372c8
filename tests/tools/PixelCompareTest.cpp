#include "tests/support/PixelCompare.h"

#include "raster/MemBitmap.h"

#include <gtest/gtest.h>

namespace {

void Fill(Raster_MemBitmap& bitmap, uint32_t colour)
{
  for (int y = 0; y < bitmap.PixelHeight(); ++y)
    for (int x = 0; x < bitmap.PixelWidth(); ++x) bitmap.PixelData()[y * bitmap.RowPixels() + x] = colour;
}

void Set(Raster_MemBitmap& bitmap, int x, int y, uint32_t colour) { bitmap.PixelData()[y * bitmap.RowPixels() + x] = colour; }

}  // namespace

TEST(PixelCompare, CountsDifferencesOutsideExcludedAreasAndReportsTheFirst)
{
  Raster_MemBitmap a(7, 5), b(7, 5);
  Fill(a, 0xFF102030);
  Fill(b, 0x00102030);  // alpha alone does not count
  EXPECT_TRUE(ComparePixels(a, b).Equal());

  Set(b, 6, 1, 0xFF112030);
  Set(b, 2, 3, 0xFF102030 ^ 0x800000);
  Set(b, 0, 4, 0xFF102031);
  PixelDifference d = ComparePixels(a, b);
  EXPECT_EQ(d.count, 3);
  EXPECT_EQ(d.firstX, 6);
  EXPECT_EQ(d.firstY, 1);
  EXPECT_EQ(d.expected, 0xFF102030u);
  EXPECT_EQ(d.actual, 0xFF112030u);
  EXPECT_NE(d.Describe().find("3 differing"), std::string::npos);

  // Right and bottom edges of an excluded rectangle are outside it.
  d = ComparePixels(a, b, {IBounds(2, 3, 6, 4)});
  EXPECT_EQ(d.count, 2);
  d = ComparePixels(a, b, {IBounds(2, 3, 3, 4), IBounds(6, 0, 7, 2)});
  EXPECT_EQ(d.count, 1);
  EXPECT_EQ(d.firstX, 0);
  EXPECT_EQ(ComparePixels(a, b, {}, 1).count, 1);  // the two off-by-one pixels are tolerated

  Raster_MemBitmap c(7, 6);
  EXPECT_FALSE(ComparePixels(a, c).sameSize);
  EXPECT_FALSE(ComparePixels(a, c).Equal());
}

TEST(PixelCompare, InkCountsChangedPixelsInsideTheRectangleOnly)
{
  Raster_MemBitmap background(10, 10), image(10, 10);
  Fill(background, 0xFFFFFFFF);
  Fill(image, 0xFFFFFFFF);
  EXPECT_EQ(CountInk(image, background, IBounds(0, 0, 10, 10)), 0);
  Set(image, 3, 3, 0xFF000000);
  Set(image, 4, 3, 0xFFFEFEFE);
  Set(image, 9, 9, 0xFF000000);
  EXPECT_EQ(CountInk(image, background, IBounds(2, 2, 5, 5)), 2);
  EXPECT_EQ(CountInk(image, background, IBounds(2, 2, 5, 5), 1), 1);
  EXPECT_EQ(CountInk(image, background, IBounds(5, 5, 40, 40)), 1);
  EXPECT_EQ(CountInk(image, background, IBounds(-5, -5, 4, 4)), 1);
}
