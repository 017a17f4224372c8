#pragma once
// A supersampled drawing surface: shapes are filled at `scale` × `scale` samples per output pixel in
// premultiplied float RGBA, and Resolve() averages them down into an anti-aliased 8-bit image.

#include <vector>

#include "tools/artwork/Image.h"
#include "tools/artwork/Shapes.h"

namespace artwork {

class Canvas {
 public:
  Canvas(int width, int height, int scale = 4);

  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int Scale() const { return mScale; }

  // Paints the inside of `shape` over what is there (source-over).
  void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
  // A blurred copy of `shape` moved by `offset`, drawn beneath nothing: call it before the shape itself.
  void Shadow(const Shape& shape, Colour colour, float blur, Vec2 offset = {0, 0});
  // Shade cast inside `shape` by its own rim, as in a recess lit from above (`offset` points away from the light).
  void InnerShadow(const Shape& shape, Colour colour, float blur, Vec2 offset);
  // Blends one sample (supersampled coordinates) with a coverage; text rendering uses this.
  void BlendSample(int sx, int sy, Colour colour, float coverage);
  // Draws an 8-bit image with its top-left corner at output pixel (x, y), at a constant opacity.
  void DrawImage(const Image& image, int x, int y, float opacity = 1.0f);

  Image Resolve() const;

 private:
  struct Span {
    int x0, y0, x1, y1;  // supersampled, clipped, exclusive ends
  };
  Span Clip(const Rect& bounds) const;
  // Coverage of `shape` over `span`, one float per sample.
  std::vector<float> Coverage(const Shape& shape, const Span& span, Vec2 offset) const;
  void BlendMask(const std::vector<float>& mask, const Span& span, Colour colour);

  int mWidth, mHeight, mScale;
  int mSamplesX, mSamplesY;
  std::vector<float> mPixels;  // premultiplied r, g, b, a per sample
};

}  // namespace artwork
