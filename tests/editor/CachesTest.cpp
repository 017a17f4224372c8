#include "tests/editor/EditorHarness.h"

#include "editor/EditorCaches.h"
#include "raster/MemBitmap.h"

namespace {

// An editor whose image loads are counted; ids from 9000 are made up on the spot.
class CountingEditor : public IGraphicsOffscreen
{
public:
  using IGraphicsOffscreen::IGraphicsOffscreen;

  Raster_IBitmap* LoadBitmapResource(int resourceId, const char* fileName) override
  {
    ++loads;
    if (resourceId >= 9000) return new Raster_MemBitmap(30, 90);
    return IGraphicsOffscreen::LoadBitmapResource(resourceId, fileName);
  }

  int loads = 0;
};

TEST(BitmapCache, ImagesAreLoadedOncePerProcessAcrossInstances)
{
  EditorTestEffect first, second;
  auto* a = new CountingEditor(&first, 100, 100, 0);
  auto* b = new CountingEditor(&second, 100, 100, 0);
  first.AttachEditor(a);
  second.AttachEditor(b);
  const int cached = BitmapCache::Count();

  const IBitmapStrip one = a->LoadStrip(9001, "made-up.png", 3);
  const IBitmapStrip again = a->LoadStrip(9001, "made-up.png", 1, true);
  const IBitmapStrip other = b->LoadStrip(9001, "made-up.png", 3);
  EXPECT_EQ(a->loads + b->loads, 1);
  EXPECT_EQ(one.bitmap, again.bitmap);
  EXPECT_EQ(one.bitmap, other.bitmap);
  EXPECT_EQ(BitmapCache::Count(), cached + 1);
  EXPECT_EQ(one.width, 30);
  EXPECT_EQ(one.height, 90);
  EXPECT_EQ(one.frames, 3);
  EXPECT_FALSE(one.horizontal);
  EXPECT_TRUE(again.horizontal);
}

TEST(BitmapCache, BackgroundIsAnOpaqueImageControlAtIndexZero)
{
  EditorTestEffect plug;
  auto* editor = new CountingEditor(&plug, 100, 100, 0);
  plug.AttachEditor(editor);
  ProbeControl* probe = new ProbeControl(&plug, IBounds(0, 0, 5, 5), -1);
  editor->AddControl(probe);
  IControl* background = editor->AddBackground(9002, "made-up.png");
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(editor->Control(0), background);
  EXPECT_EQ(editor->Control(1), probe);
  EXPECT_EQ(background->Rect(), IBounds(0, 0, 30, 90));
  EXPECT_EQ(background->ParamIdx(), -1);
  EXPECT_EQ(background->Blend().method, kBlendCopy);
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(BitmapCacheDeathTest, AMissingImageIsABuildDefect)
{
  EditorTestEffect plug;
  IGraphicsOffscreen editor(&plug, 100, 100, 0);
  EXPECT_DEATH(editor.LoadStrip(4321, "nothing.png", 1), "imgResourceFound");
}
#endif

TEST(OffscreenImages, OnlyPngNamesAndEmbeddedIdsLoad)
{
  EditorTestEffect plug;
  IGraphicsOffscreen editor(&plug, 100, 100, 0);
  struct Case
  {
    int id;
    const char* name;
    int width;  // 0: no image
  } cases[] = {{104, "resources/img/led.png", 16}, {104, "LED.PNG", 16}, {104, "led.bmp", 0},
               {104, "png", 0},                    {104, nullptr, 0},   {4321, "x.png", 0}};
  for (const Case& c : cases) {
    std::unique_ptr<Raster_IBitmap> image(editor.LoadBitmapResource(c.id, c.name));
    EXPECT_EQ(image ? image->PixelWidth() : 0, c.width) << (c.name ? c.name : "(null)");
  }
}

} // namespace
