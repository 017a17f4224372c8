#include "tests/editor/EditorHarness.h"

#include "editor/EditorCaches.h"
#include "editor/ITextControl.h"
#include "raster/SysBitmap.h"

namespace {

struct Text : ::testing::Test
{
  void SetUp() override { h.Attach(); }

  // The rectangle a measurement of "Quil 41" puts around the text from (100, 0, 201, 20).
  IBounds Measured(int align)
  {
    ITextStyle style;
    style.size = 14;
    style.align = align;
    IBounds rect(100, 0, 201, 20);
    EXPECT_TRUE(h.editor->MeasureText(&style, "Quil 41", &rect));
    return rect;
  }

  EditorHarness h;
};

TEST_F(Text, MeasuringPlacesTheRectangleByAlignment)
{
  const IBounds left = Measured(kAlignLeft);
  const int w = left.Width(), lineHeight = left.Height();
  ASSERT_GT(w, 20);
  ASSERT_GT(lineHeight, 10);
  EXPECT_EQ(left, IBounds(100, 0, 100 + w, lineHeight));
  EXPECT_EQ(Measured(kAlignCentre), IBounds(150 - w / 2, 0, 150 - w / 2 + w, lineHeight));
  EXPECT_EQ(Measured(kAlignRight), IBounds(201 - w, 0, 201, lineHeight));
  EXPECT_EQ(Measured(7), Measured(kAlignRight)); // any other alignment is right
}

TEST_F(Text, EmptyTextsSucceedWithoutTouchingTheRectangle)
{
  ITextStyle style;
  IBounds rect(1, 2, 3, 4);
  EXPECT_TRUE(h.editor->RenderText(&style, "", &rect, true));
  EXPECT_TRUE(h.editor->RenderText(&style, nullptr, &rect, false));
  EXPECT_EQ(rect, IBounds(1, 2, 3, 4));
  EXPECT_EQ(style.font, nullptr);
}

TEST_F(Text, FontsAreSharedByStylesDifferingOutsideTheKey)
{
  ITextStyle grey;
  grey.size = 14;
  grey.colour = IRgba(255, 128, 128, 128);
  ITextStyle crisp = grey;
  crisp.quality = kQualityNonAntialiased;
  crisp.align = kAlignLeft;
  ITextStyle bigger = grey;
  bigger.size = 15;

  Raster_CachedFont* font = h.editor->FindOrCreateFont(&grey);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(grey.font, font);
  const int cached = FontCache::Count();
  EXPECT_EQ(h.editor->FindOrCreateFont(&crisp), font);
  EXPECT_EQ(FontCache::Count(), cached);
  Raster_CachedFont* other = h.editor->FindOrCreateFont(&bigger);
  EXPECT_NE(other, font);
  EXPECT_EQ(FontCache::Count(), cached + 1);
}

TEST_F(Text, TextControlDrawsInsideItsRectangle)
{
  ITextStyle white;
  white.size = 14;
  white.colour = kColourWhite;
  ITextControl* text = new ITextControl(h.plug.get(), IBounds(20, 20, 120, 40), white, "v1.0.3");
  h.editor->AddControl(text);
  h.editor->Tick();
  Raster_IBitmap* screen = h.editor->Screen();
  int inside = 0, outside = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool lit = (screen->PixelData()[y * screen->RowPixels() + x] & 0xFFFFFFu) != 0;
      (text->Rect().Contains(x, y) ? inside : outside) += lit;
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

} // namespace
