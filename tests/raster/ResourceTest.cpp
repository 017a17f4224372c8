#include <gtest/gtest.h>

#include <memory>

#include "raster/Png.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Where this program's images live: its own module on Windows (the test links the resource script),
// the embedded table elsewhere.
void* ThisModule() {
#ifdef _WIN32
  return GetModuleHandleW(nullptr);
#else
  return nullptr;
#endif
}

struct EditorImage {
  int id;
  int width;
  int height;
};

class EditorImages : public testing::TestWithParam<EditorImage> {};

TEST_P(EditorImages, DecodeToTheirExactSize) {
  const EditorImage& image = GetParam();
  std::unique_ptr<Raster_IBitmap> bitmap(Raster_PngFromResource(ThisModule(), image.id));
  ASSERT_NE(bitmap, nullptr) << "resource " << image.id;
  EXPECT_EQ(bitmap->PixelWidth(), image.width);
  EXPECT_EQ(bitmap->PixelHeight(), image.height);
  EXPECT_EQ(bitmap->RowPixels(), (image.width + 3) / 4 * 4);  // the knob strip's rows lie 64 pixels apart
}

INSTANTIATE_TEST_SUITE_P(Resources, EditorImages,
                         testing::Values(EditorImage{100, 410, 460},  // background
                                         EditorImage{101, 64, 6400},  // knob, 100 frames
                                         EditorImage{102, 64, 256},   // range selector, 4 frames
                                         EditorImage{103, 90, 32},    // side switch, 2 frames
                                         EditorImage{104, 16, 32}));  // LED, 2 frames

TEST(Resources, OnlyTheLow16BitsOfTheNumberCount) {
  std::unique_ptr<Raster_IBitmap> bitmap(Raster_PngFromResource(ThisModule(), 0x10000 + 104));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->PixelWidth(), 16);
}

TEST(Resources, UnknownNumbersGiveNothing) {
  EXPECT_EQ(Raster_PngFromResource(ThisModule(), 99), nullptr);
  EXPECT_EQ(Raster_PngFromResource(ThisModule(), 105), nullptr);
  EXPECT_EQ(Raster_PngFromResource(ThisModule(), 0), nullptr);
}

}  // namespace
