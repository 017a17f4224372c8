#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "core/ModuleHandle.h"
#include "editor/IBitmapControl.h"
#include "editor/ICaptionControl.h"
#include "editor/IInvisibleSwitchControl.h"
#include "editor/IKnobMultiControl.h"
#include "editor/IMenuModel.h"
#include "editor/ISwitchControl.h"
#include "editor/ITextControl.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "editor/offscreen/IOffscreenResponder.h"
#include "effect/FenwoxQuil.h"
#include "raster/Blit.h"
#include "raster/MemBitmap.h"
#include "raster/Png.h"

namespace {

// Picks menu entries from a script.
class MenuScript : public IOffscreenResponder {
 public:
  int ChooseMenuCommand(const IMenuModel&, const IBounds&) override {
    if (answers.empty()) return -1;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<int> answers;
};

IMouseFlags Left() {
  IMouseFlags flags;
  flags.left = true;
  return flags;
}

// The decoded artwork, straight from the library's images.
std::unique_ptr<Raster_IBitmap> Artwork(int resourceId) {
  return std::unique_ptr<Raster_IBitmap>(Raster_PngFromResource(ModuleHandle, resourceId));
}

uint32_t PixelAt(Raster_IBitmap* bitmap, int x, int y) { return bitmap->PixelData()[y * bitmap->RowPixels() + x]; }

// The pedal with its editor open and drawn, as a host shows it.
class PedalEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    editor = dynamic_cast<IGraphicsOffscreen*>(pedal.Editor());
    ASSERT_NE(editor, nullptr);
    editor->SetResponder(&menus);
    ASSERT_NE(editor->OpenEditorWindow(nullptr), nullptr);
    Redraw();
    pedal.calls.clear();
  }

  void Redraw() {
    for (int i = 0; i < 3; ++i) editor->Tick();
  }

  void Drag(int x, int y, int dy) {
    editor->PressMouse(x, y, Left());
    editor->MoveMouse(x, y + dy / 2, Left());
    editor->MoveMouse(x, y + dy, Left());
    editor->ReleaseMouse(x, y + dy, Left());
  }

  // What the screen should show over rect: the background with frame `frame` of the image drawn
  // over it at the given opacity.
  std::unique_ptr<Raster_IBitmap> Expected(const IBounds& rect, int resourceId, int frames, int frame,
                                           float opacity = 1.0f) {
    auto expected = std::make_unique<Raster_MemBitmap>(rect.Width(), rect.Height());
    std::unique_ptr<Raster_IBitmap> background = Artwork(100);
    std::unique_ptr<Raster_IBitmap> strip = Artwork(resourceId);
    const IBounds behind(rect.left, rect.top, rect.right, rect.bottom);
    Raster_Composite(expected.get(), background.get(), 0, 0, &behind, 1.0f, kBlitCopy);
    const int frameHeight = strip->PixelHeight() / frames;
    const IBounds source(0, frameHeight * (frame - 1), strip->PixelWidth(), frameHeight * frame);
    Raster_Composite(expected.get(), strip.get(), 0, 0, &source, opacity, kBlitCopy | kBlitUseSourceAlpha);
    return expected;
  }

  // Pixels of the screen over rect that differ from the expected picture.
  int Mismatches(const IBounds& rect, Raster_IBitmap* expected) {
    int count = 0;
    for (int y = 0; y < rect.Height(); ++y) {
      for (int x = 0; x < rect.Width(); ++x)
        count += PixelAt(editor->Screen(), rect.left + x, rect.top + y) != PixelAt(expected, x, y);
    }
    return count;
  }

  FenwoxQuil pedal;
  IGraphicsOffscreen* editor = nullptr;
  MenuScript menus;
};

const IBounds kTimeKnob(163, 62, 227, 126);
const IBounds kRangeSelector(230, 62, 294, 126);
const IBounds kLed(151, 31, 167, 47);

