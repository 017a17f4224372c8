// The side switch (a slide switch: thumb left and dark when off, thumb right over a lit track when on)
// and the check LED (dark lens, lit lens with glow).

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

constexpr int kScale = 6;

void DrawTrack(Canvas& canvas, const Rect& track, bool on) {
  const Shape slot = RoundedBox(track, track.Height() * 0.5f);
  canvas.Fill(slot, LinearGradient({0, track.top}, {0, track.bottom}, Hex(0x060607), Hex(0x1c1d21)));
  if (on) {
    const Rect lit = {track.left + 1.0f, track.top + 1.0f, track.Centre().x + 6.0f, track.bottom - 1.0f};
    const Shape litShape = RoundedBox(lit, lit.Height() * 0.5f);
    canvas.Fill(litShape, LinearGradient({0, lit.top}, {0, lit.bottom}, Hex(0xffd27a), Hex(0xe07a1c)));
    canvas.Fill(litShape, RadialGradient(lit.Centre(), lit.Width() * 0.6f, WithAlpha(Hex(0xfff3cf), 0.6f),
                                         WithAlpha(Hex(0xfff3cf), 0.0f)));
  }
  canvas.InnerShadow(slot, WithAlpha(palette::kBlack, 0.85f), 1.2f, {0.0f, 1.4f});
}

void DrawThumb(Canvas& canvas, const Rect& box) {
  const Shape thumb = RoundedBox(box, box.Height() * 0.5f);
  canvas.Shadow(thumb, WithAlpha(palette::kBlack, 0.7f), 1.0f, {0.0f, 0.8f});
  canvas.Fill(thumb, LinearGradient({0, box.top}, {0, box.bottom}, Hex(0xe4e6ea), Hex(0x7d8189)));
  canvas.Fill(thumb, EdgeLight(thumb, 1.5f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.8f),
                               WithAlpha(palette::kBlack, 0.45f)));
  for (int i = -2; i <= 2; ++i) {
    const float x = box.Centre().x + i * 3.0f;
    const Shape groove = Capsule({x, box.top + 4.0f}, {x, box.bottom - 4.0f}, 0.55f);
    canvas.Fill(Shifted(groove, {0.6f, 0.0f}), Solid(WithAlpha(palette::kWhite, 0.55f)));
    canvas.Fill(groove, Solid(WithAlpha(Hex(0x3a3d44), 0.9f)));
  }
}

Image SwitchFrame(FontSet& fonts, bool on) {
  Canvas canvas(kSwitchWidth, kSwitchHeight, kScale);
  const Rect track = {0.5f, 0.5f, kSwitchWidth - 0.5f, kSwitchHeight - 0.5f};
  DrawTrack(canvas, track, on);
  const float half = track.Width() * 0.5f;
  const Rect thumb = on ? Rect{track.Centre().x + 1.0f, 1.5f, track.right - 1.0f, kSwitchHeight - 1.5f}
                        : Rect{track.left + 1.0f, 1.5f, track.left + half - 1.0f, kSwitchHeight - 1.5f};
  DrawThumb(canvas, thumb);
  if (on)
    fonts.Bold().Draw(canvas, "ON", {track.left + half * 0.5f + 1.0f, 11.4f}, Style(9.5f, 0.8f, Hex(0x3a1c00)));
  else
    fonts.Bold().Draw(canvas, "OFF", {track.Centre().x + half * 0.5f - 1.0f, 11.4f}, Style(9.5f, 0.8f, Hex(0x6d6f76)));
  return canvas.Resolve();
}

Image LedFrame(bool lit) {
  Canvas canvas(kLedSize, kLedSize, kScale);
  const Vec2 centre = {kLedSize * 0.5f, kLedSize * 0.5f};
  const Shape lens = Circle(centre, 4.8f);
  if (lit) {
    canvas.Fill(Circle(centre, 8.0f),
                RadialGradient(centre, 8.0f, WithAlpha(palette::kLedRed, 0.75f), WithAlpha(palette::kLedRed, 0.0f)));
    canvas.Fill(lens, RadialGradient(centre - Vec2{0.6f, 0.8f}, 5.2f, Hex(0xfff4e0), Hex(0xe8220f)));
  } else {
    canvas.Fill(lens, RadialGradient(centre - Vec2{0.8f, 1.0f}, 5.6f, Hex(0x6e1a12), Hex(0x240504)));
  }
  canvas.Fill(lens, EdgeLight(lens, 1.2f, {0.5f, 0.9f}, WithAlpha(palette::kWhite, lit ? 0.35f : 0.2f),
                              WithAlpha(palette::kBlack, 0.4f)));
  canvas.Fill(Circle(centre - Vec2{1.6f, 1.8f}, 1.3f), Solid(WithAlpha(palette::kWhite, lit ? 0.85f : 0.45f)));
  return canvas.Resolve();
}

}  // namespace

Image DrawSideSwitchStrip(FontSet& fonts) {
  return VerticalStrip({SwitchFrame(fonts, false), SwitchFrame(fonts, true)});
}

Image DrawLedStrip() { return VerticalStrip({LedFrame(false), LedFrame(true)}); }

}  // namespace artwork
