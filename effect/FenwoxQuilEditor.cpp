// The pedal editor: the picture of the pedal with the plug-in's controls laid over it, and its
// reactions to tempo sync and to the effect being engaged.
#include "effect/FenwoxQuil.h"

#include "core/TextBuffer.h"
#include "editor/IBitmapControl.h"
#include "editor/ICaptionControl.h"
#include "editor/IGraphics.h"
#include "editor/IInvisibleSwitchControl.h"
#include "editor/IKnobMultiControl.h"
#include "editor/ISwitchControl.h"
#include "editor/ITextControl.h"
#include "editor/IGraphicsPlatform.h"

namespace {

constexpr int kEditorWidth = 410;
constexpr int kEditorHeight = 460;
constexpr double kKnobGearing = 4.0;

struct Image {
  int resourceId;
  const char* fileName;
  int frames;
};
constexpr Image kBackground{100, "resources/img/bkg.png", 1};
constexpr Image kKnob{101, "resources/img/knob.png", 100};
constexpr Image kSelector{102, "resources/img/selector.png", 4};
constexpr Image kSwitch{103, "resources/img/onoff.png", 2};
constexpr Image kLed{104, "resources/img/led.png", 2};

ITextStyle CaptionStyle() {
  ITextStyle style;
  style.size = 14;
  style.colour = IRgba(255, 128, 128, 128);
  style.entryBackground = kColourWhite;
  style.entryText = kColourBlack;
  style.style = kFontNormal;
  style.align = kAlignCentre;
  style.orientation = 0;
  style.quality = kQualityDefault;
  return style;
}

}  // namespace

void FenwoxQuil::BuildEditor() {
  IGraphics* editor = new IGraphicsPlatform(this, kEditorWidth, kEditorHeight, 0);
  editor->AddBackground(kBackground.resourceId, kBackground.fileName);
  const auto strip = [editor](const Image& image) {
    return editor->LoadStrip(image.resourceId, image.fileName, image.frames, false);
  };
  const IBitmapStrip knob = strip(kKnob), selector = strip(kSelector), onOff = strip(kSwitch), led = strip(kLed);
  const IBlend normal(kBlendOver, 1.0f);
  const ITextStyle caption = CaptionStyle();

  editor->AddControl(new IKnobMultiControl(this, 16, 62, kEffectLevel, knob, kKnobVertical, kKnobGearing));
  editor->AddControl(new IKnobMultiControl(this, 89, 62, kFeedback, knob, kKnobVertical, kKnobGearing));
  editor->AddControl(new IKnobMultiControl(this, 163, 62, kTime, knob, kKnobVertical, kKnobGearing));
  editor->AddControl(new IKnobMultiControl(this, 230, 62, kDelayRange, selector, kKnobVertical, kKnobGearing));
  editor->AddControl(new ISwitchControl(this, 314, 64, kAnalogSat, onOff, normal));
  editor->AddControl(new ISwitchControl(this, 314, 139, kAnalogHiss, onOff, normal));
  editor->AddControl(new ISwitchControl(this, 314, 213, kStereoMode, onOff, normal));
  editor->AddControl(new ICaptionControl(this, IBounds(326, 285, 362, 301), kSync16th, caption, false));
  editor->AddControl(new IInvisibleSwitchControl(this, IBounds(24, 295, 287, 421), kEffectActive));
  IControl* checkLed = new IBitmapControl(this, 151, 31, -1, led, normal);
  // The LED has no parameter, so attaching never gives it a first value; without one, the first
  // change of "Effect Active" would only become its double-click value and never be drawn.
  mLedValue.store(Param(kEffectActive)->Value(), std::memory_order_relaxed);
  checkLed->ApplyPlugValue(Param(kEffectActive)->Value());
  // The LED only shows the state: a double click would otherwise return it to that first value
  // whatever the effect does now. Clicks pass through to the picture beneath.
  checkLed->SetHitRect(IBounds());
  mLedControl = editor->AddControl(checkLed);

  // The version text follows the version the plug-in reports (packed as 0xMMMMmmpp).
  const int version = VersionNumber(false);
  TextBuffer versionText(16);
  versionText.AssignFormatted(15, "v%d.%d.%d", (version >> 16) & 0xffff, (version >> 8) & 0xff, version & 0xff);
  editor->AddControl(new ITextControl(this, IBounds(225, 431, 267, 443), caption, versionText.Text()));

  AttachEditor(editor);
}

void FenwoxQuil::EditorTick() {
  if (!Editor()) return;
  // Only a change of state touches the controls, so a steady state marks nothing for redrawing.
  const bool grey = mSyncSetsTime.load(std::memory_order_relaxed);
  if (grey != mTimeControlsGreyed) GreyTimeControls(grey);
  if (IControl* led = Editor()->Control(mLedControl)) led->ApplyPlugValue(mLedValue.load(std::memory_order_relaxed));
}

void FenwoxQuil::GreyTimeControls(bool grey) {
  Editor()->GrayParamControls(kTime, grey);
  Editor()->GrayParamControls(kDelayRange, grey);
  mTimeControlsGreyed = grey;
}