TEST_F(PedalEditor, ControlTableAndLed) {
  struct Row {
    const std::type_info& type;
    int paramIdx;
    IBounds rect;
  };
  const Row rows[] = {
      {typeid(IBitmapControl), -1, IBounds(0, 0, 410, 460)},
      {typeid(IKnobMultiControl), FenwoxQuil::kEffectLevel, IBounds(16, 62, 80, 126)},
      {typeid(IKnobMultiControl), FenwoxQuil::kFeedback, IBounds(89, 62, 153, 126)},
      {typeid(IKnobMultiControl), FenwoxQuil::kTime, kTimeKnob},
      {typeid(IKnobMultiControl), FenwoxQuil::kDelayRange, kRangeSelector},
      {typeid(ISwitchControl), FenwoxQuil::kAnalogSat, IBounds(314, 64, 404, 80)},
      {typeid(ISwitchControl), FenwoxQuil::kAnalogHiss, IBounds(314, 139, 404, 155)},
      {typeid(ISwitchControl), FenwoxQuil::kStereoMode, IBounds(314, 213, 404, 229)},
      {typeid(ICaptionControl), FenwoxQuil::kSync16th, IBounds(326, 285, 362, 301)},
      {typeid(IInvisibleSwitchControl), FenwoxQuil::kEffectActive, IBounds(24, 295, 287, 421)},
      {typeid(IBitmapControl), -1, kLed},
      {typeid(ITextControl), -1, IBounds(225, 431, 267, 443)},
  };
  ASSERT_EQ(editor->ControlCount(), 12);
  EXPECT_EQ(pedal.LedControl(), 10);
  EXPECT_EQ(editor->Width(), 410);
  EXPECT_EQ(editor->Height(), 460);
  EXPECT_EQ(editor->FrameRate(), 25);
  for (int i = 0; i < 12; ++i) {
    IControl* control = editor->Control(i);
    EXPECT_EQ(typeid(*control), rows[i].type) << i;
    EXPECT_EQ(control->ParamIdx(), rows[i].paramIdx) << i;
    EXPECT_EQ(control->Rect(), rows[i].rect) << i;
  }
  auto* version = static_cast<ITextControl*>(editor->Control(11));
  EXPECT_STREQ(version->Text(), "v1.0.3");
  EXPECT_EQ(version->TextStyle().size, 14);
  EXPECT_EQ(version->TextStyle().colour, IRgba(255, 128, 128, 128));
  EXPECT_EQ(static_cast<IKnobMultiControl*>(editor->Control(3))->Gearing(), 4.0);
}

TEST_F(PedalEditor, TimeKnobSweepsItsRangeIn256PixelsAndThePluginFollows) {
  ASSERT_EQ(pedal.Param(FenwoxQuil::kTime)->Value(), 1.0);
  Drag(195, 120, -256);
  EXPECT_EQ(editor->Control(3)->Value(), 1.0);
  EXPECT_EQ(pedal.Param(FenwoxQuil::kTime)->Value(), 100.0);
  const auto sent = pedal.CallsOf(HostCall::InformParamChange);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_DOUBLE_EQ(sent[0].value, 0.5);
  EXPECT_EQ(sent[1].value, 1.0);
  EXPECT_EQ(pedal.CallsOf(HostCall::BeginParamChange).size(), 1u);
  EXPECT_EQ(pedal.CallsOf(HostCall::EndParamChange).size(), 1u);
}

TEST_F(PedalEditor, FootswitchTogglesEffectActiveAndTheLedShowsItAtTheNextRedraw) {
  std::unique_ptr<Raster_IBitmap> dark = Expected(kLed, 104, 2, 1);
  std::unique_ptr<Raster_IBitmap> lit = Expected(kLed, 104, 2, 2);
  ASSERT_GT(Mismatches(kLed, lit.get()), 0) << "the two LED frames must differ";
  EXPECT_EQ(Mismatches(kLed, dark.get()), 0);

  for (const auto& click : {std::pair<int, int>{30, 300}, {286, 420}}) {
    const bool wasOn = pedal.Param(FenwoxQuil::kEffectActive)->Value() >= 0.5;
    editor->PressMouse(click.first, click.second, Left());
    editor->ReleaseMouse(click.first, click.second, Left());
    EXPECT_EQ(pedal.Param(FenwoxQuil::kEffectActive)->Value(), wasOn ? 0.0 : 1.0);
    editor->Tick();
    EXPECT_EQ(editor->Control(pedal.LedControl())->Value(), wasOn ? 0.0 : 1.0);
    EXPECT_EQ(Mismatches(kLed, (wasOn ? dark : lit).get()), 0);
  }
  // Outside the area nothing toggles.
  editor->PressMouse(23, 300, Left());
  editor->ReleaseMouse(23, 300, Left());
  EXPECT_EQ(pedal.Param(FenwoxQuil::kEffectActive)->Value(), 0.0);
}

TEST_F(PedalEditor, ClicksOnTheLedLeaveItShowingTheEffectState) {
  std::unique_ptr<Raster_IBitmap> lit = Expected(kLed, 104, 2, 2);
  editor->PressMouse(30, 300, Left());
  editor->ReleaseMouse(30, 300, Left());
  ASSERT_EQ(pedal.Param(FenwoxQuil::kEffectActive)->Value(), 1.0);
  editor->PressMouse(159, 39, Left());
  editor->ReleaseMouse(159, 39, Left());
  editor->DoubleClickMouse(159, 39, Left());
  editor->ReleaseMouse(159, 39, Left());
  Redraw();
  EXPECT_EQ(editor->Control(pedal.LedControl())->Value(), 1.0);
  EXPECT_EQ(Mismatches(kLed, lit.get()), 0);
}

