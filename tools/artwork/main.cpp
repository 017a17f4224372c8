// Draws the pedal editor's images into a folder, and optionally the contact sheet that shows them together.
// usage: quil_artwork <image folder> [contact sheet .png]

#include <cstdio>
#include <string>

#include "tools/artwork/Artwork.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <image folder> [contact sheet .png]\n", argv[0]);
    return 2;
  }
  artwork::FontSet fonts;
  if (!fonts.Loaded()) {
    std::fprintf(stderr, "the Liberation fonts are missing (package fonts-liberation)\n");
    return 1;
  }
  artwork::ArtworkSet art;
  art.background = artwork::DrawPedalBackground(fonts);
  art.knob = artwork::DrawKnobStrip();
  art.selector = artwork::DrawRangeSelectorStrip();
  art.sideSwitch = artwork::DrawSideSwitchStrip(fonts);
  art.led = artwork::DrawLedStrip();

  const std::string folder = argv[1];
  const struct {
    const char* file;
    const artwork::Image& image;
  } outputs[] = {{"bkg.png", art.background},
                 {"knob.png", art.knob},
                 {"selector.png", art.selector},
                 {"onoff.png", art.sideSwitch},
                 {"led.png", art.led}};
  bool ok = true;
  for (const auto& out : outputs) {
    ok = artwork::WritePng(folder + "/" + out.file, out.image) && ok;
    std::printf("%s/%s  %d x %d\n", folder.c_str(), out.file, out.image.width, out.image.height);
  }
  if (argc == 3) {
    ok = artwork::WritePng(argv[2], artwork::DrawContactSheet(fonts, art)) && ok;
    std::printf("%s\n", argv[2]);
  }
  return ok ? 0 : 1;
}
