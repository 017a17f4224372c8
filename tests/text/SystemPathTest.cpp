// Which path draws: the system (GDI) or the glyph cache.
#include "TextFixture.h"

#include "raster/MemBitmap.h"

#ifdef _WIN32
#include "raster/gdi/Raster_WineCheck.h"

#include <windows.h>
#endif

namespace {

#ifdef _WIN32

// A system bitmap that notes every request for its device context (only the system path makes one)
// and can ask for the glyph cache through the extension query.
class SpyBitmap : public Raster_SysBitmap {
public:
  SpyBitmap(int w, int h, bool wantsCache = false) : Raster_SysBitmap(w, h), mWantsCache(wantsCache) {}
  void* DeviceContext() override
  {
    ++deviceContextRequests;
    return Raster_SysBitmap::DeviceContext();
  }
  intptr_t ExtraQuery(int id, void* data) override
  {
    if (mWantsCache && id == Raster_CachedFont::kQueryWantsCachedText) return 1;
    return Raster_SysBitmap::ExtraQuery(id, data);
  }
  int deviceContextRequests = 0;

private:
  bool mWantsCache;
};

// Independent of the registry: only Wine's ntdll exports its version.
bool ReallyUnderWine()
{
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

class SystemPathTest : public TextFixture {
protected:
  void SetUp() override
  {
    Raster_SetWineAnswer(0);
    UseFont(60, 1);
  }
  void TearDown() override { Raster_SetWineAnswer(-1); }

  int Draw(Raster_IBitmap& canvas, const std::string& text, int flags = 0)
  {
    IBounds rect(0, 0, canvas.PixelWidth(), canvas.PixelHeight());
    return font->DrawTextRun(&canvas, text.c_str(), -1, &rect, flags);
  }

  // Width measured by the system: no destination and no "need alpha".
  int SystemWidth(const std::string& text)
  {
    IBounds rect(0, 0, 1000, 1000);
    font->DrawTextRun(nullptr, text.c_str(), -1, &rect, Raster_IFont::kTextMeasure | Raster_IFont::kTextSingleLine);
    return rect.Width();
  }
};

TEST_F(SystemPathTest, OpaqueInkDrawsThroughTheSystemAndTranslucentInkFromTheCache)
{
  SpyBitmap canvas(80, 70);
  Clear(canvas);
  EXPECT_GT(Draw(canvas, "I"), 0);
  EXPECT_GT(canvas.deviceContextRequests, 0);
  EXPECT_EQ(Darkest(canvas), 0);

  canvas.deviceContextRequests = 0;
  Clear(canvas);
  font->SetInkColour(0xC8000000u);
  EXPECT_GT(Draw(canvas, "I", Raster_IFont::kTextUseInkAlpha), 0);
  EXPECT_EQ(canvas.deviceContextRequests, 0);
  EXPECT_EQ(Darkest(canvas), 255 * 57 / 256);  // full coverage at weight 200 / 256
}

TEST_F(SystemPathTest, UnderWineEveryTextComesFromTheCacheAndTheRegistryIsAskedOnce)
{
  Raster_SetWineAnswer(-1);
  const int lookups = Raster_WineRegistryLookups();
  SpyBitmap canvas(80, 70);
  Clear(canvas);
  Draw(canvas, "I");
  Draw(canvas, "II");
  EXPECT_GT(SystemWidth("I"), 0);
  EXPECT_EQ(Raster_WineRegistryLookups(), lookups + 1);
  EXPECT_EQ(Raster_RunningUnderWine(), ReallyUnderWine());
  EXPECT_EQ(canvas.deviceContextRequests == 0, ReallyUnderWine());
  EXPECT_EQ(Darkest(canvas), 0);

  // Told it is Wine, the font never asks the system to draw, opaque ink included.
  Raster_SetWineAnswer(1);
  canvas.deviceContextRequests = 0;
  Draw(canvas, "I");
  EXPECT_EQ(canvas.deviceContextRequests, 0);
  EXPECT_EQ(Raster_WineRegistryLookups(), lookups + 1);
}

TEST_F(SystemPathTest, TallFontsDrawThroughTheSystemAndTheCacheQueryWins)
{
  Raster_SetWineAnswer(1);
  UseFont(300);
  ASSERT_GE(font->LineHeight(), 256);
  SpyBitmap canvas(200, 320);
  Clear(canvas);
  EXPECT_GT(Draw(canvas, "I", Raster_IFont::kTextNeedAlpha), 0);
  EXPECT_GT(canvas.deviceContextRequests, 0);
  EXPECT_EQ(Darkest(canvas), 0);

  Raster_SetWineAnswer(0);
  UseFont(60, 1);
  SpyBitmap wantsCache(80, 70, true);
  Clear(wantsCache);
  EXPECT_GT(Draw(wantsCache, "I"), 0);
  EXPECT_EQ(wantsCache.deviceContextRequests, 0);
  EXPECT_EQ(Darkest(wantsCache), 0);
}

TEST_F(SystemPathTest, SystemDrawsAmpersandsLiterallyAndUtf8AsWideText)
{
  UseFont(20);
  EXPECT_GT(SystemWidth("&"), 0);
  EXPECT_EQ(SystemWidth("&&"), 2 * SystemWidth("&"));
  Raster_SysBitmap canvas(40, 30);
  Clear(canvas);
  Draw(canvas, "&");  // a mnemonic prefix alone would draw nothing
  EXPECT_GE(InkBounds(canvas).right, 0);

  // Two-byte letters measure as the cache measures them, not as their 8-bit bytes would.
  const std::string accented = "\xC3\x89\xC3\xA9t\xC3\xA9";
  EXPECT_EQ(SystemWidth(accented), Measure(accented, Raster_IFont::kTextSingleLine).Width());
  EXPECT_NE(SystemWidth(accented), SystemWidth("\xC3\x89\xC3\xA9t"));
}

TEST_F(SystemPathTest, SystemMeasuresNothingAsAnEmptyExtent)
{
  IBounds rect(5, 7, 100, 100);
  EXPECT_EQ(font->DrawTextRun(nullptr, "", -1, &rect, Raster_IFont::kTextMeasure), 0);
  EXPECT_EQ(rect, IBounds(5, 7, 5, 7));
}

TEST_F(SystemPathTest, DestinationWithoutDeviceContextGoesThroughTheTransferBitmap)
{
  UseFont(20);
  Raster_SysBitmap direct(120, 40);
  Raster_MemBitmap memory(120, 40);
  Clear(direct);
  Clear(memory);
  IBounds rect(10, 5, 110, 35);
  font->DrawTextRun(&direct, "Hg&8", -1, &rect, Raster_IFont::kTextCentre);
  font->DrawTextRun(&memory, "Hg&8", -1, &rect, Raster_IFont::kTextCentre);
  EXPECT_GE(InkBounds(memory).left, rect.left);
  EXPECT_TRUE(SamePixels(direct, memory));
}

#else

TEST(SystemPath, WithoutGdiEveryTextComesFromTheCache)
{
  // The FreeType build has no system drawing: the flags that would choose it change nothing.
  Raster_CachedFont font;
  font.AttachSystemFont(Raster_CreateSystemFont("Arial", 20, 0, 0, 0),
                        Raster_IFont::kFontOwnsSystemFont | Raster_IFont::kFontRenderNatively);
  Raster_SysBitmap plain(60, 30), cached(60, 30);
  for (Raster_SysBitmap* canvas : {&plain, &cached})
    for (int i = 0; i < 60 * 30; ++i) canvas->PixelData()[i] = 0xFFFFFFFFu;
  IBounds rect(0, 0, 60, 30);
  EXPECT_EQ(font.DrawTextRun(&plain, "Hg", -1, &rect, 0), 20);
  EXPECT_EQ(font.DrawTextRun(&cached, "Hg", -1, &rect, Raster_IFont::kTextNeedAlpha), 20);
  EXPECT_EQ(std::memcmp(plain.PixelData(), cached.PixelData(), 60 * 30 * 4), 0);
  EXPECT_NE(plain.PixelData()[12 * 60 + 3], 0xFFFFFFFFu);
}

#endif

}  // namespace
