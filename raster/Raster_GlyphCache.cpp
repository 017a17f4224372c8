#include "raster/Raster_GlyphCache.h"

#include <algorithm>
#include <cstring>

namespace {

bool CodeBelow(const Raster_GlyphRecord& glyph, int code)
{
  return glyph.code < code;
}

}  // namespace

Raster_GlyphCache::Raster_GlyphCache()
{
  Clear();
}

const Raster_GlyphRecord* Raster_GlyphCache::Find(int code) const
{
  if (code < 0 || code > 0xFFFF) return nullptr;
  if (code < 128) return &mLow[code];
  const auto it = std::lower_bound(mHigh.begin(), mHigh.end(), code, CodeBelow);
  return (it != mHigh.end() && it->code == code) ? &*it : nullptr;
}

Raster_GlyphRecord* Raster_GlyphCache::Find(int code)
{
  return const_cast<Raster_GlyphRecord*>(static_cast<const Raster_GlyphCache*>(this)->Find(code));
}

Raster_GlyphRecord* Raster_GlyphCache::FindOrAdd(int code)
{
  if (code < 0 || code > 0xFFFF) return nullptr;
  if (code < 128) return &mLow[code];
  auto it = std::lower_bound(mHigh.begin(), mHigh.end(), code, CodeBelow);
  if (it != mHigh.end() && it->code == code) return &*it;
  Raster_GlyphRecord fresh = {};
  fresh.code = static_cast<uint16_t>(code);
  return &*mHigh.insert(it, fresh);
}

void Raster_GlyphCache::Clear()
{
  std::memset(mLow, 0, sizeof mLow);
  mHigh.clear();
  mMasks.clear();
}

uint8_t* Raster_GlyphCache::GrowMasks(int bytes)
{
  const size_t old = mMasks.size();
  mMasks.resize(old + static_cast<size_t>(bytes));
  return mMasks.data() + old;
}

bool Raster_GlyphCache::HasMask(const Raster_GlyphRecord& glyph) const
{
  if (glyph.maskOffset <= 0) return false;
  const int64_t end = int64_t(glyph.maskOffset) - 1 + int64_t(glyph.maskWidth) * glyph.maskHeight;
  return end <= MaskLength();
}
