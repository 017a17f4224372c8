#pragma once

#include <cstdint>

// A colour with straight (not premultiplied) alpha; each channel is meant to lie in 0..255.
struct IRgba {
  int32_t alpha = 255;
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;

  constexpr IRgba() = default;
  constexpr IRgba(int32_t a, int32_t r, int32_t g, int32_t b) : alpha(a), red(r), green(g), blue(b) {}

  // The raster pixel word: alpha in the top byte, then red, green, blue; each channel's low 8 bits.
  constexpr uint32_t Packed() const {
    return (uint32_t(alpha) & 0xffu) << 24 | (uint32_t(red) & 0xffu) << 16 | (uint32_t(green) & 0xffu) << 8 |
           (uint32_t(blue) & 0xffu);
  }

  constexpr bool operator==(const IRgba& o) const {
    return alpha == o.alpha && red == o.red && green == o.green && blue == o.blue;
  }
  constexpr bool operator!=(const IRgba& o) const { return !(*this == o); }
};

inline constexpr IRgba kColourBlack(255, 0, 0, 0);
inline constexpr IRgba kColourWhite(255, 255, 255, 255);
inline constexpr IRgba kColourGreen(255, 0, 255, 0);
