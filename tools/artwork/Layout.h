#pragma once
// Where the editor puts its controls (left, top, right exclusive, bottom exclusive, in editor pixels) and the
// frame geometry of each strip. The picture is drawn around these rectangles, so they must match the editor.
//
// Resource ids and files (frames stacked top to bottom):
//   100  bkg.png        1 frame    410 x 460
//   101  knob.png     100 frames    64 x 64  (64 x 6400)
//   102  selector.png   4 frames    64 x 64  (64 x 256)
//   103  onoff.png      2 frames    90 x 16  (90 x 32; off, on)
//   104  led.png        2 frames    16 x 16  (16 x 32; dark, lit)

#include "tools/artwork/Shapes.h"

namespace artwork {

struct ControlRect {
  const char* caption;
  int left, top, right, bottom;
  Rect Box() const { return {float(left), float(top), float(right), float(bottom)}; }
  Vec2 Centre() const { return Box().Centre(); }
};

constexpr int kEditorWidth = 410;
constexpr int kEditorHeight = 460;

constexpr ControlRect kLevelKnob{"E.LEVEL", 16, 62, 80, 126};
constexpr ControlRect kFeedbackKnob{"F.BACK", 89, 62, 153, 126};
constexpr ControlRect kTimeKnob{"D.TIME", 163, 62, 227, 126};
constexpr ControlRect kRangeSelector{"MODE", 230, 62, 294, 126};
constexpr ControlRect kSaturationSwitch{"ANALOG SAT.", 314, 64, 404, 80};
constexpr ControlRect kHissSwitch{"ANALOG HISS", 314, 139, 404, 155};
constexpr ControlRect kStereoSwitch{"STEREO MODE", 314, 213, 404, 229};
constexpr ControlRect kSyncCaption{"SYNC 16th", 326, 285, 362, 301};
constexpr ControlRect kFootswitch{"FOOTSWITCH", 24, 295, 287, 421};
constexpr ControlRect kCheckLed{"CHECK", 151, 31, 167, 47};
constexpr ControlRect kVersionText{"VERSION", 225, 431, 267, 443};

// In the editor's order of controls 1 to 11.
constexpr ControlRect kControls[] = {kLevelKnob,        kFeedbackKnob, kTimeKnob,     kRangeSelector,
                                     kSaturationSwitch, kHissSwitch,   kStereoSwitch, kSyncCaption,
                                     kFootswitch,       kCheckLed,     kVersionText};

constexpr int kKnobFrame = 64;
constexpr int kKnobFrames = 100;
constexpr float kKnobSweep = 300.0f;  // degrees, centred on twelve o'clock
constexpr float kKnobRadius = 22.5f;

constexpr int kSelectorFrames = 4;
// Pointer angle of each range position, degrees clockwise from twelve o'clock.
constexpr float kSelectorAngles[kSelectorFrames] = {-45.0f, -15.0f, 15.0f, 45.0f};
constexpr const char* kSelectorPositions[kSelectorFrames] = {"12.5-50ms", "50-200ms", "200-800ms", "HOLD"};
constexpr float kSelectorRadius = 19.5f;

constexpr int kSwitchWidth = 90;
constexpr int kSwitchHeight = 16;
constexpr int kLedSize = 16;

constexpr Rect kPedal{6, 6, 306, 454};
constexpr Rect kSidePanel{309.5f, 10, 406, 450};

}  // namespace artwork
