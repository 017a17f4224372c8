#include "tests/editor/EditorHarness.h"

#include "editor/IBitmapControl.h"
#include "editor/ICaptionControl.h"
#include "editor/IInvisibleSwitchControl.h"
#include "editor/IKnobMultiControl.h"
#include "editor/ISwitchControl.h"

#include <cmath>
#include <limits>

namespace {

TEST(StripFrames, ValueToFrameRoundsToTheNearestFrame)
{
  IBitmapStrip knob;
  knob.frames = 100;
  IBitmapStrip selector;
  selector.frames = 4;
  IBitmapStrip single;
  struct Case
  {
    const IBitmapStrip* strip;
    double value;
    int frame;
  };
  const Case cases[] = {
      {&knob, 0.0, 1},       {&knob, 0.5, 51},      {&knob, 1.0, 100},     {&knob, 0.004, 1},
      {&knob, 0.006, 2},     {&knob, 1.5, 100},     {&knob, -0.5, 1},      {&selector, 1.0 / 3.0, 2},
      {&selector, 2.0 / 3.0, 3}, {&single, 0.9, 1}, {&knob, std::nan(""), 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.strip->FrameForValue(c.value), c.frame) << c.value;
}

// Controls of the delay's kinds on a 200 x 100 editor, built from the embedded strips.
struct Controls : ::testing::Test
{
  void SetUp() override
  {
    IGraphics& g = *h.editor;
    knob = new IKnobMultiControl(h.plug.get(), 0, 0, EditorTestEffect::kLevel, g.LoadStrip(101, "knob.png", 100),
                                 kKnobVertical, 4.0);
    slider = new IKnobMultiControl(h.plug.get(), 64, 0, EditorTestEffect::kSteps, g.LoadStrip(101, "knob.png", 100),
                                   kKnobHorizontal, 4.0);
    selector = new ISwitchControl(h.plug.get(), 130, 0, EditorTestEffect::kChoice,
                                  g.LoadStrip(102, "selector.png", 4), IBlend());
    toggle = new ISwitchControl(h.plug.get(), 0, 70, EditorTestEffect::kToggle, g.LoadStrip(103, "onoff.png", 2),
                                IBlend());
    area = new IInvisibleSwitchControl(h.plug.get(), IBounds(100, 70, 200, 100), EditorTestEffect::kOnOff);
    for (IControl* c : {static_cast<IControl*>(knob), static_cast<IControl*>(slider), static_cast<IControl*>(selector),
                        static_cast<IControl*>(toggle), static_cast<IControl*>(area)})
      h.editor->AddControl(c);
    h.plug->Param(EditorTestEffect::kLevel)->SetValue(30.0);
    h.Attach();
  }

  std::vector<double> Sent() const { return SentValues(*h.plug); }

  EditorHarness h;
  IKnobMultiControl* knob;
  IKnobMultiControl* slider;
  ISwitchControl* selector;
  ISwitchControl* toggle;
  IInvisibleSwitchControl* area;
};

TEST_F(Controls, KnobDragFollowsGearingAndModifiersAndStopsAtTheEnds)
{
  EXPECT_EQ(knob->Rect(), IBounds(0, 0, 64, 64));
  DragMouse(*h.editor, 30, 40, 30, 8); // 32 pixels up
  EXPECT_DOUBLE_EQ(knob->Value(), 0.3 + 0.125);

  IMouseFlags shift = LeftButton();
  shift.shift = true;
  DragMouse(*h.editor, 30, 40, 30, 8, shift);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.3 + 0.125 + 0.0125);
  IMouseFlags control = LeftButton();
  control.control = true;
  DragMouse(*h.editor, 30, 8, 30, 40, control);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.3 + 0.125);

  h.plug->calls.clear();
  DragMouse(*h.editor, 30, 60, 30, -600, LeftButton(), 1);
  EXPECT_EQ(knob->Value(), 1.0);
  EXPECT_EQ(Sent(), (std::vector<double>{1.0}));
  EXPECT_EQ(h.plug->Param(EditorTestEffect::kLevel)->Value(), 100.0);

  // A horizontal one rises to the right.
  const double start = slider->Value();
  DragMouse(*h.editor, 70, 30, 102, 10);
  EXPECT_DOUBLE_EQ(slider->Value(), start + 0.125);
}

TEST_F(Controls, WheelStepsAHundredthOrAThousandthWithAModifier)
{
  h.editor->TurnWheel(30, 30, IMouseFlags(), 120);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.31);
  IMouseFlags fine;
  fine.control = true;
  h.editor->TurnWheel(30, 30, fine, -240);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.308);
  EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(Controls, SwitchesStepThroughTheirFramesAndWrap)
{
  struct Case
  {
    ISwitchControl* control;
    double before;
    double after;
  };
  const Case cases[] = {
      {selector, 0.0, 1.0 / 3.0}, {selector, 2.0 / 3.0, 1.0}, {selector, 1.0, 0.0},
      {toggle, 0.0, 1.0},         {toggle, 1.0, 0.0},
  };
  for (const Case& c : cases) {
    c.control->SetValue(c.before);
    h.plug->calls.clear();
    ClickMouse(*h.editor, c.control->Rect().left + 5, c.control->Rect().top + 5);
    EXPECT_NEAR(c.control->Value(), c.after, 1e-12) << c.before;
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_NEAR(Sent()[0], c.after, 1e-12);
  }
  // The second click of a double click is one more step.
  selector->SetValue(0.0);
  ClickMouse(*h.editor, 140, 10);
  h.editor->DoubleClickMouse(140, 10, LeftButton());
  EXPECT_NEAR(selector->Value(), 2.0 / 3.0, 1e-12);
}

