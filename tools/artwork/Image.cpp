#include "tools/artwork/Image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace artwork {

void Image::Paste(const Image& other, int x, int y) {
  for (int row = 0; row < other.height; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= height) continue;
    const int from = std::max(0, -x), to = std::min(other.width, width - x);
    if (to <= from) continue;
    std::memcpy(Pixel(x + from, ty), other.Pixel(from, row), static_cast<size_t>(to - from) * 4);
  }
}

Image FrameOf(const Image& strip, int index, int frameHeight) {
  Image frame(strip.width, frameHeight);
  frame.Paste(strip, 0, -index * frameHeight);
  return frame;
}

Image VerticalStrip(const std::vector<Image>& frames) {
  Image strip(frames.front().width, frames.front().height * static_cast<int>(frames.size()));
  for (size_t i = 0; i < frames.size(); ++i) strip.Paste(frames[i], 0, static_cast<int>(i) * frames.front().height);
  return strip;
}

bool WritePng(const std::string& path, const Image& image) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info;
  if (ok && setjmp(png_jmpbuf(png)))
    ok = false;
  else if (ok) {
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) png_write_row(png, image.Pixel(0, y));
    png_write_end(png, info);
  }
  png_destroy_write_struct(&png, &info);
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) std::fprintf(stderr, "failed writing %s\n", path.c_str());
  return ok;
}

}  // namespace artwork
