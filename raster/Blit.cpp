#include "raster/Blit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

// Where a block starts in a bitmap and how far apart its image rows lie, bottom-up storage honoured.
struct RowCursor {
  uint32_t* first;
  ptrdiff_t step;

  uint32_t* Row(int y) const { return first + y * step; }
};

RowCursor RowsOf(Raster_IBitmap* bitmap, int x, int y) {
  const ptrdiff_t row = bitmap->RowPixels();
  if (bitmap->RowsBottomUp()) return {bitmap->PixelData() + (bitmap->PixelHeight() - 1 - y) * row + x, -row};
  return {bitmap->PixelData() + y * row + x, row};
}

template <typename PixelOp>
void CombineRows(RowCursor dst, RowCursor src, int w, int h, PixelOp op) {
  for (int y = 0; y < h; ++y) {
    uint32_t* d = dst.Row(y);
    const uint32_t* s = src.Row(y);
    for (int x = 0; x < w; ++x) d[x] = op(s[x], d[x]);
  }
}

template <typename PixelOp>
void FillRows(RowCursor dst, int w, int h, PixelOp op) {
  for (int y = 0; y < h; ++y) {
    uint32_t* d = dst.Row(y);
    for (int x = 0; x < w; ++x) d[x] = op(d[x]);
  }
}

constexpr int kBlueShift = 0, kGreenShift = 8, kRedShift = 16, kAlphaShift = 24;

int ChannelOf(uint32_t pixel, int shift) { return int(pixel >> shift) & 0xff; }
int AlphaOf(uint32_t pixel) { return ChannelOf(pixel, kAlphaShift); }
int Clamp(int v) { return std::min(255, std::max(0, v)); }

uint32_t Pack(int b, int g, int r, int a) {
  return uint32_t(a) << kAlphaShift | uint32_t(r) << kRedShift | uint32_t(g) << kGreenShift | uint32_t(b);
}

// Applies f(source channel, destination channel) to blue, green and red, and takes alpha as given.
template <typename ChannelOp>
uint32_t OnColours(uint32_t s, uint32_t d, int alphaOut, ChannelOp f) {
  return Pack(f(ChannelOf(s, kBlueShift), ChannelOf(d, kBlueShift)),
              f(ChannelOf(s, kGreenShift), ChannelOf(d, kGreenShift)),
              f(ChannelOf(s, kRedShift), ChannelOf(d, kRedShift)), alphaOut);
}

template <typename ChannelOp>
uint32_t OnAllChannels(uint32_t s, uint32_t d, ChannelOp f) {
  return OnColours(s, d, f(AlphaOf(s), AlphaOf(d)), f);
}

// s blended towards d; keep is d's share out of 256. Truncating division keeps the result between them.
int Mix(int s, int d, int keep) { return s + (d - s) * keep / 256; }
int Add(int s, int d, int weight) { return Clamp(d + s * weight / 256); }
int Dodge(int s, int d, int weight) {
  const int t = weight * s / 256;
  return Clamp(t > 254 ? d * 256 : d * 256 / (256 - t));
}

// Each byte of a word halved or quartered; sums of such parts never carry across a byte.
uint32_t Half(uint32_t a) { return (a >> 1) & 0x7f7f7f7fu; }
uint32_t Quarter(uint32_t a) { return (a >> 2) & 0x3f3f3f3fu; }
uint32_t HalfAndHalf(uint32_t a, uint32_t b) { return Half(a) + Half(b); }

// Opacity beyond 0..1 (never requested by the editor) would push the blends past a byte; NaN draws nothing.
bool LimitOpacity(float& alpha) {
  if (std::isnan(alpha) || alpha == 0.0f) return false;
  alpha = std::min(1.0f, std::max(-1.0f, alpha));
  return true;
}

int OpacityWeight(float alpha) { return int(alpha * 256.0f); }

