// FreeType side of text: a system font is a FreeType face that fontconfig picked for the face name
// and style, sized so that its character cell (ascent + descent, as the Windows metrics define them)
// is the requested height, the way a GDI font of that cell height is.
#include "raster/Raster_SystemText.h"

#include "editor/ITextStyle.h"
#include "raster/Bitmap.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

namespace {

struct FreeTypeFont {
  FT_Face face = nullptr;
  int ascent = 0;
  int lineHeight = 0;
  bool embolden = false;  // the family has no bold face: thicken the regular one
  FT_Int32 loadFlags = FT_LOAD_DEFAULT;
  FT_Render_Mode renderMode = FT_RENDER_MODE_NORMAL;
};

// One library for all faces, released with the last face.
FT_Library gLibrary = nullptr;
int gFaces = 0;

bool AcquireLibrary()
{
  if (!gLibrary && FT_Init_FreeType(&gLibrary) != 0) {
    gLibrary = nullptr;
    return false;
  }
  ++gFaces;
  return true;
}

void ReleaseLibrary()
{
  if (--gFaces > 0) return;
  FT_Done_FreeType(gLibrary);
  gLibrary = nullptr;
}

struct FontFile {
  std::string path;
  int index = 0;
  bool embolden = false;
};

bool FindFontFile(const char* face, int style, FontFile* file)
{
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
  FcPatternAddInteger(pattern, FC_WEIGHT, style == kFontBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, style == kFontItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  FcBool embolden = FcFalse;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (found) {
    file->path = reinterpret_cast<const char*>(path);
    FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    file->embolden = embolden == FcTrue;
  }
  FcPatternDestroy(match);
  return found;
}

// Sizes the face so that its cell is `cellHeight` pixels (a negative height asks for that em size
// instead, as with GDI; zero for the usual 12-pixel cell).
bool SizeFace(FreeTypeFont* font, int cellHeight)
{
  FT_Face face = font->face;
  if (cellHeight == 0) cellHeight = 12;
  double ascentUnits = face->ascender, descentUnits = -face->descender;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascentUnits = os2->usWinAscent;
      descentUnits = os2->usWinDescent;
    }
  }
  if (ascentUnits + descentUnits <= 0 || face->units_per_EM == 0) return false;
  const double emPixels = cellHeight > 0 ? cellHeight * face->units_per_EM / (ascentUnits + descentUnits) : -cellHeight;
  if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64)), 72, 72) != 0) return false;
  const double scale = emPixels / face->units_per_EM;
  font->ascent = static_cast<int>(std::lround(ascentUnits * scale));
  font->lineHeight = font->ascent + static_cast<int>(std::lround(descentUnits * scale));
  return true;
}

bool LoadGlyph(const FreeTypeFont& font, int code, bool render)
{
  if (FT_Load_Char(font.face, static_cast<FT_ULong>(code), font.loadFlags) != 0) return false;
  if (font.embolden) FT_GlyphSlot_Embolden(font.face->glyph);
  return !render || FT_Render_Glyph(font.face->glyph, font.renderMode) == 0;
}

int Coverage(const FT_Bitmap& bitmap, int x, int y)
{
  const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
  return row[x];
}

}  // namespace

void* Raster_CreateSystemFont(const char* face, int cellHeight, int style, int /*orientation*/, int quality)
{
  FontFile file;
  if (!face || !FindFontFile(face, style, &file) || !AcquireLibrary()) return nullptr;
  auto* font = new FreeTypeFont;
  font->embolden = file.embolden;
  if (quality == kQualityNonAntialiased) {
    font->loadFlags = FT_LOAD_TARGET_MONO;
    font->renderMode = FT_RENDER_MODE_MONO;
  }
  if (FT_New_Face(gLibrary, file.path.c_str(), file.index, &font->face) != 0 || !SizeFace(font, cellHeight)) {
    Raster_DeleteSystemFont(font);
    return nullptr;
  }
  return font;
}

void Raster_DeleteSystemFont(void* systemFont)
{
  auto* font = static_cast<FreeTypeFont*>(systemFont);
  if (!font) return;
  if (font->face) FT_Done_Face(font->face);
  delete font;
  ReleaseLibrary();
}

void Raster_PrepareGlyphSurface(Raster_IBitmap* /*surface*/)
{
  // Glyphs are written as coverage straight into the pixels; there is no drawing state to set.
}

int Raster_SystemFontLineHeight(void* systemFont, Raster_IBitmap* /*surface*/)
{
  return static_cast<const FreeTypeFont*>(systemFont)->lineHeight;
}

void Raster_MeasureGlyph(void* systemFont, Raster_IBitmap* /*surface*/, int code, int* width, int* height)
{
  const auto& font = *static_cast<const FreeTypeFont*>(systemFont);
  const bool loaded = LoadGlyph(font, code, false);
  *width = loaded ? static_cast<int>((font.face->glyph->advance.x + 32) >> 6) : 0;
  *height = font.lineHeight;
}

void Raster_DrawGlyph(void* systemFont, Raster_IBitmap* surface, int code)
{
  const auto& font = *static_cast<const FreeTypeFont*>(systemFont);
  uint32_t* pixels = surface->PixelData();
  if (!pixels || !LoadGlyph(font, code, true)) return;
  const FT_GlyphSlot slot = font.face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  const int left = slot->bitmap_left, top = font.ascent - slot->bitmap_top;
  const int rows = static_cast<int>(bitmap.rows), columns = static_cast<int>(bitmap.width);
  for (int y = std::max(0, -top); y < rows && top + y < surface->PixelHeight(); ++y) {
    uint32_t* out = pixels + static_cast<std::ptrdiff_t>(top + y) * surface->RowPixels();
    for (int x = std::max(0, -left); x < columns && left + x < surface->PixelWidth(); ++x) {
      const uint32_t coverage = static_cast<uint32_t>(Coverage(bitmap, x, y));
      if (coverage) out[left + x] = 0xFF000000u | coverage << 16 | coverage << 8 | coverage;
    }
  }
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIL_FONTCONFIG_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUIL_FONTCONFIG_UNDER_ASAN)
// fontconfig loses a block while parsing its configuration files; every program that looks up a
// font would otherwise fail the leak check for it.
extern "C" const char* __lsan_default_suppressions()
{
  return "leak:libfontconfig.so\n";
}
#endif
