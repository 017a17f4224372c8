#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "raster/Blit.h"
#include "raster/MemBitmap.h"
#include "tests/raster/BitmapTesting.h"

namespace {

constexpr uint32_t kBackground = 0x11223344;

// --- Clipping: which source pixel lands where ------------------------------------------------

struct Placement {
  int dstx, dsty;
  IBounds srcRect;   // empty: the whole source
  int fromX, fromY;  // first source pixel copied ...
  int toX, toY;      // ... lands here
  int width, height;
};

class CompositeClipping : public testing::TestWithParam<Placement> {};

void ExpectPlacement(Raster_IBitmap& dest, const Placement& p) {
  for (int y = 0; y < dest.PixelHeight(); ++y) {
    for (int x = 0; x < dest.PixelWidth(); ++x) {
      const bool inside = x >= p.toX && x < p.toX + p.width && y >= p.toY && y < p.toY + p.height;
      const uint32_t expected =
          inside ? 0xff000000u | uint32_t(y - p.toY + p.fromY) << 8 | uint32_t(x - p.toX + p.fromX) : kBackground;
      ASSERT_EQ(PixelAt(dest, x, y), expected) << "at " << x << ", " << y;
    }
  }
}

TEST_P(CompositeClipping, CopiesTheClippedBlock) {
  const Placement& p = GetParam();
  Raster_MemBitmap src(10, 10), dest(20, 16);
  FillWithCoordinates(src);
  FillWith(dest, kBackground);
  Raster_Composite(&dest, &src, p.dstx, p.dsty, p.srcRect.IsEmpty() ? nullptr : &p.srcRect, 1.0f, kBlitCopy);
  ExpectPlacement(dest, p);
}

TEST_P(CompositeClipping, HonoursBottomUpRowsOnBothSides) {
  const Placement& p = GetParam();
  BottomUpBitmap src(10, 10), dest(20, 16);
  FillWithCoordinates(src);
  FillWith(dest, kBackground);
  Raster_Composite(&dest, &src, p.dstx, p.dsty, p.srcRect.IsEmpty() ? nullptr : &p.srcRect, 1.0f, kBlitCopy);
  ExpectPlacement(dest, p);
}

INSTANTIATE_TEST_SUITE_P(
    Raster, CompositeClipping,
    testing::Values(Placement{2, 3, {}, 0, 0, 2, 3, 10, 10},                     // fully inside
                    Placement{-3, -4, {}, 3, 4, 0, 0, 7, 6},                     // negative destination
                    Placement{0, 0, IBounds(-2, 0, 5, 5), 0, 0, 2, 0, 5, 5},     // negative source left
                    Placement{0, 0, IBounds(1, -3, 4, 8), 1, 0, 0, 3, 3, 8},     // negative source top
                    Placement{15, 12, {}, 0, 0, 15, 12, 5, 4},                   // past right and bottom
                    Placement{4, 4, IBounds(6, 7, 30, 30), 6, 7, 4, 4, 4, 3},    // rectangle past the source
                    Placement{-2, 1, IBounds(-1, 2, 9, 4), 1, 2, 0, 1, 8, 2}));  // both shifts at once

TEST(Composite, BottomUpSourceOntoTopDownDestination) {
  BottomUpBitmap src(4, 3);
  Raster_MemBitmap dest(4, 3);
  FillWithCoordinates(src);
  FillWith(dest, 0);
  Raster_Composite(&dest, &src, 0, 0, nullptr, 0.5f, kBlitCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(PixelAt(dest, x, y), ((0xff000000u | uint32_t(y) << 8 | uint32_t(x)) >> 1) & 0x7f7f7f7fu);
}

TEST(Composite, DrawsNothingItCannotPlace) {
  Raster_MemBitmap src(4, 4), dest(8, 8), none;
  FillWith(src, 0xffffffff);
  FillWith(dest, kBackground);
  const IBounds inverted(3, 3, 1, 1), outside(5, 5, 9, 9);
  Raster_Composite(&dest, nullptr, 0, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(nullptr, &src, 0, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &none, 0, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&none, &src, 0, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, 0, 0, nullptr, 0.0f, kBlitCopy);
  Raster_Composite(&dest, &src, 0, 0, nullptr, -0.5f, kBlitCopy);
  Raster_Composite(&dest, &src, 0, 0, nullptr, -0.5f, kBlitCopy | kBlitUseSourceAlpha);
  Raster_Composite(&dest, &src, 0, 0, nullptr, 1.0f / 512, kBlitCopy);  // weight truncates to 0
  Raster_Composite(&dest, &src, 0, 0, &inverted, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, 0, 0, &outside, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, 8, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, -4, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, INT_MIN, INT_MAX, nullptr, 1.0f, kBlitCopy);
  Raster_Composite(&dest, &src, INT_MAX, INT_MIN, nullptr, 1.0f, kBlitCopy);
  const IBounds extreme(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  Raster_Composite(&dest, &src, INT_MAX, INT_MAX, &extreme, 1.0f, kBlitCopy);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelAt(dest, x, y), kBackground);
}

// --- Combining: one pixel at a time -----------------------------------------------------------

struct Combination {
  const char* what;
  int mode;
  float alpha;
  uint32_t src, dst, expected;
};

void PrintTo(const Combination& c, std::ostream* os) { *os << c.what; }

class CompositeModes : public testing::TestWithParam<Combination> {};

TEST_P(CompositeModes, CombinesEveryChannel) {
  const Combination& c = GetParam();
  Raster_MemBitmap src(1, 1), dest(1, 1);
  src.PixelData()[0] = c.src;
  dest.PixelData()[0] = c.dst;
  Raster_Composite(&dest, &src, 0, 0, nullptr, c.alpha, c.mode);
  EXPECT_EQ(dest.PixelData()[0], c.expected) << std::hex << dest.PixelData()[0];
}

constexpr float kAlmostOpaque = 255.0f / 256;  // weight 255
constexpr float kQuarter = 0.25f;              // weight 64

INSTANTIATE_TEST_SUITE_P(
    Raster, CompositeModes,
    testing::Values(
        Combination{"copy at 1.0 copies all four bytes", 0, 1.0f, 0x00abcdef, 0xff123456, 0x00abcdef},
        Combination{"copy at 0.5 halves and adds bytes", 0, 0.5f, 0x80ff4001, 0x40102003, 0x60873001},
        // 255 + (0 - 255) * 192 / 256 truncates toward zero: 64, not 63.
        Combination{"copy at 0.25", 0, kQuarter, 0xc8ff0064, 0x6400ffc8, 0x7d40bfaf},
        Combination{"copy at 255/256", 0, kAlmostOpaque, 0x00000000, 0xffffffff, 0x00000000},
        Combination{"add at 1.0 clamps", 1, 1.0f, 0x10c80a05, 0x20641403, 0x30ff1e08},
        Combination{"add at 0.5", 1, 0.5f, 0x00640000, 0x000a0000, 0x003c0000},
        // t = s: 128 -> d * 2; 255 -> saturates unless d is 0; 0 -> d; 200 -> d * 256 / 56.
        Combination{"dodge at 1.0", 2, 1.0f, 0x80ff00c8, 0x64000132, 0xc80001e4},
        Combination{"dodge at 0.5", 2, 0.5f, 0x00000080, 0x00000064, 0x00000085},
        Combination{"over: transparent source leaves the pixel", 0x10000, 1.0f, 0x00ffffff, 0x12345678, 0x12345678},
        Combination{"over: opaque source replaces colour, alpha 255", 0x10000, 1.0f, 0xff0a0b0c, 0x10203040,
                    0xff0a0b0c},
        // s + (d - s) * 127 / 256 and alpha 128 + 255 limited.
        Combination{"over: half-transparent source at 1.0", 0x10000, 1.0f, 0x80ff0000, 0xff0000ff, 0xff81007e},
        Combination{"over: source alpha adds to destination alpha", 0x10000, 1.0f, 0x64000000, 0x32000000, 0x96000000},
        // w = 255 * 129 / 256 = 128: keeps 128/256 of d where opacity 1.0 keeps 127/256.
        Combination{"over: half-transparent source at 255/256", 0x10000, kAlmostOpaque, 0x80ff0000, 0xff0000ff,
                    0xff80007f},
        Combination{"over: opaque source at 0.25", 0x10000, kQuarter, 0xffff0000, 0xff0000ff, 0xff4000bf},
        Combination{"over: opaque source at 0.25, alpha w + da", 0x10000, kQuarter, 0xff000000, 0x0a000000, 0x4a000000},
        Combination{"over at 0.25: transparent source skipped", 0x10000, kQuarter, 0x00ffffff, 0x0a0b0c0d, 0x0a0b0c0d},
        Combination{"add over: transparent source skipped", 0x10001, 1.0f, 0x00ffffff, 0x0a0b0c0d, 0x0a0b0c0d},
        Combination{"add over: opaque source at 1.0", 0x10001, 1.0f, 0xff640a00, 0x10c80505, 0xffff0f05},
        // w = 128: colours add half, alpha adds 127 * 128 / 256 = 63.
        Combination{"add over: half-transparent source", 0x10001, 1.0f, 0x7f640000, 0x01140000, 0x40460000},
        // w = 1 for a transparent source: t = s / 256 = 0, so the pixel survives without a skip.
        Combination{"dodge over: transparent source", 0x10002, 1.0f, 0x00ffffff, 0x0a0b0c0d, 0x0a0b0c0d},
        Combination{"dodge over: opaque source", 0x10002, 1.0f, 0xff8000ff, 0x01640a00, 0xffc80a00},
        Combination{"unknown operation draws nothing", 7, 0.5f, 0xffffffff, 0x01020304, 0x01020304}),
    [](const testing::TestParamInfo<Combination>& info) { return "case" + std::to_string(info.index); });

TEST(Composite, OpacityAboveOneCountsAsOne) {
  Raster_MemBitmap src(1, 1), dest(1, 1);
  src.PixelData()[0] = 0x80ff0000;
  dest.PixelData()[0] = 0xff0000ff;
  Raster_Composite(&dest, &src, 0, 0, nullptr, 3.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(dest.PixelData()[0], 0xff81007eu);
}

// --- Fills ------------------------------------------------------------------------------------

struct FillCase {
  const char* what;
  int mode;
  float alpha;
  uint32_t colour, dst, expected;
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << c.what; }

class FillModes : public testing::TestWithParam<FillCase> {};

TEST_P(FillModes, CombinesTheColour) {
  const FillCase& c = GetParam();
  Raster_MemBitmap dest(1, 1);
  dest.PixelData()[0] = c.dst;
  Raster_FillBox(&dest, 0, 0, 1, 1, c.colour, c.alpha, c.mode);
  EXPECT_EQ(dest.PixelData()[0], c.expected) << std::hex << dest.PixelData()[0];
}

INSTANTIATE_TEST_SUITE_P(
    Raster, FillModes,
    testing::Values(
        FillCase{"copy at 1.0", 0, 1.0f, 0x00abcdef, 0xffffffff, 0x00abcdef},
        // Whole-word halving drops each byte's low bit: 1 + 1 gives 0, not 1.
        FillCase{"copy at 0.5 halves whole words", 0, 0.5f, 0x01ff0201, 0x01010201, 0x007f0200},
        FillCase{"copy at 0.25 keeps three quarters of the pixel", 0, kQuarter, 0x00000000, 0xffffffff, 0xbebebebe},
        FillCase{"copy at 0.75 takes three quarters of the colour", 0, 0.75f, 0xffffffff, 0x00000000, 0xbebebebe},
        // Weight 129; the alpha channel blends the weight itself: 129 + (255 - 129) * 127 / 256 = 191.
        FillCase{"copy per channel", 0, 0.50390625f, 0x00ff0000, 0xff000000, 0xbf810000},
        FillCase{"add", 1, 0.5f, 0x00640000, 0x000a0000, 0x403c0000},
        FillCase{"add clamps", 1, 1.0f, 0x00c80000, 0xff640000, 0xffff0000},
        FillCase{"dodge", 2, 1.0f, 0x00000080, 0x00000064, 0x000000c8},
        // The colour's alpha 128 scales the opacity to weight 128: the halving shortcut, alpha included.
        FillCase{"copy weighted by colour alpha", 0x10000, 1.0f, 0x80ff0000, 0x00000000, 0x407f0000},
        FillCase{"transparent colour with source alpha", 0x10000, 1.0f, 0x00ffffff, 0x01020304, 0x01020304},
        FillCase{"negative copy draws nothing", 0, -0.3f, 0xffffffff, 0x01020304, 0x01020304}),
    [](const testing::TestParamInfo<FillCase>& info) { return "case" + std::to_string(info.index); });

TEST(FillBox, ClipsToTheBitmap) {
  Raster_MemBitmap dest(4, 4);
  FillWith(dest, 0);
  Raster_FillBox(&dest, -2, -3, 5, 5, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&dest, 3, 3, 100, 100, 0xff00ff00, 1.0f, kBlitCopy);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const uint32_t expected = (x < 3 && y < 2) ? 0xffffffff : (x == 3 && y == 3) ? 0xff00ff00 : 0;
      EXPECT_EQ(PixelAt(dest, x, y), expected) << x << ", " << y;
    }
  }
}

TEST(FillBox, DrawsNothingOutside) {
  Raster_MemBitmap dest(4, 4), none;
  FillWith(dest, kBackground);
  Raster_FillBox(&dest, 4, 0, 1, 1, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&dest, 0, 4, 1, 1, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&dest, -5, 0, 5, 1, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&dest, 0, 0, 0, 1, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&dest, 0, 0, 1, 1, 0xffffffff, 0.0f, kBlitCopy);
  Raster_FillBox(&dest, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(&none, 0, 0, 1, 1, 0xffffffff, 1.0f, kBlitCopy);
  Raster_FillBox(nullptr, 0, 0, 1, 1, 0xffffffff, 1.0f, kBlitCopy);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(PixelAt(dest, x, y), kBackground);
}

TEST(FillBox, HonoursBottomUpRows) {
  BottomUpBitmap dest(3, 3);
  FillWith(dest, 0);
  Raster_FillBox(&dest, 1, 0, 5, 1, 0xff0000ff, 1.0f, kBlitCopy);
  EXPECT_EQ(PixelAt(dest, 0, 0), 0u);
  EXPECT_EQ(PixelAt(dest, 1, 0), 0xff0000ffu);
  EXPECT_EQ(PixelAt(dest, 2, 0), 0xff0000ffu);
  EXPECT_EQ(PixelAt(dest, 1, 1), 0u);
}

}  // namespace
