#include "raster/Raster_GlyphCache.h"

#include <gtest/gtest.h>

namespace {

TEST(GlyphCache, KeepsHighCodesSortedAndFindsThemAgain)
{
  Raster_GlyphCache cache;
  const int codes[] = {0x20AC, 0xC1, 0x3A9, 0xFFFF, 0x80};
  for (int code : codes) {
    Raster_GlyphRecord* glyph = cache.FindOrAdd(code);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->maskOffset, Raster_GlyphRecord::kNotRendered);
    glyph->advance = code;  // a marker that must survive later insertions
  }
  for (int code : codes) {
    const Raster_GlyphRecord* glyph = cache.Find(code);
    ASSERT_NE(glyph, nullptr) << code;
    EXPECT_EQ(glyph->code, code);
    EXPECT_EQ(glyph->advance, code);
  }
  EXPECT_EQ(cache.FindOrAdd(0x3A9), cache.Find(0x3A9));
  EXPECT_EQ(cache.Find(0x3AA), nullptr);
  EXPECT_EQ(cache.Find(0x10000), nullptr);
  EXPECT_NE(cache.Find('A'), nullptr);  // low codes always have a record

  cache.Clear();
  EXPECT_EQ(cache.Find(0x20AC), nullptr);
}

TEST(GlyphCache, AcceptsOnlyMasksInsideTheBuffer)
{
  Raster_GlyphCache cache;
  cache.GrowMasks(12);
  Raster_GlyphRecord glyph = {1, 4, 3, 4, 'x'};
  EXPECT_TRUE(cache.HasMask(glyph));
  glyph.maskOffset = 2;
  EXPECT_FALSE(cache.HasMask(glyph));
  glyph.maskOffset = Raster_GlyphRecord::kNoPixels;
  EXPECT_FALSE(cache.HasMask(glyph));
}

}  // namespace
