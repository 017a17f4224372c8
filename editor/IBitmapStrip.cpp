#include "editor/IBitmapStrip.h"

#include <cmath>

IBitmapStrip::Offset IBitmapStrip::FrameOffset(int k) const {
  Offset offset;
  if (frames <= 1 || k <= 1) return offset;
  const double extent = horizontal ? width : height;
  const int32_t along = static_cast<int32_t>(extent * (k - 1) / frames + 0.5);
  (horizontal ? offset.x : offset.y) = along;
  return offset;
}

IBounds IBitmapStrip::FrameBoundsAt(int32_t x, int32_t y) const {
  // A strip is never built with fewer than one frame; guard the division all the same.
  const int32_t frameHeight = frames > 0 ? height / frames : height;
  return IBounds(x, y, x + width, y + frameHeight);
}

int IBitmapStrip::FrameForValue(double value) const {
  if (frames <= 1) return 1;
  const double frame = std::trunc((frames - 1) * value + 0.5) + 1.0;
  if (!(frame >= 1.0)) return 1;
  return frame >= frames ? frames : static_cast<int>(frame);
}
