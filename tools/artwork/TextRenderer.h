#pragma once
// Labels drawn with FreeType from fonts that fontconfig finds, rendered at the canvas's supersampled size.

#include <memory>
#include <string>

#include "tools/artwork/Canvas.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace artwork {

enum class Align { Left, Centre, Right };

struct TextStyle {
  float size = 10.0f;  // pixel size (em height) in output pixels
  Colour colour;
  float tracking = 0.0f;  // extra space after each letter, output pixels
  Align align = Align::Centre;
};
TextStyle Style(float size, float tracking, Colour colour, Align align = Align::Centre);

class Font {
 public:
  // `pattern` is a fontconfig pattern such as "Liberation Sans:bold".
  Font(FT_Library library, const std::string& pattern);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  bool Loaded() const { return mFace != nullptr; }

  float Measure(const std::string& text, const TextStyle& style, int scale);
  // Draws `text` with its baseline at y; x is the left edge, centre or right edge per `style.align`.
  void Draw(Canvas& canvas, const std::string& text, Vec2 at, const TextStyle& style);
  // Ink printed on a surface: a faint shade a hair below the letters, then the letters.
  void DrawPrinted(Canvas& canvas, const std::string& text, Vec2 at, const TextStyle& style);

 private:
  FT_Face mFace = nullptr;
};

// The FreeType library and the faces the artwork uses.
class FontSet {
 public:
  FontSet();
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;
  bool Loaded() const;

  Font& Regular() { return *mRegular; }
  Font& Bold() { return *mBold; }
  Font& Narrow() { return *mNarrow; }
  Font& BoldItalic() { return *mBoldItalic; }
  Font& Serif() { return *mSerif; }

 private:
  FT_Library mLibrary = nullptr;
  std::unique_ptr<Font> mRegular, mBold, mNarrow, mBoldItalic, mSerif;
};

}  // namespace artwork
