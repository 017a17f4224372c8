#include "tests/editor/EditorHarness.h"

#include "editor/IInputState.h"

#include <algorithm>

namespace {

using Kinds = std::vector<HostCall::Kind>;
constexpr HostCall::Kind kBegin = HostCall::BeginParamChange;
constexpr HostCall::Kind kEnd = HostCall::EndParamChange;

struct Overlap : ::testing::Test
{
  void SetUp() override
  {
    background = h.Add(IBounds(0, 0, 200, 100), -1);
    lower = h.Add(IBounds(10, 10, 60, 60), EditorTestEffect::kLevel);
    upper = h.Add(IBounds(30, 30, 80, 80), EditorTestEffect::kSteps);
    h.Attach();
  }

  EditorHarness h;
  ProbeControl* background;
  ProbeControl* lower;
  ProbeControl* upper;
};

TEST_F(Overlap, ClickGoesToTheLaterControlUnlessItIsGreyedOrHidden)
{
  ClickMouse(*h.editor, 40, 40);
  EXPECT_EQ(upper->events, (std::vector<std::string>{"down", "up"}));
  EXPECT_TRUE(lower->events.empty());

  upper->SetGrayed(true);
  ClickMouse(*h.editor, 40, 40);
  EXPECT_EQ(lower->events, (std::vector<std::string>{"down", "up"}));

  upper->SetGrayed(false);
  upper->SetHidden(true);
  ClickMouse(*h.editor, 41, 41);
  EXPECT_EQ(lower->events.size(), 4u);
  EXPECT_EQ(upper->events.size(), 2u);

  // Each press framed its own parameter's gesture.
  const std::vector<HostCall>& calls = h.plug->calls;
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].paramIdx, EditorTestEffect::kSteps);
  EXPECT_EQ(calls[2].paramIdx, EditorTestEffect::kLevel);
  EXPECT_EQ(GestureKinds(*h.plug), (Kinds{kBegin, kEnd, kBegin, kEnd, kBegin, kEnd}));
}

TEST_F(Overlap, ControlsWithoutParameterTakeClicksWithoutGestures)
{
  ClickMouse(*h.editor, 150, 90);
  EXPECT_EQ(background->events, (std::vector<std::string>{"down", "up"}));
  ClickMouse(*h.editor, 500, 500); // outside every control
  EXPECT_TRUE(h.plug->calls.empty());
}

TEST_F(Overlap, DragGoesToThePressedControlWithStepsFromTheLastPosition)
{
  IMouseFlags left = LeftButton();
  h.editor->PressMouse(40, 40, left);
  h.editor->MoveMouse(40, 40, left); // no movement, no drag step
  h.editor->MoveMouse(45, 30, left);
  h.editor->MoveMouse(15, 15, left); // over the lower control: still the pressed one's drag
  h.editor->MoveMouse(190, 95, IMouseFlags()); // no button: hover, which is off
  h.editor->ReleaseMouse(15, 15, left);
  EXPECT_EQ(upper->events, (std::vector<std::string>{"down", "drag 5 -10", "drag -30 -15", "up"}));
  EXPECT_TRUE(lower->events.empty());
  EXPECT_EQ(h.editor->Captured(), -1);
  EXPECT_EQ(h.editor->MouseX(), -1);
}

TEST_F(Overlap, ReleaseOutsideEveryControlEndsThePressedControlsGesture)
{
  DragMouse(*h.editor, 40, 40, 400, 300);
  EXPECT_EQ(upper->events.back(), "up");
  EXPECT_EQ(GestureKinds(*h.plug), (Kinds{kBegin, kEnd}));
  EXPECT_EQ(h.plug->calls[1].paramIdx, EditorTestEffect::kSteps);
}

TEST_F(Overlap, DoubleClickCallsOnlyTheHandlerAndSendsNoGesture)
{
  h.editor->DoubleClickMouse(40, 40, LeftButton());
  EXPECT_EQ(upper->events, (std::vector<std::string>{"double"}));
  EXPECT_TRUE(h.plug->calls.empty());

  // The messages of a whole double click: the second release ends no gesture it never began.
  h.plug->calls.clear();
  ClickMouse(*h.editor, 40, 40);
  h.editor->DoubleClickMouse(40, 40, LeftButton());
  h.editor->ReleaseMouse(40, 40, LeftButton());
  EXPECT_EQ(GestureKinds(*h.plug), (Kinds{kBegin, kEnd}));
}

TEST_F(Overlap, WheelGoesToTheControlUnderTheMouseOrTheCapturedOne)
{
  h.editor->TurnWheel(15, 15, IMouseFlags(), 240);
  h.editor->TurnWheel(15, 15, IMouseFlags(), -119); // less than a notch
  EXPECT_EQ(lower->events, (std::vector<std::string>{"wheel 2", "wheel 0"}));
  h.editor->PressMouse(40, 40, LeftButton());
  h.editor->TurnWheel(15, 15, IMouseFlags(), -120);
  EXPECT_EQ(upper->events.back(), "wheel -1");
  h.editor->ReleaseMouse(40, 40, LeftButton());
}

