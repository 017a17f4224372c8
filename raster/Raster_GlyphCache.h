#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One character of a font's glyph cache.
struct Raster_GlyphRecord {
  enum : int32_t { kNotRendered = 0, kNoPixels = -1 };

  int32_t maskOffset;  // 1-based position of the first mask byte, or kNotRendered / kNoPixels
  int32_t maskWidth;
  int32_t maskHeight;
  int32_t advance;     // horizontal pen movement
  uint16_t code;
};
static_assert(sizeof(Raster_GlyphRecord) == 20, "glyph records are 20 bytes");

// The glyph records of one font and their coverage masks (one byte per pixel, rows packed). Codes
// below 128 are indexed directly, others kept sorted by code for binary search.
class Raster_GlyphCache {
public:
  Raster_GlyphCache();

  const Raster_GlyphRecord* Find(int code) const;
  Raster_GlyphRecord* Find(int code);
  // The record of a code, added zeroed when absent. Adding may move the other high records.
  Raster_GlyphRecord* FindOrAdd(int code);
  void Clear();

  int MaskLength() const { return static_cast<int>(mMasks.size()); }
  const uint8_t* Mask(const Raster_GlyphRecord& glyph) const { return mMasks.data() + glyph.maskOffset - 1; }
  // Appends `bytes` bytes and returns them.
  uint8_t* GrowMasks(int bytes);
  void ShrinkMasks(int length) { mMasks.resize(static_cast<std::size_t>(length)); }
  // True when the record has a mask that lies inside the buffer.
  bool HasMask(const Raster_GlyphRecord& glyph) const;

private:
  Raster_GlyphRecord mLow[128];
  std::vector<Raster_GlyphRecord> mHigh;
  std::vector<uint8_t> mMasks;
};
