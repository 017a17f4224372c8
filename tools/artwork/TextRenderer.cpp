#include "tools/artwork/TextRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>

namespace artwork {

namespace {

std::string FindFontFile(const std::string& pattern) {
  std::string path;
  FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
  if (!wanted) return path;
  FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
  FcDefaultSubstitute(wanted);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, wanted, &result);
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(wanted);
  return path;
}

// Walks the glyphs of `text` at `pixelSize`, calling visit(glyph slot, pen x in 1/64 pixels) for each.
template <typename Visit>
long WalkGlyphs(FT_Face face, const std::string& text, float pixelSize, float tracking, Visit visit) {
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * 64.0f)), 72, 72);
  long pen = 0;
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt glyph = FT_Get_Char_Index(face, ch);
    if (previous && glyph && FT_HAS_KERNING(face)) {
      FT_Vector kern;
      if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &kern) == 0) pen += kern.x;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
    visit(face->glyph, pen);
    pen += face->glyph->advance.x + static_cast<long>(std::lround(tracking * 64.0f));
    previous = glyph;
  }
  return pen - static_cast<long>(std::lround(tracking * 64.0f));
}

}  // namespace

Font::Font(FT_Library library, const std::string& pattern) {
  const std::string file = FindFontFile(pattern);
  if (file.empty() || FT_New_Face(library, file.c_str(), 0, &mFace) != 0) {
    std::fprintf(stderr, "no font for \"%s\"\n", pattern.c_str());
    mFace = nullptr;
  }
}

Font::~Font() {
  if (mFace) FT_Done_Face(mFace);
}

float Font::Measure(const std::string& text, const TextStyle& style, int scale) {
  const long width = WalkGlyphs(mFace, text, style.size * scale, style.tracking * scale, [](FT_GlyphSlot, long) {});
  return width / 64.0f / scale;
}

void Font::Draw(Canvas& canvas, const std::string& text, Vec2 at, const TextStyle& style) {
  const int scale = canvas.Scale();
  const float width = Measure(text, style, scale);
  float left = at.x;
  if (style.align == Align::Centre) left -= width * 0.5f;
  if (style.align == Align::Right) left -= width;
  const int originX = static_cast<int>(std::lround(left * scale));
  const int baseline = static_cast<int>(std::lround(at.y * scale));
  WalkGlyphs(mFace, text, style.size * scale, style.tracking * scale, [&](FT_GlyphSlot slot, long pen) {
    const FT_Bitmap& bitmap = slot->bitmap;
    const int x0 = originX + static_cast<int>(pen >> 6) + slot->bitmap_left;
    const int y0 = baseline - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const unsigned char value = bitmap.buffer[static_cast<int>(row) * bitmap.pitch + static_cast<int>(col)];
        if (value)
          canvas.BlendSample(x0 + static_cast<int>(col), y0 + static_cast<int>(row), style.colour, value / 255.0f);
      }
  });
}

void Font::DrawPrinted(Canvas& canvas, const std::string& text, Vec2 at, const TextStyle& style) {
  TextStyle shade = style;
  shade.colour = {0.0f, 0.0f, 0.0f, 0.45f * style.colour.a};
  Draw(canvas, text, at + Vec2{0.0f, 0.75f}, shade);
  Draw(canvas, text, at, style);
}

TextStyle Style(float size, float tracking, Colour colour, Align align) {
  TextStyle style;
  style.size = size;
  style.tracking = tracking;
  style.colour = colour;
  style.align = align;
  return style;
}

FontSet::FontSet() {
  if (FT_Init_FreeType(&mLibrary) != 0) {
    mLibrary = nullptr;
    return;
  }
  mRegular = std::make_unique<Font>(mLibrary, "Liberation Sans");
  mBold = std::make_unique<Font>(mLibrary, "Liberation Sans:bold");
  mNarrow = std::make_unique<Font>(mLibrary, "Liberation Sans Narrow:bold");
  mBoldItalic = std::make_unique<Font>(mLibrary, "Liberation Sans:bold:italic");
  mSerif = std::make_unique<Font>(mLibrary, "Liberation Serif:bold:italic");
}

FontSet::~FontSet() {
  // Faces go before the library that made them.
  mRegular.reset();
  mBold.reset();
  mNarrow.reset();
  mBoldItalic.reset();
  mSerif.reset();
  if (mLibrary) FT_Done_FreeType(mLibrary);
  FcFini();
}

bool FontSet::Loaded() const {
  return mLibrary && mRegular && mRegular->Loaded() && mBold->Loaded() && mNarrow->Loaded() && mBoldItalic->Loaded() &&
         mSerif->Loaded();
}

}  // namespace artwork
