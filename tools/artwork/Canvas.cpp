#include "tools/artwork/Canvas.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// One running-average pass along rows (step 1) or columns (step = row length) of a mask.
void BoxBlurPass(std::vector<float>& mask, int width, int height, int radius, bool horizontal) {
  const int lines = horizontal ? height : width;
  const int length = horizontal ? width : height;
  const int stride = horizontal ? 1 : width;
  std::vector<float> line(length);
  for (int l = 0; l < lines; ++l) {
    float* base = mask.data() + (horizontal ? static_cast<size_t>(l) * width : l);
    for (int i = 0; i < length; ++i) line[i] = base[static_cast<size_t>(i) * stride];
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += (i >= 0 && i < length) ? line[i] : 0.0f;
    for (int i = 0; i < length; ++i) {
      base[static_cast<size_t>(i) * stride] = sum / (2 * radius + 1);
      const int add = i + radius + 1, drop = i - radius;
      if (add < length) sum += line[add];
      if (drop >= 0) sum -= line[drop];
    }
  }
}

// Three box passes each way approximate a Gaussian with standard deviation `sigma` samples.
void GaussianBlur(std::vector<float>& mask, int width, int height, float sigma) {
  const int radius = std::max(1, static_cast<int>(std::lround(std::sqrt(4.0f * sigma * sigma + 1.0f) / 2.0f)));
  for (int pass = 0; pass < 3; ++pass) {
    BoxBlurPass(mask, width, height, radius, true);
    BoxBlurPass(mask, width, height, radius, false);
  }
}

}  // namespace

Canvas::Canvas(int width, int height, int scale)
    : mWidth(width),
      mHeight(height),
      mScale(scale),
      mSamplesX(width * scale),
      mSamplesY(height * scale),
      mPixels(static_cast<size_t>(mSamplesX) * mSamplesY * 4, 0.0f) {}

Canvas::Span Canvas::Clip(const Rect& bounds) const {
  const Rect grown = bounds.Grown(1.0f);
  return {std::max(0, static_cast<int>(std::floor(grown.left * mScale))),
          std::max(0, static_cast<int>(std::floor(grown.top * mScale))),
          std::min(mSamplesX, static_cast<int>(std::ceil(grown.right * mScale))),
          std::min(mSamplesY, static_cast<int>(std::ceil(grown.bottom * mScale)))};
}

std::vector<float> Canvas::Coverage(const Shape& shape, const Span& span, Vec2 offset) const {
  const int w = std::max(0, span.x1 - span.x0), h = std::max(0, span.y1 - span.y0);
  std::vector<float> mask(static_cast<size_t>(w) * h, 0.0f);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Vec2 p = {(span.x0 + x + 0.5f) / mScale - offset.x, (span.y0 + y + 0.5f) / mScale - offset.y};
      mask[static_cast<size_t>(y) * w + x] = Clamp01(0.5f - shape.distance(p) * mScale);
    }
  }
  return mask;
}

void Canvas::BlendMask(const std::vector<float>& mask, const Span& span, Colour colour) {
  const int w = span.x1 - span.x0;
  for (int y = span.y0; y < span.y1; ++y)
    for (int x = span.x0; x < span.x1; ++x)
      BlendSample(x, y, colour, mask[static_cast<size_t>(y - span.y0) * w + (x - span.x0)]);
}

void Canvas::BlendSample(int sx, int sy, Colour colour, float coverage) {
  if (sx < 0 || sy < 0 || sx >= mSamplesX || sy >= mSamplesY) return;
  const float a = Clamp01(colour.a * coverage);
  if (a <= 0.0f) return;
  float* px = &mPixels[(static_cast<size_t>(sy) * mSamplesX + sx) * 4];
  const float keep = 1.0f - a;
  px[0] = colour.r * a + px[0] * keep;
  px[1] = colour.g * a + px[1] * keep;
  px[2] = colour.b * a + px[2] * keep;
  px[3] = a + px[3] * keep;
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
  const Span span = Clip(shape.bounds);
  for (int y = span.y0; y < span.y1; ++y) {
    for (int x = span.x0; x < span.x1; ++x) {
      const Vec2 p = {(x + 0.5f) / mScale, (y + 0.5f) / mScale};
      const float coverage = Clamp01(0.5f - shape.distance(p) * mScale);
      if (coverage > 0.0f) BlendSample(x, y, paint(p), coverage * opacity);
    }
  }
}

void Canvas::Shadow(const Shape& shape, Colour colour, float blur, Vec2 offset) {
  const Span span = Clip(shape.bounds.Moved(offset).Grown(blur * 3.0f));
  std::vector<float> mask = Coverage(shape, span, offset);
  GaussianBlur(mask, span.x1 - span.x0, span.y1 - span.y0, blur * mScale);
  BlendMask(mask, span, colour);
}

void Canvas::InnerShadow(const Shape& shape, Colour colour, float blur, Vec2 offset) {
  const Span span = Clip(shape.bounds);
  // Outside of the shifted shape, blurred, then kept only inside the shape itself.
  std::vector<float> mask = Coverage(shape, span, offset);
  for (float& m : mask) m = 1.0f - m;
  GaussianBlur(mask, span.x1 - span.x0, span.y1 - span.y0, blur * mScale);
  const std::vector<float> inside = Coverage(shape, span, {0, 0});
  for (size_t i = 0; i < mask.size(); ++i) mask[i] *= inside[i];
  BlendMask(mask, span, colour);
}

void Canvas::DrawImage(const Image& image, int x, int y, float opacity) {
  for (int iy = 0; iy < image.height; ++iy) {
    for (int ix = 0; ix < image.width; ++ix) {
      const std::uint8_t* p = image.Pixel(ix, iy);
      const Colour c = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
      for (int sy = 0; sy < mScale; ++sy)
        for (int sx = 0; sx < mScale; ++sx) BlendSample((x + ix) * mScale + sx, (y + iy) * mScale + sy, c, opacity);
    }
  }
}

Image Canvas::Resolve() const {
  Image out(mWidth, mHeight);
  const float samples = static_cast<float>(mScale * mScale);
  for (int y = 0; y < mHeight; ++y) {
    for (int x = 0; x < mWidth; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (int sy = 0; sy < mScale; ++sy) {
        const float* row = &mPixels[(static_cast<size_t>(y * mScale + sy) * mSamplesX + x * mScale) * 4];
        for (int i = 0; i < mScale * 4; ++i) sum[i % 4] += row[i];
      }
      std::uint8_t* px = out.Pixel(x, y);
      const float alpha = sum[3] / samples;
      for (int c = 0; c < 3; ++c) {
        const float straight = alpha > 0 ? sum[c] / sum[3] : 0.0f;
        px[c] = static_cast<std::uint8_t>(std::lround(Clamp01(straight) * 255.0f));
      }
      px[3] = static_cast<std::uint8_t>(std::lround(Clamp01(alpha) * 255.0f));
    }
  }
  return out;
}

}  // namespace artwork