// A solid colour into every channel; the fill's own weight stands in for the colour's alpha.
template <typename ChannelOp>
void FillPerChannel(RowCursor d, int w, int h, uint32_t colour, int weight, ChannelOp f) {
  FillRows(d, w, h, [=](uint32_t p) {
    return OnColours(colour, p, f(weight, AlphaOf(p), weight), [=](int s, int dst) { return f(s, dst, weight); });
  });
}

struct Block {
  int64_t dstx, dsty, sx, sy, w, h;
};

// A negative start on one side is taken up by the other: it moves forward by as much instead.
void MoveNegativeStart(int64_t& start, int64_t& other) {
  if (start >= 0) return;
  other -= start;
  start = 0;
}

// Clips the source rectangle against both bitmaps; false when nothing remains. 64-bit arithmetic
// so that extreme coordinates cannot overflow.
bool ClipComposite(Raster_IBitmap* dest, Raster_IBitmap* src, int x, int y, const IBounds* srcRect, Block& b) {
  int64_t dstx = x, dsty = y, sx = 0, sy = 0, sr = src->PixelWidth(), sb = src->PixelHeight();
  if (srcRect) {
    sx = srcRect->left;
    sy = srcRect->top;
    MoveNegativeStart(sx, dstx);
    MoveNegativeStart(sy, dsty);
    sr = std::min<int64_t>(srcRect->right, sr);
    sb = std::min<int64_t>(srcRect->bottom, sb);
  }
  MoveNegativeStart(dstx, sx);
  MoveNegativeStart(dsty, sy);
  const int64_t dw = dest->PixelWidth(), dh = dest->PixelHeight();
  if (sr <= sx || sb <= sy || dstx >= dw || dsty >= dh) return false;
  sr = std::min(sr, sx + dw - dstx);
  sb = std::min(sb, sy + dh - dsty);
  if (sr <= sx || sb <= sy) return false;
  b = {dstx, dsty, sx, sy, sr - sx, sb - sy};
  return true;
}

void CopyRows(RowCursor dst, RowCursor src, int w, int h) {
  for (int y = 0; y < h; ++y) std::memmove(dst.Row(y), src.Row(y), size_t(w) * 4);
}

void CompositeWithSourceAlpha(RowCursor d, RowCursor s, int w, int h, int op, int ia) {
  switch (op) {
    case kBlitCopy:
      if (ia < 0) return;
      if (ia == 256) {
        CombineRows(d, s, w, h, [](uint32_t src, uint32_t dst) {
          const int sa = AlphaOf(src);
          if (sa == 0) return dst;
          if (sa == 255) return src | 0xff000000u;
          return OnColours(src, dst, std::min(sa + AlphaOf(dst), 255),
                           [sa](int sc, int dc) { return Mix(sc, dc, 255 - sa); });
        });
      } else {
        CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
          const int sa = AlphaOf(src);
          if (sa == 0) return dst;
          const int weight = ia * (sa + 1) / 256;
          return OnColours(src, dst, std::min(weight + AlphaOf(dst), 255),
                           [weight](int sc, int dc) { return Mix(sc, dc, 256 - weight); });
        });
      }
      return;
    case kBlitAdd:
      CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
        const int sa = AlphaOf(src);
        if (sa == 0) return dst;
        const int weight = ia * (sa + 1) / 256;
        return OnAllChannels(src, dst, [weight](int sc, int dc) { return Add(sc, dc, weight); });
      });
      return;
    case kBlitDodge:
      CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
        const int weight = ia * (AlphaOf(src) + 1) / 256;
        return OnAllChannels(src, dst, [weight](int sc, int dc) { return Dodge(sc, dc, weight); });
      });
      return;
    default: return;
  }
}