TEST_F(PedalEditor, KnobsAndSelectorShowTheFrameOfTheirValue) {
  // Time at 0.5 shows frame 51; the range selector shows frame value + 1.
  pedal.Param(FenwoxQuil::kTime)->SetFromNormalized(0.5);
  pedal.PushParamsToEditor();
  Redraw();
  const double time = pedal.Param(FenwoxQuil::kTime)->ToNormalized();
  const int frame = static_cast<int>(99 * time + 0.5) + 1;
  EXPECT_EQ(Mismatches(kTimeKnob, Expected(kTimeKnob, 101, 100, frame).get()), 0);
  EXPECT_GT(Mismatches(kTimeKnob, Expected(kTimeKnob, 101, 100, frame + 3).get()), 0);
  EXPECT_GT(Mismatches(kTimeKnob, Expected(kTimeKnob, 101, 100, 1).get()), 0);

  for (int range = 0; range < 4; ++range) {
    pedal.Param(FenwoxQuil::kDelayRange)->SetValue(range);
    pedal.PushParamsToEditor();
    Redraw();
    for (int shown = 1; shown <= 4; ++shown) {
      const int wrong = Mismatches(kRangeSelector, Expected(kRangeSelector, 102, 4, shown).get());
      EXPECT_EQ(wrong == 0, shown == range + 1) << "range " << range << " frame " << shown;
    }
  }
}

TEST_F(PedalEditor, TempoSyncGreysTimeAndRangeUntilSwitchedOff) {
  std::unique_ptr<Raster_IBitmap> faded = Expected(kTimeKnob, 101, 100, 1, 0.25f);
  // The sync caption's menu: the fifth item is "4" sixteenths.
  menus.answers = {4};
  editor->PressMouse(340, 290, Left());
  editor->ReleaseMouse(340, 290, Left());
  ASSERT_EQ(pedal.Param(FenwoxQuil::kSync16th)->Value(), 4.0);
  editor->Tick();
  EXPECT_TRUE(editor->Control(3)->IsGrayed());
  EXPECT_TRUE(editor->Control(4)->IsGrayed());
  EXPECT_FALSE(editor->Control(2)->IsGrayed());
  Redraw();
  EXPECT_EQ(Mismatches(kTimeKnob, faded.get()), 0);

  pedal.calls.clear();
  Drag(195, 120, -100);
  Drag(262, 120, -100);
  EXPECT_TRUE(pedal.calls.empty());
  EXPECT_EQ(pedal.Param(FenwoxQuil::kTime)->Value(), 1.0);

  menus.answers = {0};
  editor->PressMouse(340, 290, Left());
  editor->ReleaseMouse(340, 290, Left());
  editor->Tick();
  EXPECT_FALSE(editor->Control(3)->IsGrayed());
  EXPECT_FALSE(editor->Control(4)->IsGrayed());
  Redraw();
  EXPECT_EQ(Mismatches(kTimeKnob, Expected(kTimeKnob, 101, 100, 1).get()), 0);
  Drag(195, 120, -64);
  EXPECT_GT(pedal.Param(FenwoxQuil::kTime)->Value(), 1.0);
}

// Processing runs on the host's audio thread and never touches the editor: what it changes waits
// for the editor's tick, and a tempo that changes while sync is off gives the editor nothing to do.
TEST_F(PedalEditor, ProcessingLeavesEditorChangesToTheTick) {
  double in[2][16] = {}, out[2][16] = {};
  double* inputs[2] = {in[0], in[1]};
  double* outputs[2] = {out[0], out[1]};
  for (const double tempo : {120.0, 121.0, 90.5, 140.0}) {
    pedal.tempo = tempo;
    pedal.ProcessBlock(inputs, outputs, 16);
    EXPECT_FALSE(editor->Tick()) << tempo;
  }

  // A host turns sync on, then the next block's tempo change sets the time from the tempo.
  pedal.Param(FenwoxQuil::kSync16th)->SetValue(4.0);
  pedal.Param(FenwoxQuil::kEffectActive)->SetValue(1.0);
  pedal.ParameterChanged(FenwoxQuil::kEffectActive, false);
  pedal.tempo = 100.0;
  pedal.ProcessBlock(inputs, outputs, 16);
  EXPECT_FALSE(editor->Control(3)->IsGrayed());
  EXPECT_FALSE(editor->Control(4)->IsGrayed());
  EXPECT_EQ(editor->Control(pedal.LedControl())->Value(), 0.0);
  EXPECT_TRUE(editor->Tick());
  EXPECT_TRUE(editor->Control(3)->IsGrayed());
  EXPECT_TRUE(editor->Control(4)->IsGrayed());
  EXPECT_EQ(editor->Control(pedal.LedControl())->Value(), 1.0);
  Redraw();

  // Further tempo changes move the synced time but leave the greyed controls alone.
  pedal.tempo = 101.0;
  pedal.ProcessBlock(inputs, outputs, 16);
  EXPECT_FALSE(editor->Tick());
}

TEST_F(PedalEditor, CaptionAndVersionTextAreDrawnOnThePedal) {
  std::unique_ptr<Raster_IBitmap> background = Artwork(100);
  for (const IBounds& rect : {IBounds(326, 285, 362, 301), IBounds(225, 431, 267, 443)}) {
    int changed = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x)
        changed += PixelAt(editor->Screen(), x, y) != PixelAt(background.get(), x, y);
    }
    EXPECT_GT(changed, 10) << rect.left;
  }
  // Away from every control the screen is the background itself.
  const IBounds bare(0, 0, 16, 460);
  int differing = 0;
  for (int y = bare.top; y < bare.bottom; ++y) {
    for (int x = bare.left; x < bare.right; ++x)
      differing += PixelAt(editor->Screen(), x, y) != PixelAt(background.get(), x, y);
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
