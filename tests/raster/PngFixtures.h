#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

// A small image described sample by sample, to be written as a PNG by libpng itself.
struct PngImage {
  int width = 1;
  int height = 1;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<unsigned> samples;            // row by row, channel by channel, each below 2^bitDepth
  std::vector<png_color> palette;           // palette images only
  std::vector<png_byte> paletteAlpha;       // a tRNS chunk for palette images
  std::vector<png_uint_16> transparentKey;  // a tRNS chunk for grey (1 value) or RGB (3 values) images
};

// The PNG file of the image; empty if libpng refused it (a fault in the fixture).
std::vector<uint8_t> EncodePng(const PngImage& image);
