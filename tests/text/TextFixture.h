#pragma once

#include "editor/IBounds.h"
#include "raster/Raster_CachedFont.h"
#include "raster/Raster_SystemText.h"
#include "raster/SysBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

// A white opaque canvas and an Arial font of a chosen cell height, owned the way the editor owns its
// fonts (the font deletes its system font).
class TextFixture : public ::testing::Test {
protected:
  static constexpr uint32_t kWhite = 0xFFFFFFFFu;
  static constexpr uint32_t kBlack = 0xFF000000u;

  void UseFont(int cellHeight, int style = 0)
  {
    font = std::make_unique<Raster_CachedFont>();
    void* system = Raster_CreateSystemFont("Arial", cellHeight, style, 0, 0);
    ASSERT_NE(system, nullptr) << "no font for Arial";
    font->AttachSystemFont(system, Raster_IFont::kFontOwnsSystemFont | Raster_IFont::kFontRenderNatively);
    font->SetInkColour(kBlack);
  }

  void Clear(Raster_IBitmap& bitmap, uint32_t colour = kWhite)
  {
    for (int y = 0; y < bitmap.PixelHeight(); ++y)
      for (int x = 0; x < bitmap.PixelWidth(); ++x) Pixel(bitmap, x, y) = colour;
  }

  static uint32_t& Pixel(Raster_IBitmap& bitmap, int x, int y) { return bitmap.PixelData()[y * bitmap.RowPixels() + x]; }

  // Width and height of a text's extent, measured through the glyph cache.
  IBounds Measure(const std::string& text, int flags = 0)
  {
    IBounds rect(0, 0, 1000, 1000);
    font->DrawTextRun(nullptr, text.c_str(), static_cast<int>(text.size()), &rect,
                      flags | Raster_IFont::kTextMeasure | Raster_IFont::kTextNeedAlpha);
    return rect;
  }

  // The smallest rectangle holding every pixel whose colour differs from the background.
  static IBounds InkBounds(Raster_IBitmap& bitmap, uint32_t background = kWhite)
  {
    IBounds ink(bitmap.PixelWidth(), bitmap.PixelHeight(), -1, -1);
    for (int y = 0; y < bitmap.PixelHeight(); ++y)
      for (int x = 0; x < bitmap.PixelWidth(); ++x)
        if ((Pixel(bitmap, x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
          ink = IBounds(std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1));
    return ink;
  }

  // The darkest red value on the canvas.
  static int Darkest(Raster_IBitmap& bitmap)
  {
    int darkest = 255;
    for (int y = 0; y < bitmap.PixelHeight(); ++y)
      for (int x = 0; x < bitmap.PixelWidth(); ++x) darkest = std::min<int>(darkest, (Pixel(bitmap, x, y) >> 16) & 0xFF);
    return darkest;
  }

  static bool SamePixels(Raster_IBitmap& a, Raster_IBitmap& b)
  {
    for (int y = 0; y < a.PixelHeight(); ++y)
      for (int x = 0; x < a.PixelWidth(); ++x)
        if (Pixel(a, x, y) != Pixel(b, x, y)) return false;
    return true;
  }

  std::unique_ptr<Raster_CachedFont> font;
};
