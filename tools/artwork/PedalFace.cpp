// The background: a graphite board, the indigo pedal with its print, knob sockets, LED bezel and the
// footswitch plate, and (SidePanel.cpp) the switch plate beside it. Every printed label is placed from the
// control rectangles in Layout.h.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

constexpr int kScale = 4;

void DrawBoard(Canvas& canvas) {
  const Shape all = RoundedBox({0, 0, float(kEditorWidth), float(kEditorHeight)}, 0.0f);
  canvas.Fill(all, [](Vec2 p) {
    const Colour base = Mix(palette::kBoard, palette::kBoardDark, p.y / kEditorHeight);
    // Fine vertical brushing.
    return Lighter(base, (Grain(int(p.x * 3.0f), int(p.y * 0.15f), 7) - 0.5f) * 0.05f);
  });
  canvas.Fill(all, RadialGradient({kEditorWidth * 0.45f, kEditorHeight * 0.4f}, 330.0f,
                                  WithAlpha(palette::kBlack, 0.0f), WithAlpha(palette::kBlack, 0.45f)));
}

void DrawEnclosure(Canvas& canvas) {
  const Shape body = RoundedBox(kPedal, 18.0f);
  canvas.Shadow(body, WithAlpha(palette::kBlack, 0.75f), 7.0f, {2.0f, 7.0f});
  canvas.Shadow(body, WithAlpha(palette::kBlack, 0.6f), 1.5f, {0.5f, 1.5f});
  // Die-cast sides: darker, then the flat face inset within the rounded chamfer.
  canvas.Fill(body, LinearGradient({0, kPedal.top}, {0, kPedal.bottom}, Lighter(palette::kEnamelTop, -0.25f),
                                   Lighter(palette::kEnamelBottom, -0.35f)));
  canvas.Fill(body, EdgeLight(body, 7.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.5f),
                              WithAlpha(palette::kBlack, 0.55f)));
  const Rect faceBox = kPedal.Grown(-6.0f);
  const Shape face = RoundedBox(faceBox, 13.0f);
  canvas.Shadow(face, WithAlpha(palette::kBlack, 0.35f), 1.2f, {0.0f, 1.0f});
  canvas.Fill(face, [faceBox](Vec2 p) {
    const float t = (p.y - faceBox.top) / faceBox.Height();
    const Colour base = Mix(palette::kEnamelTop, palette::kEnamelBottom, t);
    // Metallic flake in the enamel.
    return Lighter(base, (Grain(int(p.x * 2), int(p.y * 2), 3) - 0.5f) * 0.06f);
  });
  canvas.Fill(face, RadialGradient({faceBox.left + 40, faceBox.top + 30}, 260.0f, WithAlpha(palette::kWhite, 0.10f),
                                   WithAlpha(palette::kWhite, 0.0f)));
  canvas.Fill(face, EdgeLight(face, 2.5f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.35f),
                              WithAlpha(palette::kBlack, 0.3f)));
}

// A recess the knob sits in, so a faded (greyed) knob still shows where it lives.
void DrawSocket(Canvas& canvas, Vec2 centre, float radius) {
  const Shape hole = Circle(centre, radius);
  canvas.Fill(hole, Solid(Hex(0x0f1626)));
  canvas.InnerShadow(hole, WithAlpha(palette::kBlack, 0.8f), 1.5f, {0.0f, 1.5f});
  const Shape rim = Ring(centre, radius, radius + 1.2f);
  canvas.Fill(rim, EdgeLight(Circle(centre, radius + 1.2f), 1.2f, {0.45f, 0.9f}, WithAlpha(palette::kWhite, 0.35f),
                             WithAlpha(palette::kBlack, 0.3f)));
}

void DrawKnobScale(Canvas& canvas, Vec2 centre) {
  // Minimum and maximum marks at the ends of the sweep, a finer dot every tenth between them.
  for (int i = 0; i <= 10; ++i) {
    const float angle = -kKnobSweep * 0.5f + kKnobSweep * i / 10.0f;
    const bool end = i == 0 || i == 10;
    const Vec2 at = centre + DialDirection(angle) * 28.5f;
    canvas.Fill(Circle(at, end ? 1.5f : 0.8f), Solid(end ? palette::kPrint : palette::kPrintDim), end ? 1.0f : 0.8f);
  }
}

