#include "tests/editor/EditorHarness.h"

#include "editor/ICaptionControl.h"

namespace {

TEST(MenuModel, NumberPrefixesLabelTheEntries)
{
  IMenuModel menu;
  for (int i = 0; i < 12; ++i) menu.AddItem("item");
  TextBuffer label;
  const struct
  {
    int prefix;
    int index;
    const char* label;
  } cases[] = {{0, 0, "item"}, {1, 0, "1: item"}, {1, 11, "12: item"}, {2, 0, "01: item"},
               {2, 11, "12: item"}, {3, 8, "009: item"}};
  for (const auto& c : cases) {
    menu.numberPrefix = c.prefix;
    ASSERT_TRUE(menu.FormatLabel(c.index, &label));
    EXPECT_STREQ(label.Text(), c.label);
  }
  EXPECT_FALSE(menu.FormatLabel(12, &label));
}

TEST(MenuModel, CommandIdentifiersFollowTheBuildingOrder)
{
  // Top: a, [sub: x, y, z], c, separator, greyed. Identifiers: top 0-4, then the submenu's 5-7.
  IMenuModel menu;
  menu.AddItem("a");
  IMenuEntry* opener = menu.AddItem("more");
  opener->submenu = new IMenuModel;
  for (const char* text : {"x", "y", "z"}) opener->submenu->AddItem(text);
  menu.AddItem("c");
  menu.AddItem("", kMenuSeparator);
  menu.AddItem("off", kMenuGreyed);
  EXPECT_EQ(menu.CommandCount(), 8);

  EXPECT_EQ(menu.ChooseCommand(7), opener->submenu);
  EXPECT_EQ(opener->submenu->chosenIndex, 2);
  EXPECT_EQ(menu.chosenIndex, -1);
  EXPECT_EQ(menu.ChooseCommand(2), &menu);
  EXPECT_EQ(menu.chosenIndex, 2);

  // Entries that cannot be chosen, and identifiers nobody carries.
  IMenuModel fresh;
  fresh.AddItem("a");
  fresh.AddItem("", kMenuSeparator);
  fresh.AddItem("gone", kMenuDisabled);
  for (int id : {-1, 1, 2, 3, 100}) EXPECT_EQ(fresh.ChooseCommand(id), nullptr) << id;
  EXPECT_EQ(fresh.chosenIndex, -1);
  EXPECT_EQ(menu.ChooseCommand(1), nullptr); // the submenu's opener itself
}

// A caption for each prompt kind: a choice parameter (menu) and numeric ones (text entry).
struct Prompt : ::testing::Test
{
  void SetUp() override
  {
    ITextStyle style;
    choice = new ICaptionControl(h.plug.get(), IBounds(10, 10, 70, 30), EditorTestEffect::kChoice, style, false);
    level = new ICaptionControl(h.plug.get(), IBounds(10, 40, 71, 61), EditorTestEffect::kLevel, style, false);
    steps = new ICaptionControl(h.plug.get(), IBounds(100, 40, 160, 60), EditorTestEffect::kSteps, style, false);
    for (IControl* c : {static_cast<IControl*>(choice), static_cast<IControl*>(level), static_cast<IControl*>(steps)})
      h.editor->AddControl(c);
    h.Attach();
  }

  std::vector<double> Sent() const { return SentValues(*h.plug); }