TEST_F(Overlap, KeysReachControlsButNeverTheBackground)
{
  h.editor->MoveMouse(40, 40, IMouseFlags());
  EXPECT_TRUE(h.editor->PressKey('A'));
  EXPECT_EQ(upper->events.back(), "key " + std::to_string(kKeyA));
  upper->takesKeys = false;
  EXPECT_FALSE(h.editor->PressKey(0x26)); // the control's answer
  EXPECT_EQ(upper->events.back(), "key " + std::to_string(kKeyUp));
  EXPECT_FALSE(h.editor->PressKey(0x70)); // F1 is not delivered at all
  EXPECT_EQ(upper->events.size(), 2u);

  h.editor->MoveMouse(150, 90, IMouseFlags());
  EXPECT_FALSE(h.editor->PressKey(' '));
  h.editor->MoveMouse(500, 500, IMouseFlags());
  EXPECT_FALSE(h.editor->PressKey(' '));
  EXPECT_TRUE(background->events.empty());
}

TEST_F(Overlap, LeavingTheWindowTellsEveryControl)
{
  h.editor->SetHovered(2);
  h.editor->LeaveWindow();
  EXPECT_EQ(background->events, (std::vector<std::string>{"out"}));
  EXPECT_EQ(upper->events, (std::vector<std::string>{"out"}));
  EXPECT_EQ(h.editor->Hovered(), -1);
}

// A press the window never sees released: the editor window closing under it, or another window
// taking the mouse. Either way the host's gesture ends once and later input is routed afresh.
struct InterruptedPress : Overlap, ::testing::WithParamInterface<bool>
{
  // A closing window also tells every control the mouse left; that is not what is checked here.
  static std::vector<std::string> WithoutLeaving(std::vector<std::string> events)
  {
    events.erase(std::remove(events.begin(), events.end(), "out"), events.end());
    return events;
  }

  void Interrupt()
  {
    if (GetParam()) {
      h.editor->LoseCapture();
      return;
    }
    h.editor->CloseEditorWindow();
    h.editor->OpenEditorWindow(nullptr);
  }
};

TEST_P(InterruptedPress, EndsTheGestureAndForgetsThePressedControl)
{
  const IMouseFlags left = LeftButton();
  h.editor->PressMouse(40, 40, left);
  h.editor->MoveMouse(45, 30, left);
  upper->SetValue(0.75);
  upper->MarkDirty(true);
  Interrupt();
  EXPECT_EQ(GestureKinds(*h.plug), (Kinds{kBegin, HostCall::InformParamChange, kEnd}));
  EXPECT_EQ(h.plug->calls.back().paramIdx, EditorTestEffect::kSteps);
  EXPECT_EQ(h.editor->Captured(), -1);
  EXPECT_EQ(h.editor->MouseX(), -1);

  // Moves and wheel turns now belong to whatever is under the mouse, and a stray release ends
  // nothing twice.
  h.editor->MoveMouse(20, 20, left);
  h.editor->TurnWheel(15, 15, IMouseFlags(), 120);
  h.editor->ReleaseMouse(15, 15, left);
  EXPECT_EQ(WithoutLeaving(upper->events), (std::vector<std::string>{"down", "drag 5 -10"}));
  EXPECT_EQ(WithoutLeaving(lower->events), (std::vector<std::string>{"wheel 1", "up"}));
  EXPECT_EQ(h.plug->CallsOf(HostCall::EndParamChange).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Ways, InterruptedPress, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CaptureLost" : "WindowClosed";
                         });

// Right clicks per host format: a VST3 host shows its own parameter menu and the control sees
// nothing; elsewhere the control gets the press.
struct RightClick : ::testing::TestWithParam<int>
{
};

TEST_P(RightClick, OpensTheHostMenuOnlyUnderVst3)
{
  const bool vst3 = GetParam() == 1;
  EditorHarness h(GetParam());
  ProbeControl* knob = h.Add(IBounds(10, 10, 60, 60), EditorTestEffect::kLevel);
  ProbeControl* plain = h.Add(IBounds(100, 10, 150, 60), -1);
  h.Attach();

  ClickMouse(*h.editor, 20, 30, RightButton());
  ClickMouse(*h.editor, 110, 30, RightButton()); // no parameter: always the control's
  EXPECT_EQ(plain->events, (std::vector<std::string>{"down", "up"}));
  if (vst3) {
    ASSERT_EQ(h.plug->hostMenus.size(), 1u);
    EXPECT_EQ(h.plug->hostMenus[0].paramIdx, EditorTestEffect::kLevel);
    EXPECT_EQ(h.plug->hostMenus[0].x, 20);
    EXPECT_EQ(h.plug->hostMenus[0].y, 30);
    EXPECT_EQ(knob->events, (std::vector<std::string>{"up"}));
    EXPECT_TRUE(h.plug->calls.empty());
  } else {
    EXPECT_TRUE(h.plug->hostMenus.empty());
    EXPECT_EQ(knob->events, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(GestureKinds(*h.plug), (Kinds{kBegin, kEnd}));
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RightClick, ::testing::Values(0, 1, 4));

} // namespace
