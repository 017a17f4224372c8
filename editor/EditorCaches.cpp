#include "editor/EditorCaches.h"

#include "core/PtrList.h"
#include "editor/ITextStyle.h"
#include "raster/Bitmap.h"
#include "raster/Raster_CachedFont.h"

#include <cstring>

namespace {

struct BitmapEntry
{
  int32_t resourceId;
  Raster_IBitmap* bitmap;
  ~BitmapEntry() { delete bitmap; }
};

struct FontEntry
{
  int32_t size;
  int32_t orientation;
  int32_t style;
  char name[sizeof(ITextStyle::name)];
  Raster_CachedFont* font;
  ~FontEntry() { delete font; }

  bool Matches(const ITextStyle& s) const
  {
    return size == s.size && orientation == s.orientation && style == s.style &&
           std::strncmp(name, s.name, sizeof(name)) == 0;
  }
};

// One cache: its entries and its lock. A function-local static, so it is destroyed (and every
// entry with it) when the library is unloaded or the program ends.
template <typename Entry>
struct CacheStore
{
  PlugMutex lock;
  PtrList<Entry> entries{256};
  ~CacheStore() { entries.DeleteAll(true); }

  // Takes ownership of the entry; false (entry deleted) when the list could not grow.
  bool Add(Entry* entry)
  {
    if (entries.Append(entry)) return true;
    delete entry;
    return false;
  }

  template <typename Match>
  Entry* Find(Match match)
  {
    for (int i = 0; i < entries.Count(); ++i) {
      if (match(*entries.At(i))) return entries.At(i);
    }
    return nullptr;
  }
};

CacheStore<BitmapEntry>& Bitmaps()
{
  static CacheStore<BitmapEntry> store;
  return store;
}

CacheStore<FontEntry>& Fonts()
{
  static CacheStore<FontEntry> store;
  return store;
}

} // namespace

PlugMutex& BitmapCache::Lock() { return Bitmaps().lock; }

Raster_IBitmap* BitmapCache::Find(int resourceId)
{
  PlugMutexLock hold(Lock());
  const BitmapEntry* hit = Bitmaps().Find([resourceId](const BitmapEntry& e) { return e.resourceId == resourceId; });
  return hit ? hit->bitmap : nullptr;
}

bool BitmapCache::Insert(int resourceId, Raster_IBitmap* bitmap)
{
  PlugMutexLock hold(Lock());
  return Bitmaps().Add(new BitmapEntry{resourceId, bitmap});
}

int BitmapCache::Count()
{
  PlugMutexLock hold(Lock());
  return Bitmaps().entries.Count();
}

PlugMutex& FontCache::Lock() { return Fonts().lock; }

Raster_CachedFont* FontCache::Find(const ITextStyle& style)
{
  PlugMutexLock hold(Lock());
  const FontEntry* hit = Fonts().Find([&style](const FontEntry& e) { return e.Matches(style); });
  return hit ? hit->font : nullptr;
}

bool FontCache::Insert(const ITextStyle& style, Raster_CachedFont* font)
{
  PlugMutexLock hold(Lock());
  FontEntry* entry = new FontEntry{style.size, style.orientation, style.style, {}, font};
  std::memcpy(entry->name, style.name, sizeof(entry->name));
  entry->name[sizeof(entry->name) - 1] = '\0';
  return Fonts().Add(entry);
}

int FontCache::Count()
{
  PlugMutexLock hold(Lock());
  return Fonts().entries.Count();
}