  EditorHarness h;
  ICaptionControl* choice;
  ICaptionControl* level;
  ICaptionControl* steps;
};

TEST_F(Prompt, ChoiceMenuTicksTheCurrentTextAndAppliesTheChosenItem)
{
  h.responder.menuAnswers = {2};
  ClickMouse(*h.editor, 20, 20);
  ASSERT_EQ(h.responder.shownMenus.size(), 1u);
  EXPECT_EQ(h.responder.shownMenus[0], (std::vector<std::string>{"short", "medium [ticked]", "long"}));
  EXPECT_EQ(h.responder.anchors[0], choice->Rect());
  EXPECT_EQ(choice->Value(), 1.0);
  EXPECT_EQ(h.plug->Param(EditorTestEffect::kChoice)->Value(), 2.0);
  // The menu reset the press; the release still closes the gesture the press began.
  using Kinds = std::vector<HostCall::Kind>;
  EXPECT_EQ(GestureKinds(*h.plug),
            (Kinds{HostCall::BeginParamChange, HostCall::InformParamChange, HostCall::EndParamChange}));
  EXPECT_EQ(h.plug->calls[1].value, 1.0);

  // Drawn on two ticks, and the menu's area repainted.
  IBounds drawn;
  EXPECT_TRUE(h.editor->Tick(&drawn));
  EXPECT_EQ(drawn, IBounds(0, 0, 200, 100));
  EXPECT_TRUE(h.editor->Tick(&drawn));
  EXPECT_EQ(drawn, choice->Rect());
  EXPECT_FALSE(h.editor->Tick());
}

TEST_F(Prompt, DismissedOrUnchangedChoiceSendsNothing)
{
  h.responder.menuAnswers = {-1, 1};
  ClickMouse(*h.editor, 20, 20, RightButton());
  h.editor->DoubleClickMouse(20, 20, LeftButton()); // a double click prompts too
  EXPECT_EQ(h.responder.shownMenus.size(), 2u);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(choice->Value(), 0.5);
}

TEST_F(Prompt, TextEntryFiltersTypingAndAppliesTheNumberAtTheNextTick)
{
  h.plug->Param(EditorTestEffect::kLevel)->SetValue(50.0);
  h.responder.typedAnswers = {{true, "12.5x%"}};
  ClickMouse(*h.editor, 20, 50);
  ASSERT_EQ(h.responder.entryTexts, (std::vector<std::string>{"50.0"}));
  // Rebuilt around the centre: the odd width and height each lose a pixel.
  EXPECT_EQ(h.responder.anchors[0], IBounds(10, 40, 70, 60));
  EXPECT_TRUE(h.editor->TextEntryOpen());
  EXPECT_TRUE(Sent().empty());

  EXPECT_FALSE(h.editor->Tick()); // settles the entry, draws nothing
  EXPECT_FALSE(h.editor->TextEntryOpen());
  EXPECT_EQ(Sent(), (std::vector<double>{0.125}));
  EXPECT_DOUBLE_EQ(h.plug->Param(EditorTestEffect::kLevel)->Value(), 12.5);
  EXPECT_TRUE(h.editor->Tick());
  EXPECT_TRUE(h.editor->Tick());
  EXPECT_FALSE(h.editor->Tick());
}

TEST_F(Prompt, TextEntryShowsAndReadsNegatedValuesAndKeepsTheEntryLength)
{
  IEffectParam* param = h.plug->Param(EditorTestEffect::kSteps);
  param->SetNegateDisplay(true);
  param->SetValue(3.0);
  steps->SetEntryLength(2);
  h.responder.typedAnswers = {{true, "5.9"}};
  ClickMouse(*h.editor, 110, 50);
  EXPECT_EQ(h.responder.entryTexts, (std::vector<std::string>{"-3"}));
  h.editor->Tick();
  EXPECT_EQ(param->Value(), -5.0); // "5." kept, shown negated
}

TEST_F(Prompt, EscapeWheelAndCancelDropTheEntry)
{
  h.responder.typedAnswers = {{false, ""}, {true, "77"}, {true, "88"}};
  ClickMouse(*h.editor, 20, 50);
  h.editor->Tick();
  ClickMouse(*h.editor, 20, 50);
  h.editor->TurnWheel(20, 50, IMouseFlags(), 120);
  h.editor->Tick();
  ClickMouse(*h.editor, 20, 50);
  ClickMouse(*h.editor, 110, 50); // a second entry cannot open while one is
  h.editor->CancelTextEntry();
  h.editor->Tick();
  EXPECT_EQ(h.responder.entryTexts.size(), 3u);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(h.plug->Param(EditorTestEffect::kLevel)->Value(), 0.0);
}

TEST_F(Prompt, ClosingTheWindowDropsAnOpenEntry)
{
  h.responder.typedAnswers = {{true, "40"}};
  ClickMouse(*h.editor, 20, 50);
  h.editor->CloseEditorWindow();
  h.editor->OpenEditorWindow(nullptr);
  h.editor->Tick();
  EXPECT_TRUE(Sent().empty());
}

} // namespace
