// quil_text_sample <bkg.png> <out.png>
// Draws sample captions in the pedal editor's caption style (Arial, 14 px, grey 128, centred on one
// line) where such texts appear on the pedal, and writes the result as a PNG.
#include "editor/IBounds.h"
#include "raster/Png.h"
#include "raster/Raster_CachedFont.h"
#include "raster/Raster_SystemText.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct Caption {
  const char* text;
  IBounds rect;
};

// The sync caption box and the version text sit where the editor puts them; the side switches'
// dark slots and a bare stretch of the enclosure show more captions on both backgrounds.
const Caption kCaptions[] = {
    {"off", IBounds(326, 285, 362, 301)},
    {"v1.0.3", IBounds(225, 431, 267, 443)},
    {"1", IBounds(314, 64, 404, 80)},
    {"8", IBounds(314, 139, 404, 155)},
    {"1/16 \xE2\x99\xAA off", IBounds(314, 213, 404, 229)},
    {"D\xC3\xA9lai \xC2\xB7 R\xC3\xBC" "ckkopplung \xC2\xB7 Se\xC3\xB1" "al \xC2\xB7 \xC3\x85", IBounds(30, 266, 280, 286)},
};

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <bkg.png> <out.png>\n", argv[0]);
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::unique_ptr<Raster_IBitmap> canvas(Raster_PngFromMemory(bytes.data(), static_cast<int>(bytes.size())));
  if (!canvas) {
    std::fprintf(stderr, "cannot decode %s\n", argv[1]);
    return 1;
  }

  Raster_CachedFont font;
  void* arial = Raster_CreateSystemFont("Arial", 14, 0, 0, 0);
  if (!arial) {
    std::fprintf(stderr, "no font for Arial\n");
    return 1;
  }
  font.AttachSystemFont(arial, Raster_IFont::kFontOwnsSystemFont | Raster_IFont::kFontRenderNatively);
  font.SetInkColour(0xFF808080u);
  const int flags = Raster_IFont::kTextSingleLine | Raster_IFont::kTextVCentre | Raster_IFont::kTextNoClip |
                    Raster_IFont::kTextCentre;
  for (const Caption& caption : kCaptions) {
    IBounds rect = caption.rect;
    font.DrawTextRun(canvas.get(), caption.text, -1, &rect, flags);
  }
  if (!Raster_WritePng(canvas.get(), argv[2])) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