void DrawKnobs(Canvas& canvas, FontSet& fonts) {
  for (const ControlRect* knob : {&kLevelKnob, &kFeedbackKnob, &kTimeKnob}) {
    DrawKnobScale(canvas, knob->Centre());
    DrawSocket(canvas, knob->Centre(), kKnobRadius + 1.0f);
  }
  DrawSocket(canvas, kRangeSelector.Centre(), kSelectorRadius + 1.0f);
  for (const ControlRect* control : {&kLevelKnob, &kFeedbackKnob, &kTimeKnob, &kRangeSelector})
    fonts.Bold().DrawPrinted(canvas, control->caption, {control->Centre().x, float(control->bottom) + 14.0f},
                             Style(10.5f, 0.7f, palette::kPrint));
}

// The range positions: a copper dot on each pointer direction and a hairline rising from it to its range,
// printed in two tiers because the selector sits close to the D.TIME knob and the pedal's edge.
void DrawSelectorLegend(Canvas& canvas, FontSet& fonts) {
  struct Entry {
    float labelX, baseline;
    Align align;
  };
  const Entry entries[kSelectorFrames] = {{244.5f, 60.0f, Align::Right},
                                          {258.5f, 47.0f, Align::Right},
                                          {265.5f, 47.0f, Align::Left},
                                          {279.5f, 60.0f, Align::Left}};
  const Vec2 centre = kRangeSelector.Centre();
  const float textSize = 8.0f, capHeight = textSize * 0.72f;
  for (int i = 0; i < kSelectorFrames; ++i) {
    const Entry& entry = entries[i];
    const Vec2 dot = centre + DialDirection(kSelectorAngles[i]) * 25.0f;
    const float lineX = entry.align == Align::Right ? entry.labelX - 0.5f : entry.labelX + 0.5f;
    const Vec2 top = {lineX, entry.baseline - capHeight};
    canvas.Fill(Capsule(dot, {dot.x, dot.y - 3.0f}, 0.45f), Solid(WithAlpha(palette::kCopper, 0.9f)));
    canvas.Fill(Capsule({dot.x, dot.y - 3.0f}, top + Vec2{0.0f, 0.0f}, 0.45f),
                Solid(WithAlpha(palette::kCopper, 0.9f)));
    canvas.Fill(Circle(dot, 1.5f), Solid(palette::kCopper));
    const float textX = entry.align == Align::Right ? entry.labelX - 2.5f : entry.labelX + 2.5f;
    fonts.Narrow().DrawPrinted(canvas, kSelectorPositions[i], {textX, entry.baseline},
                               Style(textSize, 0.3f, palette::kPrint, entry.align));
  }
}

void DrawCheckLed(Canvas& canvas, FontSet& fonts) {
  const Vec2 centre = kCheckLed.Centre();
  const Shape bezel = Circle(centre, 7.6f);
  canvas.Shadow(bezel, WithAlpha(palette::kBlack, 0.6f), 1.2f, {0.4f, 1.2f});
  canvas.Fill(bezel, TurnedMetal(centre, palette::kChrome, 0.5f, -35.0f));
  canvas.Fill(bezel, EdgeLight(bezel, 1.5f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.7f),
                               WithAlpha(palette::kBlack, 0.4f)));
  const Shape hole = Circle(centre, 5.6f);
  canvas.Fill(hole, Solid(Hex(0x120606)));
  canvas.InnerShadow(hole, WithAlpha(palette::kBlack, 0.8f), 0.8f, {0.0f, 0.8f});
  fonts.Narrow().DrawPrinted(canvas, "CHECK", {centre.x, float(kCheckLed.top) - 6.0f},
                             Style(8.0f, 1.0f, palette::kPrint));
}

void DrawBranding(Canvas& canvas, FontSet& fonts) {
  fonts.BoldItalic().DrawPrinted(canvas, "Fenwox", {20.0f, 39.0f}, Style(15.0f, 0.2f, palette::kPrint, Align::Left));
  const float middle = (kPedal.left + kPedal.right) * 0.5f;
  fonts.Serif().DrawPrinted(canvas, "FenwoxQuil", {middle, 210.0f}, Style(38.0f, 0.0f, palette::kPrint));
  fonts.Narrow().DrawPrinted(canvas, "DIGITAL  DELAY", {middle, 234.0f}, Style(11.0f, 3.2f, palette::kCopper));
  // Echoes: the same dot repeating and fading away.
  for (int i = 0; i < 6; ++i) {
    const float x = middle - 50.0f + i * 20.0f;
    canvas.Fill(Circle({x, 258.0f}, 3.6f - i * 0.4f), Solid(WithAlpha(palette::kCopper, 1.0f - i * 0.15f)));
  }
  const Rect rule = {kPedal.left + 20.0f, 157.0f, kPedal.right - 20.0f, 158.2f};
  canvas.Fill(RoundedBox(rule, 0.6f), Solid(WithAlpha(palette::kCopper, 0.8f)));
}

