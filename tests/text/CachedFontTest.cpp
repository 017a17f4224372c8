// The glyph-cache path, which every platform has (on Windows the tests ask for it with "need alpha").
#include "TextFixture.h"

#include "raster/Raster_IFont.h"

namespace {

class CachedFontTest : public TextFixture {
protected:
  void SetUp() override { UseFont(20); }

  int Draw(Raster_IBitmap& canvas, const std::string& text, IBounds rect, int flags = 0)
  {
    return font->DrawTextRun(&canvas, text.c_str(), static_cast<int>(text.size()), &rect,
                             flags | Raster_IFont::kTextNeedAlpha);
  }

  // Draws a text at the top-left of a fresh canvas.
  std::unique_ptr<Raster_SysBitmap> Drawn(const std::string& text, int flags = 0)
  {
    auto canvas = std::make_unique<Raster_SysBitmap>(160, 50);
    Clear(*canvas);
    Draw(*canvas, text, IBounds(2, 2, 158, 48), flags);
    return canvas;
  }
};

TEST_F(CachedFontTest, LineHeightIsTheCellHeight)
{
  EXPECT_EQ(font->LineHeight(), 20);
  UseFont(14);
  EXPECT_EQ(font->LineHeight(), 14);
}

TEST_F(CachedFontTest, MeasuringNothingGivesAnEmptyExtent)
{
  IBounds rect(5, 7, 100, 100);
  EXPECT_EQ(font->DrawTextRun(nullptr, "", -1, &rect, Raster_IFont::kTextMeasure | Raster_IFont::kTextNeedAlpha), 0);
  EXPECT_EQ(rect, IBounds(5, 7, 5, 7));
}

TEST_F(CachedFontTest, MeasuresLinesAndHonoursTheLength)
{
  const IBounds one = Measure("Hx");
  EXPECT_GT(one.Width(), 10);
  EXPECT_EQ(one.Height(), 20);
  const IBounds two = Measure("Hx\nH");
  EXPECT_EQ(two.Width(), one.Width());
  EXPECT_EQ(two.Height(), 40);
  IBounds cut(0, 0, 0, 0);
  font->DrawTextRun(nullptr, "Hxyz", 2, &cut, Raster_IFont::kTextMeasure | Raster_IFont::kTextNeedAlpha);
  EXPECT_EQ(cut, one);
}

TEST_F(CachedFontTest, SingleLineTurnsCarriageReturnAndLineFeedIntoOneSpace)
{
  const int single = Raster_IFont::kTextSingleLine;
  EXPECT_EQ(Measure("a\r\nb", single), Measure("a b", single));
  EXPECT_TRUE(SamePixels(*Drawn("a\r\nb", single), *Drawn("a b", single)));
}

TEST_F(CachedFontTest, FourByteSequenceDrawsAsASpaceAndALoneC1AsItsCharacter)
{
  EXPECT_EQ(Measure("a\xF0\x9F\x8E\xB8" "b"), Measure("a b"));
  EXPECT_TRUE(SamePixels(*Drawn("a\xF0\x9F\x8E\xB8" "b"), *Drawn("a b")));

  // 0xC1 cannot start a sequence: it stands for U+00C1, the same letter its UTF-8 form names.
  const auto lone = Drawn("\xC1");
  EXPECT_TRUE(SamePixels(*lone, *Drawn("\xC3\x81")));
  EXPECT_FALSE(SamePixels(*lone, *Drawn("A")));
  ASSERT_NE(font->FindGlyph(0xC1), nullptr);
  EXPECT_GT(font->FindGlyph(0xC1)->maskOffset, 0);
}

TEST_F(CachedFontTest, GlyphWithoutPixelsIsRecordedAndSkipped)
{
  // Arial (and its stand-ins) shows a box for a zero-width space; this face has it empty.
  font = std::make_unique<Raster_CachedFont>();
  font->AttachSystemFont(Raster_CreateSystemFont("DejaVu Sans", 20, 0, 0, 0), Raster_IFont::kFontOwnsSystemFont);
  ASSERT_NE(font->SystemFont(), nullptr);
  const std::string zeroWidthSpace = "\xE2\x80\x8B";
  EXPECT_EQ(Measure("a" + zeroWidthSpace + "b"), Measure("ab"));
  const Raster_GlyphRecord* glyph = font->FindGlyph(0x200B);
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(glyph->maskOffset, Raster_GlyphRecord::kNoPixels);
  EXPECT_EQ(glyph->advance, 0);

  Raster_SysBitmap canvas(40, 30);
  Clear(canvas);
  EXPECT_EQ(Draw(canvas, zeroWidthSpace, IBounds(0, 0, 40, 30)), 0);
  EXPECT_LT(InkBounds(canvas).right, 0);
  EXPECT_FALSE(font->PaintGlyph(&canvas, 0x200B, 0, 0, nullptr));
}

TEST_F(CachedFontTest, PlacesTheTextWhereTheFlagsSay)
{
  const std::string text = "Hg8";
  const IBounds rect(10, 6, 150, 70);
  const IBounds extent = Measure(text);
  const int w = extent.Width(), h = extent.Height();
  Raster_SysBitmap reference(160, 80);
  Clear(reference);
  Draw(reference, text, rect);
  const IBounds atCorner = InkBounds(reference);
  ASSERT_GE(atCorner.left, rect.left);
  ASSERT_GE(atCorner.top, rect.top);

  struct Case {
    const char* name;
    int flags;
    int dx;
    int dy;
  };
  const Case cases[] = {
      {"centred", Raster_IFont::kTextCentre, (rect.Width() - w) / 2, 0},
      {"right", Raster_IFont::kTextRight, rect.Width() - w, 0},
      {"vertically centred", Raster_IFont::kTextVCentre, 0, (rect.Height() - h) / 2},
      {"bottom", Raster_IFont::kTextBottom, 0, rect.Height() - h},
      {"right and bottom", Raster_IFont::kTextRight | Raster_IFont::kTextBottom, rect.Width() - w, rect.Height() - h},
  };
  for (const Case& c : cases) {
    Raster_SysBitmap canvas(160, 80);
    Clear(canvas);
    Draw(canvas, text, rect, c.flags);
    IBounds expected = atCorner;
    expected.MoveTo(atCorner.left + c.dx, atCorner.top + c.dy);
    EXPECT_EQ(InkBounds(canvas), expected) << c.name;
  }
  // The right-aligned ink ends within the glyph's side bearing of the right edge.
  Raster_SysBitmap canvas(160, 80);
  Clear(canvas);
  Draw(canvas, text, rect, Raster_IFont::kTextRight | Raster_IFont::kTextBottom);
  EXPECT_LE(InkBounds(canvas).right, rect.right);
  EXPECT_GE(InkBounds(canvas).right, rect.right - 4);
  EXPECT_LE(InkBounds(canvas).bottom, rect.bottom);
}

TEST_F(CachedFontTest, ClipsToTheRectangleUnlessToldNotTo)
{
  const IBounds rect(0, 0, 12, 30);
  Raster_SysBitmap clipped(100, 30), free(100, 30);
  Clear(clipped);
  Clear(free);
  Draw(clipped, "WWW", rect);
  Draw(free, "WWW", rect, Raster_IFont::kTextNoClip);
  EXPECT_LE(InkBounds(clipped).right, 12);
  EXPECT_GT(InkBounds(free).right, 30);
}

TEST_F(CachedFontTest, TranslucentInkDrawsAtItsOpacity)
{
  UseFont(60, 1);
  Raster_SysBitmap canvas(80, 70);
  Clear(canvas);
  Draw(canvas, "I", IBounds(0, 0, 80, 70));
  EXPECT_EQ(Darkest(canvas), 0);
  EXPECT_EQ(Pixel(canvas, InkBounds(canvas).left + 4, 30), kBlack);  // full coverage makes the pixel opaque ink

  Clear(canvas);
  font->SetInkColour(0xC8000000u);  // black at alpha 200: opacity 200 / 255, weight 200 / 256
  Draw(canvas, "I", IBounds(0, 0, 80, 70), Raster_IFont::kTextUseInkAlpha);
  // Full coverage: 255 + (0 - 255) * (256 - 199) / 256 on every colour channel.
  EXPECT_EQ(Darkest(canvas), 255 * 57 / 256);

  font->SetInkColour(0x00000000u);
  Clear(canvas);
  EXPECT_EQ(Draw(canvas, "I", IBounds(0, 0, 80, 70), Raster_IFont::kTextUseInkAlpha), 0);
  EXPECT_LT(InkBounds(canvas).right, 0);
}

TEST_F(CachedFontTest, OpaquePaperFillsTheGlyphBoxes)
{
  Raster_SysBitmap canvas(60, 30);
  Clear(canvas);
  font->SetPaperColour(0xFFFF0000u);
  EXPECT_EQ(font->SetPaperMode(Raster_IFont::kPaperOpaque), Raster_IFont::kPaperTransparent);
  Draw(canvas, ".", IBounds(0, 0, 60, 30));
  const Raster_GlyphRecord* dot = font->FindGlyph('.');
  ASSERT_NE(dot, nullptr);
  EXPECT_EQ(Pixel(canvas, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel(canvas, dot->maskWidth - 1, dot->maskHeight - 1) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Pixel(canvas, dot->maskWidth, 0), kWhite);
}

TEST_F(CachedFontTest, ReattachingTheSameFontKeepsItAndEmptiesTheCache)
{
  const auto before = Drawn("Quil");
  ASSERT_NE(font->FindGlyph('Q'), nullptr);
  EXPECT_GT(font->FindGlyph('Q')->maskOffset, 0);
  font->AttachSystemFont(font->SystemFont(), Raster_IFont::kFontOwnsSystemFont | Raster_IFont::kFontRenderNatively);
  EXPECT_EQ(font->FindGlyph('Q')->maskOffset, Raster_GlyphRecord::kNotRendered);
  EXPECT_TRUE(SamePixels(*before, *Drawn("Quil")));
}

TEST_F(CachedFontTest, ScratchSurfacesLiveWithTheFonts)
{
  const int live = Raster_CachedFont::LiveFonts();
  {
    Raster_CachedFont other;
    EXPECT_EQ(Raster_CachedFont::LiveFonts(), live + 1);
  }
  EXPECT_EQ(Raster_CachedFont::LiveFonts(), live);
  font.reset();
  EXPECT_EQ(Raster_CachedFont::LiveFonts(), live - 1);
  UseFont(20);  // the shared surfaces come back on demand
  EXPECT_GT(Measure("x").Width(), 0);
}

}  // namespace
