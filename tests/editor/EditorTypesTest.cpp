#include <gtest/gtest.h>

#include <cstring>

#include "editor/IBitmapStrip.h"
#include "editor/IBlend.h"
#include "editor/IBounds.h"
#include "editor/IInputState.h"
#include "editor/IRgba.h"
#include "editor/ITextStyle.h"
#include "raster/Blit.h"

namespace {

TEST(IBounds, EmptinessIsAllFieldsZeroNotZeroArea) {
  const IBounds empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_FALSE(empty.Contains(0, 0));
  EXPECT_FALSE(empty.Intersects(IBounds(-5, -5, 5, 5)));
  EXPECT_FALSE(IBounds(-5, -5, 5, 5).Intersects(empty));

  const IBounds line(0, 0, 0, 1);
  EXPECT_FALSE(line.IsEmpty());
  EXPECT_FALSE(line.Contains(0, 0));
}

TEST(IBounds, ContainsExcludesRightAndBottomEdges) {
  const IBounds r(16, 62, 80, 126);
  EXPECT_TRUE(r.Contains(16, 62));
  EXPECT_TRUE(r.Contains(79, 125));
  EXPECT_FALSE(r.Contains(80, 100));
  EXPECT_FALSE(r.Contains(20, 126));
  EXPECT_FALSE(r.Contains(15, 62));
}

TEST(IBounds, IntersectsCountsOnlyTheReceiversFarEdges) {
  const IBounds left(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20);
  EXPECT_TRUE(left.Intersects(right));
  EXPECT_FALSE(right.Intersects(left));
  EXPECT_TRUE(left.Intersects(below));
  EXPECT_FALSE(below.Intersects(left));
  EXPECT_FALSE(left.Intersects(IBounds(11, 0, 20, 10)));
}

TEST(IBounds, IntersectionAndUnion) {
  const IBounds a(0, 0, 10, 10), b(5, 6, 20, 8);
  EXPECT_EQ(a.Intersection(b), IBounds(5, 6, 10, 8));
  EXPECT_EQ(a.Union(b), IBounds(0, 0, 20, 10));
  EXPECT_TRUE(a.Intersection(IBounds(30, 30, 40, 40)).IsEmpty());
  EXPECT_EQ(IBounds().Union(IBounds(5, 5, 6, 6)), IBounds(5, 5, 6, 6));
  EXPECT_EQ(IBounds(5, 5, 6, 6).Union(IBounds()), IBounds(5, 5, 6, 6));
}

TEST(IBounds, MoveToKeepsTheSize) {
  IBounds r(16, 62, 80, 126);
  r.MoveTo(-4, 3);
  EXPECT_EQ(r, IBounds(-4, 3, 60, 67));
}

TEST(IBitmapStrip, FrameOffsetsOfTheKnobStrip) {
  IBitmapStrip knob;
  knob.width = 64;
  knob.height = 6400;
  knob.frames = 100;
  EXPECT_EQ(knob.FrameOffset(1).y, 0);
  EXPECT_EQ(knob.FrameOffset(2).y, 64);
  EXPECT_EQ(knob.FrameOffset(100).y, 6336);
  EXPECT_EQ(knob.FrameOffset(100).x, 0);
  EXPECT_EQ(knob.FrameOffset(0).y, 0);
  EXPECT_EQ(knob.FrameBoundsAt(16, 62), IBounds(16, 62, 80, 126));
}

TEST(IBitmapStrip, FrameOffsetsRoundToTheNearestPixel) {
  IBitmapStrip strip;
  strip.width = 100;
  strip.height = 100;
  strip.frames = 3;
  EXPECT_EQ(strip.FrameOffset(2).y, 33);
  EXPECT_EQ(strip.FrameOffset(3).y, 67);

  strip.horizontal = true;
  EXPECT_EQ(strip.FrameOffset(3).x, 67);
  EXPECT_EQ(strip.FrameOffset(3).y, 0);

  strip.frames = 1;
  EXPECT_EQ(strip.FrameOffset(3).x, 0);
}

TEST(IBlend, MethodsBecomeRasterModes) {
  EXPECT_EQ(IBlend().BlitMode(), kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(IBlend().weight, 1.0f);
  EXPECT_EQ(IBlend(kBlendCopy, 1).BlitMode(), kBlitCopy);
  EXPECT_EQ(IBlend(kBlendAdd, 1).BlitMode(), 0x10001);
  EXPECT_EQ(IBlend(kBlendDodge, 1).BlitMode(), 0x10002);
  EXPECT_EQ(IBlend(7, 1).BlitMode(), 0x10000);
  EXPECT_EQ(IBlend(-1, 1).BlitMode(), 0x10000);
}

TEST(IRgba, PackedTakesTheLowByteOfEachChannel) {
  EXPECT_EQ(IRgba(255, 128, 64, 1).Packed(), 0xff804001u);
  EXPECT_EQ(IRgba(0x1ff, -1, 0x100, 2).Packed(), 0xffff0002u);
  EXPECT_EQ(kColourGreen.Packed(), 0xff00ff00u);
}

TEST(ITextStyle, Defaults) {
  const ITextStyle style;
  EXPECT_STREQ(style.name, "Arial");
  EXPECT_EQ(style.size, 12);
  EXPECT_EQ(style.colour, kColourBlack);
  EXPECT_EQ(style.entryBackground, kColourWhite);
  EXPECT_EQ(style.entryText, kColourBlack);
  EXPECT_EQ(style.align, kAlignCentre);
  EXPECT_EQ(style.font, nullptr);
}

TEST(IKeyCode, FromCharacters) {
  EXPECT_EQ(IKeyCodeForChar(' '), kKeySpace);
  EXPECT_EQ(IKeyCodeForChar('0'), kKeyDigit0);
  EXPECT_EQ(IKeyCodeForChar('9'), kKeyDigit9);
  EXPECT_EQ(IKeyCodeForChar('A'), kKeyA);
  EXPECT_EQ(IKeyCodeForChar('z'), kKeyZ);
  EXPECT_EQ(IKeyCodeForChar('@'), -1);
  EXPECT_EQ(IKeyCodeForChar('['), -1);
}

}  // namespace
