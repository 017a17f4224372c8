// The switch plate beside the pedal: three slide switches with their names, the tempo-sync read-out and
// the maker's badge.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Palette.h"

namespace artwork {

namespace {

void DrawScrew(Canvas& canvas, Vec2 centre) {
  const Shape head = Circle(centre, 3.6f);
  canvas.Shadow(head, WithAlpha(palette::kBlack, 0.7f), 0.8f, {0.3f, 0.8f});
  canvas.Fill(head, TurnedMetal(centre, Hex(0x8d939b), 0.4f, -35.0f));
  canvas.Fill(head, EdgeLight(head, 1.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.6f),
                              WithAlpha(palette::kBlack, 0.5f)));
  const Shape slot =
      Rotated(RoundedBox({centre.x - 2.6f, centre.y - 0.5f, centre.x + 2.6f, centre.y + 0.5f}, 0.4f), centre, 30.0f);
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
  const Shape noteHead =
      Rotated(RoundedBox({head.x - 3.4f, head.y - 2.4f, head.x + 3.4f, head.y + 2.4f}, 2.4f), head, -22.0f);
  const float stemX = head.x + 2.6f, stemTop = head.y - 14.0f;
  const Shape stem = RoundedBox({stemX - 0.65f, stemTop, stemX + 0.65f, head.y - 0.5f}, 0.3f);
  Shape note = Union(noteHead, stem);
  for (float drop : {0.0f, 4.0f}) {
    const Vec2 root = {stemX, stemTop + drop};
    note = Union(note, Union(Capsule(root, root + Vec2{3.0f, 2.6f}, 0.85f),
                             Capsule(root + Vec2{3.0f, 2.6f}, root + Vec2{3.8f, 6.0f}, 0.75f)));
  }
  canvas.Fill(Shifted(note, {0.0f, 0.8f}), Solid(WithAlpha(palette::kBlack, 0.5f)));
  canvas.Fill(note, Solid(palette::kPrint));
}

// Cooling slots pressed into the plate, lit on their lower lip.
void DrawVents(Canvas& canvas, float top, int count) {
  for (int i = 0; i < count; ++i) {
    const float y = top + i * 9.0f;
    const Rect slotBox = {kSidePanel.left + 18.0f, y, kSidePanel.right - 18.0f, y + 4.0f};
    const Shape slot = RoundedBox(slotBox, 2.0f);
    canvas.Fill(slot, Solid(Hex(0x08090b)));
    canvas.InnerShadow(slot, WithAlpha(palette::kBlack, 0.9f), 0.8f, {0.0f, 1.0f});
    canvas.Fill(Difference(RoundedBox(slotBox.Grown(0.8f), 2.8f), slot),
                EdgeLight(RoundedBox(slotBox.Grown(0.8f), 2.8f), 0.8f, {0.0f, 1.0f}, WithAlpha(palette::kWhite, 0.22f),
                          WithAlpha(palette::kBlack, 0.0f)));
  }
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
  canvas.Fill(plate, EdgeLight(plate, 3.0f, palette::kTowardsLight, WithAlpha(palette::kWhite, 0.35f),
                               WithAlpha(palette::kBlack, 0.5f)));
  const float middle = kSidePanel.Centre().x;
  for (Vec2 screw :
       {Vec2{kSidePanel.left + 9.0f, kSidePanel.top + 9.0f}, Vec2{kSidePanel.right - 9.0f, kSidePanel.top + 9.0f},
        Vec2{kSidePanel.left + 9.0f, kSidePanel.bottom - 9.0f},
        Vec2{kSidePanel.right - 9.0f, kSidePanel.bottom - 9.0f}})
    DrawScrew(canvas, screw);

  for (const ControlRect* control : {&kSaturationSwitch, &kHissSwitch, &kStereoSwitch}) {
    DrawSwitchBay(canvas, *control);
    fonts.Narrow().DrawPrinted(canvas, control->caption, {control->Centre().x, float(control->top) - 7.0f},
                               Style(10.0f, 1.0f, palette::kPrint));
  }

  // The caption control writes the sync setting into this window in mid grey.
  const Rect window = kSyncCaption.Box().Grown(3.0f);
  const Shape display = RoundedBox(window, 3.5f);
  canvas.Fill(display, LinearGradient({0, window.top}, {0, window.bottom}, Hex(0x07080a), Hex(0x15171b)));
  canvas.InnerShadow(display, WithAlpha(palette::kBlack, 0.9f), 1.2f, {0.0f, 1.2f});
  canvas.Fill(display, EdgeLight(RoundedBox(window.Grown(0.8f), 4.3f), 1.0f, {0.45f, 0.9f},
                                 WithAlpha(palette::kWhite, 0.3f), WithAlpha(palette::kBlack, 0.0f)));
  fonts.Narrow().DrawPrinted(canvas, kSyncCaption.caption,
                             {kSyncCaption.Centre().x + 8.0f, float(kSyncCaption.top) - 9.0f},
                             Style(10.0f, 1.0f, palette::kPrint));
  DrawSixteenthNote(canvas, {window.right + 12.0f, kSyncCaption.Centre().y + 4.0f});

  DrawVents(canvas, kSyncCaption.bottom + 34.0f, 6);
  fonts.BoldItalic().DrawPrinted(canvas, "Fenwox", {middle, kSidePanel.bottom - 26.0f},
                                 Style(13.0f, 0.2f, palette::kPrintDim));
}

}  // namespace artwork
