// The switch plate beside the pedal: three slide switches with their names, the tempo-sync read-out and
// the maker's badge.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

const Vec2 kTowardsLight = {-0.45f, -0.9f};

void Label(Canvas& canvas, Font& font, const char* text, Vec2 at, float size, float tracking, Colour colour) {
  TextStyle style;
  style.size = size;
  style.tracking = tracking;
  style.colour = WithAlpha(palette::kBlack, 0.5f);
  font.Draw(canvas, text, at + Vec2{0.0f, 0.8f}, style);
  style.colour = colour;
  font.Draw(canvas, text, at, style);
}

void DrawScrew(Canvas& canvas, Vec2 centre) {
  const Shape head = Circle(centre, 3.6f);
  canvas.Shadow(head, WithAlpha(palette::kBlack, 0.7f), 0.8f, {0.3f, 0.8f});
  canvas.Fill(head, TurnedMetal(centre, Hex(0x8d939b), 0.4f, -35.0f));
  canvas.Fill(head, EdgeLight(head, 1.0f, kTowardsLight, WithAlpha(palette::kWhite, 0.6f), WithAlpha(palette::kBlack, 0.5f)));
  const Shape slot = Rotated(RoundedBox({centre.x - 2.6f, centre.y - 0.5f, centre.x + 2.6f, centre.y + 0.5f}, 0.4f), centre, 30.0f);
  canvas.Fill(slot, Solid(Hex(0x2a2d31)));
}

// A recessed slot the switch frame sits in.
void DrawSwitchBay(Canvas& canvas, const ControlRect& control) {
  const Rect bay = control.Box().Grown(2.0f);
  const Shape shape = RoundedBox(bay, bay.Height() * 0.5f);
  canvas.Fill(shape, Solid(Hex(0x0d0e10)));
  canvas.InnerShadow(shape, WithAlpha(palette::kBlack, 0.9f), 1.2f, {0.0f, 1.2f});
  const Shape lip = Difference(RoundedBox(bay.Grown(1.0f), bay.Height() * 0.5f + 1.0f), shape);
  canvas.Fill(lip, EdgeLight(RoundedBox(bay.Grown(1.0f), bay.Height() * 0.5f + 1.0f), 1.0f, {0.45f, 0.9f},
                             WithAlpha(palette::kWhite, 0.25f), WithAlpha(palette::kBlack, 0.3f)));
}

// A sixteenth note: the tempo-sync step.
void DrawSixteenthNote(Canvas& canvas, Vec2 head) {
  const Shape noteHead = Rotated(RoundedBox({head.x - 3.2f, head.y - 2.2f, head.x + 3.2f, head.y + 2.2f}, 2.2f), head, -20.0f);
  const float stemX = head.x + 2.7f;
  const Shape stem = RoundedBox({stemX - 0.6f, head.y - 13.0f, stemX + 0.6f, head.y}, 0.3f);
  const Shape flag1 = Capsule({stemX, head.y - 12.5f}, {stemX + 4.5f, head.y - 8.0f}, 0.8f);
  const Shape flag2 = Capsule({stemX, head.y - 9.0f}, {stemX + 4.5f, head.y - 4.5f}, 0.8f);
  canvas.Fill(Union(Union(noteHead, stem), Union(flag1, flag2)), Solid(palette::kPrint));
}

}  // namespace

void DrawSidePanel(Canvas& canvas, FontSet& fonts) {
  const Shape plate = RoundedBox(kSidePanel, 9.0f);
  canvas.Shadow(plate, WithAlpha(palette::kBlack, 0.7f), 5.0f, {1.5f, 5.0f});
  canvas.Fill(plate, [](Vec2 p) {
    const Colour base = Mix(palette::kPanelTop, palette::kPanelBottom, (p.y - kSidePanel.top) / kSidePanel.Height());
    // Anodised, brushed along its length.
    return Lighter(base, (Grain(int(p.x * 4.0f), int(p.y * 0.1f), 5) - 0.5f) * 0.06f);
  });
  canvas.Fill(plate, EdgeLight(plate, 3.0f, kTowardsLight, WithAlpha(palette::kWhite, 0.35f), WithAlpha(palette::kBlack, 0.5f)));
  const float middle = kSidePanel.Centre().x;
  for (Vec2 screw : {Vec2{kSidePanel.left + 9.0f, kSidePanel.top + 9.0f}, Vec2{kSidePanel.right - 9.0f, kSidePanel.top + 9.0f},
                     Vec2{kSidePanel.left + 9.0f, kSidePanel.bottom - 9.0f}, Vec2{kSidePanel.right - 9.0f, kSidePanel.bottom - 9.0f}})
    DrawScrew(canvas, screw);

  for (const ControlRect* control : {&kSaturationSwitch, &kHissSwitch, &kStereoSwitch}) {
    DrawSwitchBay(canvas, *control);
    Label(canvas, fonts.Narrow(), control->caption, {control->Centre().x, float(control->top) - 7.0f}, 10.0f, 1.0f,
          palette::kPrint);
  }

  // The caption control writes the sync setting into this window in mid grey.
  const Rect window = kSyncCaption.Box().Grown(3.0f);
  const Shape display = RoundedBox(window, 3.5f);
  canvas.Fill(display, LinearGradient({0, window.top}, {0, window.bottom}, Hex(0x07080a), Hex(0x15171b)));
  canvas.InnerShadow(display, WithAlpha(palette::kBlack, 0.9f), 1.2f, {0.0f, 1.2f});
  canvas.Fill(display, EdgeLight(RoundedBox(window.Grown(0.8f), 4.3f), 1.0f, {0.45f, 0.9f}, WithAlpha(palette::kWhite, 0.3f),
                                 WithAlpha(palette::kBlack, 0.0f)));
  Label(canvas, fonts.Narrow(), kSyncCaption.caption, {kSyncCaption.Centre().x + 8.0f, float(kSyncCaption.top) - 9.0f}, 10.0f,
        1.0f, palette::kPrint);
  DrawSixteenthNote(canvas, {window.right + 12.0f, kSyncCaption.Centre().y + 4.0f});

  Label(canvas, fonts.BoldItalic(), "Fenwox", {middle, kSidePanel.bottom - 26.0f}, 13.0f, 0.2f, palette::kPrintDim);
}

}  // namespace artwork