void CompositeIgnoringSourceAlpha(RowCursor d, RowCursor s, int w, int h, int op, int ia) {
  switch (op) {
    case kBlitCopy:
      if (ia < 0) return;
      if (ia == 256) {
        CopyRows(d, s, w, h);
      } else {
        CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
          return OnAllChannels(src, dst, [ia](int sc, int dc) { return Mix(sc, dc, 256 - ia); });
        });
      }
      return;
    case kBlitAdd:
      CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
        return OnAllChannels(src, dst, [ia](int sc, int dc) { return Add(sc, dc, ia); });
      });
      return;
    case kBlitDodge:
      CombineRows(d, s, w, h, [ia](uint32_t src, uint32_t dst) {
        return OnAllChannels(src, dst, [ia](int sc, int dc) { return Dodge(sc, dc, ia); });
      });
      return;
    default: return;
  }
}

}  // namespace

void Raster_Composite(Raster_IBitmap* dest, Raster_IBitmap* src, int dstx, int dsty, const IBounds* srcRect,
                      float alpha, int mode) {
  if (!dest || !src || !LimitOpacity(alpha)) return;
  Block b;
  if (!ClipComposite(dest, src, dstx, dsty, srcRect, b)) return;
  if (!dest->PixelData() || !src->PixelData()) return;

  const RowCursor d = RowsOf(dest, int(b.dstx), int(b.dsty));
  const RowCursor s = RowsOf(src, int(b.sx), int(b.sy));
  const int w = int(b.w), h = int(b.h);
  const int op = mode & kBlitOperationMask;
  const bool useSourceAlpha = (mode & kBlitUseSourceAlpha) != 0;

  if (!useSourceAlpha && op == kBlitCopy) {
    if (alpha == 1.0f) return CopyRows(d, s, w, h);
    if (alpha == 0.5f) return CombineRows(d, s, w, h, HalfAndHalf);
  }
  const int ia = OpacityWeight(alpha);
  if (ia == 0) return;
  if (useSourceAlpha) {
    CompositeWithSourceAlpha(d, s, w, h, op, ia);
  } else {
    CompositeIgnoringSourceAlpha(d, s, w, h, op, ia);
  }
}

void Raster_FillBox(Raster_IBitmap* dest, int x, int y, int w, int h, uint32_t colour, float alpha, int mode) {
  if (!dest) return;
  if (mode & kBlitUseSourceAlpha) alpha *= float(AlphaOf(colour)) / 255.0f;
  int64_t bx = x, by = y, bw = w, bh = h;
  if (bx < 0) {
    bw += bx;
    bx = 0;
  }
  if (by < 0) {
    bh += by;
    by = 0;
  }
  if (!LimitOpacity(alpha) || !dest->PixelData() || dest->RowPixels() == 0 || bw <= 0 || bh <= 0 ||
      bx >= dest->PixelWidth() || by >= dest->PixelHeight()) {
    return;
  }
  bw = std::min<int64_t>(bw, dest->PixelWidth() - bx);
  bh = std::min<int64_t>(bh, dest->PixelHeight() - by);
  const RowCursor d = RowsOf(dest, int(bx), int(by));
  const int fw = int(bw), fh = int(bh);
  const int ia = OpacityWeight(alpha);
  const int op = mode & kBlitOperationMask;

  if (op == kBlitCopy) {
    switch (ia) {
      case 256: return FillRows(d, fw, fh, [colour](uint32_t) { return colour; });
      case 128: return FillRows(d, fw, fh, [colour](uint32_t p) { return HalfAndHalf(colour, p); });
      case 64: return FillRows(d, fw, fh, [colour](uint32_t p) { return Half(p) + Quarter(p) + Quarter(colour); });
      case 192:
        return FillRows(d, fw, fh, [colour](uint32_t p) { return Quarter(colour) + Quarter(p) + Half(colour); });
      default: break;
    }
  }
  if (ia == 0) return;
  switch (op) {
    case kBlitCopy:
      if (ia < 0) return;
      return FillPerChannel(d, fw, fh, colour, ia,
                            [](int s, int dst, int weight) { return Mix(s, dst, 256 - weight); });
    case kBlitAdd: return FillPerChannel(d, fw, fh, colour, ia, Add);
    case kBlitDodge: return FillPerChannel(d, fw, fh, colour, ia, Dodge);
    default: return;
  }
}
