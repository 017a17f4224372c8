#pragma once

#include "core/PlugMutex.h"

#include <cstdint>

class Raster_CachedFont;
class Raster_IBitmap;
struct ITextStyle;

// The process-wide caches every editor of every plug-in instance shares: decoded images by resource
// id and fonts by text style. They own what they hold and free it when the library is unloaded;
// nothing is removed earlier. Each has its own lock, which callers hold around a lookup and the
// insertion that follows a miss, so that an image or font is made once per process.
class BitmapCache
{
public:
  static PlugMutex& Lock();
  // The first cached bitmap of the id, or null. Call with the lock held.
  static Raster_IBitmap* Find(int resourceId);
  // Takes ownership; false (bitmap deleted) when the cache could not grow. Call with the lock held.
  static bool Insert(int resourceId, Raster_IBitmap* bitmap);
  static int Count();
};

// Fonts are keyed by size, orientation, style and face name (exact); colour, alignment and quality
// are not part of the key.
class FontCache
{
public:
  static PlugMutex& Lock();
  static Raster_CachedFont* Find(const ITextStyle& style);
  static bool Insert(const ITextStyle& style, Raster_CachedFont* font);
  static int Count();
};
