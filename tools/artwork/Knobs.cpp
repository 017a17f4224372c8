// The knob strip (100 frames over the sweep) and the range selector strip (one frame per position).
// Light comes from the upper left and stays put while the knob turns: only the knurling and the pointer
// rotate, so the frames read as one solid object turning under a lamp.

#include <algorithm>
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

constexpr int kScale = 6;
const Vec2 kCentre = {kKnobFrame * 0.5f, kKnobFrame * 0.5f};

void DrawContactShadow(Canvas& canvas, float radius) {
  const Shape body = Circle(kCentre, radius);
  canvas.Shadow(body, WithAlpha(palette::kBlack, 0.55f), 2.2f, {0.8f, 2.6f});
  canvas.Shadow(body, WithAlpha(palette::kBlack, 0.5f), 0.8f, {0.3f, 1.0f});
}

// The ribbed skirt: ridges that turn with the knob, lit where they face the lamp.
void DrawKnurledSkirt(Canvas& canvas, float radius, float angle, int ridges) {
  const Shape skirt = Circle(kCentre, radius);
  canvas.Fill(skirt, LinearGradient({0, kCentre.y - radius}, {0, kCentre.y + radius}, Hex(0x3b3c41), Hex(0x0b0b0d)));
  const float rotation = angle * kPi / 180.0f;
  canvas.Fill(Ring(kCentre, radius - 4.5f, radius), [=](Vec2 p) {
    const Vec2 rel = p - kCentre;
    const float phi = std::atan2(rel.x, -rel.y);
    const float ridge = std::pow(0.5f + 0.5f * std::cos(ridges * (phi - rotation)), 3.0f);
    const float towardsLamp = (rel.x * palette::kTowardsLight.x + rel.y * palette::kTowardsLight.y) / Length(rel);
    const float light = 0.12f + 0.4f * std::max(0.0f, towardsLamp);
    return WithAlpha(palette::kWhite, ridge * light);
  });
  canvas.Fill(skirt, EdgeLight(skirt, 2.2f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.45f),
                               WithAlpha(palette::kBlack, 0.6f)));
}

void DrawCap(Canvas& canvas, float radius, Colour metal, float sheen) {
  const Shape cap = Circle(kCentre, radius);
  canvas.Shadow(cap, WithAlpha(palette::kBlack, 0.7f), 1.0f, {0.4f, 1.0f});
  canvas.Fill(cap, TurnedMetal(kCentre, metal, sheen, -35.0f));
  canvas.Fill(cap, EdgeLight(cap, 1.6f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.5f),
                             WithAlpha(palette::kBlack, 0.5f)));
}

void DrawPointerLine(Canvas& canvas, float angle, float from, float to, float width, Colour colour) {
  const Vec2 dir = DialDirection(angle);
  const Shape line = Capsule(kCentre + dir * from, kCentre + dir * to, width * 0.5f);
  canvas.Shadow(line, WithAlpha(palette::kBlack, 0.6f), 0.5f, {0.2f, 0.5f});
  canvas.Fill(line, LinearGradient(kCentre + dir * from, kCentre + dir * to, Lighter(colour, -0.1f), colour));
}

Image KnobFrame(float angle) {
  Canvas canvas(kKnobFrame, kKnobFrame, kScale);
  DrawContactShadow(canvas, kKnobRadius);
  DrawKnurledSkirt(canvas, kKnobRadius, angle, 36);
  DrawCap(canvas, 15.0f, Hex(0x2c2d31), 0.28f);
  DrawPointerLine(canvas, angle, 5.5f, kKnobRadius - 1.0f, 2.6f, palette::kPrint);
  return canvas.Resolve();
}

// The selector is a bar knob: a raised fin across a small skirt, its tip marked in copper.
Image SelectorFrame(float angle) {
  Canvas canvas(kKnobFrame, kKnobFrame, kScale);
  DrawContactShadow(canvas, kSelectorRadius);
  DrawKnurledSkirt(canvas, kSelectorRadius, angle, 28);
  const Shape fin = Rotated(
      RoundedBox({kCentre.x - 5.5f, kCentre.y - 23.0f, kCentre.x + 5.5f, kCentre.y + 17.0f}, 5.0f), kCentre, angle);
  canvas.Shadow(fin, WithAlpha(palette::kBlack, 0.6f), 1.6f, {0.8f, 2.2f});
  canvas.Fill(fin, LinearGradient({0, 8}, {0, 56}, Hex(0x3a3b40), Hex(0x141417)));
  canvas.Fill(fin, EdgeLight(fin, 2.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.5f),
                             WithAlpha(palette::kBlack, 0.55f)));
  DrawPointerLine(canvas, angle, 9.0f, 21.0f, 2.8f, palette::kCopper);
  return canvas.Resolve();
}

}  // namespace

Image DrawKnobStrip() {
  std::vector<Image> frames;
  for (int i = 0; i < kKnobFrames; ++i)
    frames.push_back(KnobFrame(-kKnobSweep * 0.5f + kKnobSweep * i / (kKnobFrames - 1)));
  return VerticalStrip(frames);
}

Image DrawRangeSelectorStrip() {
  std::vector<Image> frames;
  for (float angle : kSelectorAngles) frames.push_back(SelectorFrame(angle));
  return VerticalStrip(frames);
}

}  // namespace artwork
