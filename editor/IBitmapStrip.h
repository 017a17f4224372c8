#pragma once

#include <cstdint>

#include "editor/IBounds.h"

class Raster_IBitmap;

// A loaded image seen as a film strip of equally sized frames.
struct IBitmapStrip {
  Raster_IBitmap* bitmap = nullptr;  // owned by the process-wide bitmap cache
  int32_t width = 0;                 // of the whole image
  int32_t height = 0;
  int32_t frames = 1;
  bool horizontal = false;  // false: frames stacked top to bottom

  struct Offset {
    int32_t x = 0;
    int32_t y = 0;
  };

  // Pixel offset of frame k (1-based) inside the image, rounded to the nearest pixel so that
  // strips whose size is not a multiple of the frame count still spread their frames evenly.
  Offset FrameOffset(int k) const;

  // The frame (1-based) that shows a normalised value: the nearest of the strip's frames, limited
  // to 1..frames (a NaN shows the first).
  int FrameForValue(double value) const;

  // Where one frame of a vertical strip lands when its top-left corner is at (x, y).
  IBounds FrameBoundsAt(int32_t x, int32_t y) const;
};
