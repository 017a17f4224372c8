#include "raster/Raster_Utf8.h"

namespace {

// Trail bytes run from 0x80 to 0xC0 here, one beyond the strict range: the glyph cache has always
// decoded this way, and the strict check below only decides whether the system needs wide text.
bool IsTrailByte(unsigned char byte)
{
  return byte >= 0x80 && byte <= 0xC0;
}

bool TrailBytesFollow(const unsigned char* text, int available, int count)
{
  if (available < count + 1) return false;
  for (int i = 1; i <= count; ++i)
    if (!IsTrailByte(text[i])) return false;
  return true;
}

bool IsStrictTrailByte(unsigned char byte)
{
  return byte >= 0x80 && byte <= 0xBF;
}

}  // namespace

int Raster_DecodeUtf8(const char* text, int available, int* code)
{
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const int a = p[0];
  if (a >= 0xC2 && a < 0xE0 && TrailBytesFollow(p, available, 1)) {
    *code = ((a << 6) & 0x7FF) | (p[1] & 0x3F);
    return 2;
  }
  if (a >= 0xE0 && a < 0xF0 && TrailBytesFollow(p, available, 2)) {
    *code = ((a << 12) | ((p[1] << 6) & 0xFFF) | (p[2] & 0x3F)) & 0xFFFF;
    return 3;
  }
  if (a >= 0xF0 && a < 0xF5 && TrailBytesFollow(p, available, 3)) {
    *code = ' ';
    return 4;
  }
  *code = a;
  return 1;
}

bool Raster_HasUtf8Sequence(const char* text, int length)
{
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  for (int i = 0; i < length; ++i) {
    const int a = p[i];
    const int trail = (a >= 0xC2 && a < 0xE0) ? 1 : (a >= 0xE0 && a < 0xF0) ? 2 : (a >= 0xF0 && a < 0xF5) ? 3 : 0;
    if (trail == 0 || i + trail >= length) continue;
    bool complete = true;
    for (int k = 1; k <= trail; ++k) complete = complete && IsStrictTrailByte(p[i + k]);
    if (complete) return true;
  }
  return false;
}
