// One picture to check the artwork by eye: the background with every control rectangle outlined, the
// pedal assembled with sample values, and every frame of every strip.

#include <string>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

constexpr int kScale = 2;
constexpr int kMargin = 24;
constexpr int kKnobColumns = 14;
const Colour kSheet = Hex(0x55585e);
const Colour kOutline = Hex(0x3ef0ff);

void Heading(Canvas& canvas, FontSet& fonts, const std::string& text, int x, int y) {
  fonts.Bold().Draw(canvas, text, {float(x), float(y)}, Style(13.0f, 0.0f, palette::kWhite, Align::Left));
}

void SmallText(Canvas& canvas, FontSet& fonts, const std::string& text, Vec2 at, Colour colour) {
  fonts.Regular().Draw(canvas, text, at, Style(9.0f, 0.0f, colour));
}

// The editor's own texts in its caption style (mid grey, 14-pixel cell), centred in their rectangles.
void EditorText(Canvas& canvas, FontSet& fonts, const ControlRect& control, const std::string& text, Vec2 origin) {
  const TextStyle style = Style(14.0f / 1.149f, 0.0f, Hex(0x808080));
  const Vec2 centre = origin + control.Centre();
  fonts.Regular().Draw(canvas, text, {centre.x, centre.y + style.size * 0.36f}, style);
}

void DrawOutlines(Canvas& canvas, FontSet& fonts, Vec2 origin) {
  int number = 1;
  for (const ControlRect& control : kControls) {
    const Rect box = control.Box().Moved(origin);
    canvas.Fill(Difference(RoundedBox(box, 0), RoundedBox(box.Grown(-1.0f), 0)), Solid(kOutline));
    SmallText(canvas, fonts, std::to_string(number++), {box.left + 5.0f, box.top + 9.0f}, kOutline);
  }
}

// With tempo sync on the editor draws D.TIME and MODE at a quarter of their opacity.
void DrawAssembled(Canvas& canvas, FontSet& fonts, const ArtworkSet& art, int x, int y, bool synced) {
  canvas.DrawImage(art.background, x, y);
  const int knobFrames[] = {62, 35, 80};
  const ControlRect* knobs[] = {&kLevelKnob, &kFeedbackKnob, &kTimeKnob};
  const float greyed = synced ? 0.25f : 1.0f;
  for (int i = 0; i < 3; ++i)
    canvas.DrawImage(FrameOf(art.knob, knobFrames[i], kKnobFrame), x + knobs[i]->left, y + knobs[i]->top,
                     knobs[i] == &kTimeKnob ? greyed : 1.0f);
  canvas.DrawImage(FrameOf(art.selector, 1, kKnobFrame), x + kRangeSelector.left, y + kRangeSelector.top, greyed);
  const ControlRect* switches[] = {&kSaturationSwitch, &kHissSwitch, &kStereoSwitch};
  for (int i = 0; i < 3; ++i)
    canvas.DrawImage(FrameOf(art.sideSwitch, i == 1 ? 0 : 1, kSwitchHeight), x + switches[i]->left,
                     y + switches[i]->top);
  canvas.DrawImage(FrameOf(art.led, 1, kLedSize), x + kCheckLed.left, y + kCheckLed.top);
  EditorText(canvas, fonts, kSyncCaption, synced ? "4" : "off", {float(x), float(y)});
  EditorText(canvas, fonts, kVersionText, "v1.0.3", {float(x), float(y)});
}

void DrawFrames(Canvas& canvas, FontSet& fonts, const Image& strip, int frames, int frameHeight, int columns, int x,
                int y, int gap) {
  for (int i = 0; i < frames; ++i) {
    const int fx = x + (i % columns) * (strip.width + gap), fy = y + (i / columns) * (frameHeight + gap + 10);
    canvas.DrawImage(FrameOf(strip, i, frameHeight), fx, fy);
    SmallText(canvas, fonts, std::to_string(i), {fx + strip.width * 0.5f, float(fy + frameHeight + 9)}, Hex(0xd0d3d8));
  }
}

}  // namespace

Image DrawContactSheet(FontSet& fonts, const ArtworkSet& art) {
  const int columnX[] = {kMargin, kMargin * 2 + kEditorWidth, kMargin * 3 + kEditorWidth * 2};
  const int top = kMargin + 16;
  const int framesTop = top + kEditorHeight + kMargin + 24;
  const int stripsX = kMargin + kKnobColumns * (kKnobFrame + 4) + kMargin;
  const int width = kMargin * 4 + kEditorWidth * 3;
  const int knobRows = (kKnobFrames + kKnobColumns - 1) / kKnobColumns;
  const int height = framesTop + knobRows * (kKnobFrame + 14) + kMargin;
  Canvas canvas(width, height, kScale);
  canvas.Fill(RoundedBox({0, 0, float(width), float(height)}, 0), Solid(kSheet));

  Heading(canvas, fonts, "Background 410 x 460 (id 100), control rectangles 1-11", columnX[0], top - 8);
  canvas.DrawImage(art.background, columnX[0], top);
  DrawOutlines(canvas, fonts, {float(columnX[0]), float(top)});
  Heading(canvas, fonts, "Assembled: knobs 62/35/80, range 1, switches on/off/on", columnX[1], top - 8);
  DrawAssembled(canvas, fonts, art, columnX[1], top, false);
  Heading(canvas, fonts, "Sync on: D.TIME and MODE greyed (opacity 0.25)", columnX[2], top - 8);
  DrawAssembled(canvas, fonts, art, columnX[2], top, true);

  Heading(canvas, fonts, "Knob, 100 x 64 x 64 (id 101), frames 0-99", kMargin, framesTop - 8);
  DrawFrames(canvas, fonts, art.knob, kKnobFrames, kKnobFrame, kKnobColumns, kMargin, framesTop, 4);
  Heading(canvas, fonts, "Range selector, 4 x 64 x 64 (id 102)", stripsX, framesTop - 8);
  DrawFrames(canvas, fonts, art.selector, kSelectorFrames, kKnobFrame, 4, stripsX, framesTop, 8);
  Heading(canvas, fonts, "Side switch, 2 x 90 x 16 (id 103): off, on", stripsX, framesTop + 112);
  DrawFrames(canvas, fonts, art.sideSwitch, 2, kSwitchHeight, 2, stripsX, framesTop + 122, 12);
  Heading(canvas, fonts, "LED, 2 x 16 x 16 (id 104): dark, lit", stripsX, framesTop + 178);
  DrawFrames(canvas, fonts, art.led, 2, kLedSize, 2, stripsX, framesTop + 188, 12);
  return canvas.Resolve();
}

}  // namespace artwork
