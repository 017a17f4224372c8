#pragma once
// The five editor images and the contact sheet that shows them together.

#include "tools/artwork/Image.h"
#include "tools/artwork/TextRenderer.h"

namespace artwork {

Image DrawPedalBackground(FontSet& fonts);           // the pedal and the board beneath it
void DrawSidePanel(Canvas& canvas, FontSet& fonts);  // the switch plate, part of the background
Image DrawKnobStrip();
Image DrawRangeSelectorStrip();
Image DrawSideSwitchStrip(FontSet& fonts);
Image DrawLedStrip();

struct ArtworkSet {
  Image background, knob, selector, sideSwitch, led;
};
Image DrawContactSheet(FontSet& fonts, const ArtworkSet& art);

}  // namespace artwork