TEST_F(Controls, InvisibleSwitchTogglesAroundTheMiddle)
{
  for (const auto& c : {std::pair<double, double>{0.4, 1.0}, {0.5, 0.0}, {0.0, 1.0}}) {
    area->SetValue(c.first);
    ClickMouse(*h.editor, 150, 90);
    EXPECT_EQ(area->Value(), c.second) << c.first;
  }
  EXPECT_EQ(h.plug->Param(EditorTestEffect::kOnOff)->Value(), 1.0);
  EXPECT_TRUE(area->Draw(h.editor));
}

TEST_F(Controls, DoubleClickReturnsToTheFirstPushedValue)
{
  DragMouse(*h.editor, 30, 60, 30, -68); // 0.3 + 128 / 256
  EXPECT_DOUBLE_EQ(knob->Value(), 0.8);
  h.plug->calls.clear();
  h.editor->DoubleClickMouse(30, 30, LeftButton());
  EXPECT_DOUBLE_EQ(knob->Value(), 0.3);
  EXPECT_EQ(Sent(), (std::vector<double>{0.3}));
  EXPECT_DOUBLE_EQ(h.plug->Param(EditorTestEffect::kLevel)->Value(), 30.0);
}

TEST_F(Controls, PushedValuesChangeOnlyWhatDiffers)
{
  h.editor->Tick();
  knob->ApplyPlugValue(knob->Value());
  EXPECT_FALSE(knob->NeedsDraw());
  knob->ApplyPlugValue(0.9);
  EXPECT_TRUE(knob->NeedsDraw());
  EXPECT_TRUE(knob->IsRedrawPending());
  EXPECT_TRUE(Sent().empty()); // pushed values never go back to the plug-in
}

TEST_F(Controls, GreyingAndHidingSetOpacityAndTakeControlsOutOfRouting)
{
  h.editor->GrayParamControls(EditorTestEffect::kLevel, true);
  EXPECT_TRUE(knob->IsGrayed());
  EXPECT_FLOAT_EQ(knob->Blend().weight, 0.25f);
  EXPECT_FALSE(slider->IsGrayed());
  ClickMouse(*h.editor, 30, 30);
  EXPECT_TRUE(h.plug->calls.empty());
  h.editor->GrayParamControls(EditorTestEffect::kLevel, false);
  EXPECT_FLOAT_EQ(knob->Blend().weight, 1.0f);

  knob->SetHidden(true);
  EXPECT_FLOAT_EQ(knob->Blend().weight, 0.0f);
  knob->SetHidden(false);
  EXPECT_FLOAT_EQ(knob->Blend().weight, 1.0f);
}

TEST_F(Controls, RightClickOnControlsWithoutPromptOpensNothing)
{
  // The knob ignores it; a switch sends its unchanged value (its prompt is disabled).
  ClickMouse(*h.editor, 30, 30, RightButton());
  EXPECT_TRUE(Sent().empty());
  ClickMouse(*h.editor, 140, 10, RightButton());
  EXPECT_EQ(Sent(), (std::vector<double>{selector->Value()}));
  EXPECT_TRUE(h.responder.shownMenus.empty());
}

TEST(Caption, ShowsTheDisplayTextAndTheLabelOnlyWhenAsked)
{
  EditorHarness h;
  ITextStyle style;
  auto* plain = new ICaptionControl(h.plug.get(), IBounds(0, 0, 60, 20), EditorTestEffect::kChoice, style, false);
  auto* labelled = new ICaptionControl(h.plug.get(), IBounds(0, 20, 60, 40), EditorTestEffect::kChoice, style, true);
  auto* number = new ICaptionControl(h.plug.get(), IBounds(0, 40, 60, 60), EditorTestEffect::kLevel, style, true);
  for (IControl* c : {static_cast<IControl*>(plain), static_cast<IControl*>(labelled), static_cast<IControl*>(number)})
    h.editor->AddControl(c);
  h.plug->Param(EditorTestEffect::kChoice)->SetValue(2.0);
  h.plug->Param(EditorTestEffect::kLevel)->SetValue(12.5);
  h.Attach();
  EXPECT_STREQ(plain->Text(), "long");
  EXPECT_STREQ(labelled->Text(), "long ");
  EXPECT_STREQ(number->Text(), "12.5 %");
  EXPECT_FALSE(plain->NoPrompt());
}

} // namespace
