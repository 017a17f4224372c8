#pragma once
// An 8-bit RGBA picture with straight alpha, as the editor loads it, and its PNG file.

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // rows top-down, 4 bytes per pixel

  Image() = default;
  Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}
  std::uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  const std::uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  // Places `other` with its top-left corner at (x, y), replacing what was there.
  void Paste(const Image& other, int x, int y);
};

// Frame `index` of a strip whose frames are stacked top to bottom.
Image FrameOf(const Image& strip, int index, int frameHeight);

// Frames stacked top to bottom, as the editor's strips expect them.
Image VerticalStrip(const std::vector<Image>& frames);

// Writes 8-bit RGBA with zlib's default compression; false (after a message on stderr) on failure.
bool WritePng(const std::string& path, const Image& image);

}  // namespace artwork