// The footswitch: a rubber plate with a diamond grip in a recessed well, a chrome stomp button at its centre.
void DrawFootswitch(Canvas& canvas, FontSet& fonts) {
  const Rect area = kFootswitch.Box();
  const Shape well = RoundedBox(area, 12.0f);
  canvas.Fill(well, Solid(Hex(0x0b0f18)));
  canvas.InnerShadow(well, WithAlpha(palette::kBlack, 0.9f), 3.0f, {0.0f, 3.0f});
  const Rect padBox = area.Grown(-4.0f);
  const Shape pad = RoundedBox(padBox, 9.0f);
  canvas.Shadow(pad, WithAlpha(palette::kBlack, 0.8f), 2.0f, {0.0f, 2.0f});
  canvas.Fill(pad, [padBox](Vec2 p) {
    const float t = (p.y - padBox.top) / padBox.Height();
    const Colour base = Mix(Hex(0x2a2c31), Hex(0x151619), t);
    // Tread grip: short raised bars on the diagonals, alternating direction cell by cell, lit on their upper side.
    const float u = (p.x - padBox.left) / 8.0f, v = (p.y - padBox.top) / 8.0f;
    const float fu = u - std::floor(u) - 0.5f, fv = v - std::floor(v) - 0.5f;
    const bool flip = (int(std::floor(u)) + int(std::floor(v))) % 2 != 0;
    const float along = flip ? (fu - fv) : (fu + fv), across = flip ? (fu + fv) : (fu - fv);
    const float ridge = std::max(0.0f, 1.0f - std::fabs(across) / 0.22f) * (std::fabs(along) < 0.55f ? 1.0f : 0.0f);
    const float lit = (flip ? -across : across) < 0 ? 0.22f : -0.3f;
    return Lighter(base, ridge * lit + (Grain(int(p.x * 2), int(p.y * 2), 11) - 0.5f) * 0.04f);
  });
  canvas.Fill(pad, EdgeLight(pad, 3.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.3f),
                             WithAlpha(palette::kBlack, 0.5f)));
  const Vec2 centre = area.Centre();
  const Shape nut = Circle(centre, 24.0f);
  canvas.Shadow(nut, WithAlpha(palette::kBlack, 0.7f), 2.5f, {1.0f, 3.0f});
  canvas.Fill(nut, TurnedMetal(centre, Hex(0x9aa0a8), 0.45f, -35.0f));
  canvas.Fill(nut, EdgeLight(nut, 2.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.6f),
                             WithAlpha(palette::kBlack, 0.5f)));
  const Shape button = Circle(centre, 16.0f);
  canvas.Shadow(button, WithAlpha(palette::kBlack, 0.7f), 1.5f, {0.5f, 1.8f});
  canvas.Fill(button, TurnedMetal(centre, palette::kChrome, 0.6f, -35.0f));
  canvas.Fill(button, RadialGradient(centre - Vec2{5, 6}, 16.0f, WithAlpha(palette::kWhite, 0.45f),
                                     WithAlpha(palette::kWhite, 0.0f)));
  canvas.Fill(button, EdgeLight(button, 2.5f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.8f),
                                WithAlpha(palette::kBlack, 0.45f)));
  fonts.Narrow().DrawPrinted(canvas, "ON / OFF", {centre.x, area.bottom - 12.0f},
                             Style(8.5f, 1.5f, palette::kPrintDim));
}

}  // namespace

Image DrawPedalBackground(FontSet& fonts) {
  Canvas canvas(kEditorWidth, kEditorHeight, kScale);
  DrawBoard(canvas);
  DrawSidePanel(canvas, fonts);
  DrawEnclosure(canvas);
  DrawBranding(canvas, fonts);
  DrawKnobs(canvas, fonts);
  DrawSelectorLegend(canvas, fonts);
  DrawCheckLed(canvas, fonts);
  DrawFootswitch(canvas, fonts);
  return canvas.Resolve();
}

}  // namespace artwork
