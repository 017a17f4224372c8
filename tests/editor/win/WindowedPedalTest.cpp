#include "tests/editor/win/WindowedPedal.h"

#include "raster/Png.h"

#include <thread>

namespace {

constexpr int kKnobX = 195, kKnobY = 94;  // the middle of the "Time" knob

std::vector<HostCall::Kind> Kinds(const std::vector<HostCall>& calls)
{
  std::vector<HostCall::Kind> kinds;
  for (const HostCall& call : calls) kinds.push_back(call.kind);
  return kinds;
}

// Begin first, end last, at least one value in between and nothing else.
void ExpectOneGesture(const std::vector<HostCall>& calls)
{
  const std::vector<HostCall::Kind> kinds = Kinds(calls);
  ASSERT_GE(kinds.size(), 3u);
  EXPECT_EQ(kinds.front(), HostCall::BeginParamChange);
  EXPECT_EQ(kinds.back(), HostCall::EndParamChange);
  for (size_t i = 1; i + 1 < kinds.size(); ++i) EXPECT_EQ(kinds[i], HostCall::InformParamChange) << i;
}

class WindowedPedal : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(open.window);
    ASSERT_NE(open.editor, nullptr);
    open.pedal.calls.clear();
  }

  OpenPedal open{100, 500};
};

}  // namespace

TEST_F(WindowedPedal, OpensAsChildOfTheHostWindowAndShowsTheWindowlessPictureOutsideText)
{
  HWND editorWindow = open.Editor();
  ASSERT_NE(editorWindow, nullptr);
  EXPECT_EQ(GetParent(editorWindow), open.Parent());
  EXPECT_NE(GetWindowLongPtrA(editorWindow, GWL_STYLE) & WS_CHILD, 0);
  RECT client;
  GetClientRect(editorWindow, &client);
  EXPECT_EQ(client.right, 410);
  EXPECT_EQ(client.bottom, 460);
  EXPECT_STREQ(open.editor->GraphicsApiName(), "Windows GDI");

  ReferencePicture reference;
  Raster_MemBitmap& shown = open.Capture();
  const PixelDifference difference = ComparePixels(reference.Screen(), shown, {kSyncCaption, kVersionText});
  EXPECT_TRUE(difference.Equal()) << difference.Describe();

  std::unique_ptr<Raster_IBitmap> artwork(Raster_PngFromResource(nullptr, 100));
  ASSERT_TRUE(artwork);
  EXPECT_GT(CountInk(shown, *artwork, kSyncCaption, 24), 10);
  EXPECT_GT(CountInk(shown, *artwork, kVersionText, 24), 10);
}

TEST_F(WindowedPedal, DraggingTimeUpOverFourKnobHeightsTakesItFromMinimumToMaximum)
{
  open.Automate(kTime, 0.0);
  open.pedal.calls.clear();

  open.Mouse(ShowEventKind::Down, kKnobX, kKnobY);
  for (int moved = -16; moved >= -128; moved -= 16) open.Mouse(ShowEventKind::Move, kKnobX, kKnobY + moved);
  EXPECT_NEAR(open.Normalized(kTime), 0.5, 0.01) << "half the distance, half the range";
  for (int moved = -144; moved >= -256; moved -= 16) open.Mouse(ShowEventKind::Move, kKnobX, kKnobY + moved);
  open.Mouse(ShowEventKind::Up, kKnobX, kKnobY - 256);
  EXPECT_EQ(open.Normalized(kTime), 1.0);
  ExpectOneGesture(open.Calls(kTime));

  open.Pump(kTwoTicksMs);
  ReferencePicture atMaximum({{kTime, 1.0}});
  EXPECT_EQ(DifferencesIn(atMaximum.Screen(), open.Capture(), kTimeKnob), 0) << "the knob follows";
}

TEST_F(WindowedPedal, ShiftMakesADragFineDoubleClickRestoresTheDefaultWheelSteps)
{
  const double byDefault = open.Value(kTime);
  open.Automate(kTime, 0.0);
  open.Drag(kKnobX, kKnobY, -64, -16, true);
  const double fine = open.Normalized(kTime);
  EXPECT_GT(fine, 0.0);
  EXPECT_LT(fine, 0.05) << "a coarse drag of 64 pixels gives 0.25";

  open.Automate(kTime, 0.7);
  open.Mouse(ShowEventKind::DoubleClick, kKnobX, kKnobY);
  EXPECT_EQ(open.Value(kTime), byDefault);

  open.Automate(kTime, 0.5);
  open.Mouse(ShowEventKind::Wheel, kKnobX, kKnobY, 3);
  EXPECT_NEAR(open.Normalized(kTime), 0.53, 0.011);
  open.Mouse(ShowEventKind::Wheel, kKnobX, kKnobY, -6);
  EXPECT_NEAR(open.Normalized(kTime), 0.47, 0.011);
}

TEST_F(WindowedPedal, FootswitchTogglesEffectActiveAndTheLedFollowsAtTheNextTick)
{
  const double before = open.Normalized(kEffectActive);
  ReferencePicture toggled({{kEffectActive, 1.0 - before}});
  EXPECT_GT(DifferencesIn(toggled.Screen(), open.Capture(), kLed), 20);

  open.Mouse(ShowEventKind::Down, 150, 350);
  open.Mouse(ShowEventKind::Up, 150, 350);
  EXPECT_EQ(open.Normalized(kEffectActive), 1.0 - before);
  ExpectOneGesture(open.Calls(kEffectActive));
  open.Pump(kTwoTicksMs);
  EXPECT_EQ(DifferencesIn(toggled.Screen(), open.Capture(), kLed), 0);
}

TEST_F(WindowedPedal, HostAutomationIsDrawnAtTheNextTick)
{
  Raster_MemBitmap before;
  CopyPicture(open.Capture(), before);
  open.Automate(kFeedback, 1.0);
  ReferencePicture full({{kFeedback, 1.0}});
  Raster_MemBitmap& shown = open.Capture();
  EXPECT_GT(DifferencesIn(before, shown, kFeedbackKnob), 100);
  EXPECT_EQ(DifferencesIn(full.Screen(), shown, kFeedbackKnob), 0);
}

TEST_F(WindowedPedal, SyncCaptionMenuIsChosenFromByKeyboardInsideTheGesture)
{
  ASSERT_EQ(open.Value(kSync16th), 0.0);
  // The menu's own loop runs inside the click; the keys come from elsewhere meanwhile.
  std::thread keys([this] {
    Sleep(400);
    for (ShowKey key : {ShowKey::Down, ShowKey::Down, ShowKey::Return}) {
      ShowEvent event;
      event.kind = ShowEventKind::Key;
      event.key = key;
      std::string error;
      open.window->inject(event, error);
      Sleep(60);
    }
  });
  open.Mouse(ShowEventKind::Down, 344, 293);
  keys.join();
  open.Mouse(ShowEventKind::Up, 344, 293);
  open.Pump(kTwoTicksMs);
  EXPECT_EQ(open.Value(kSync16th), 1.0);
  ExpectOneGesture(open.Calls(kSync16th));
}

TEST_F(WindowedPedal, TextFieldCommitsOnReturnDiscardsOnEscapeAndRefusesLetters)
{
  IControl* time = open.editor->Control(3);
  ASSERT_EQ(time->ParamIdx(), kTime);
  IBounds at = time->Rect();
  open.Automate(kTime, 0.0);

  struct Case {
    const char* typed;
    ShowKey ending;
    double after;
  };
  for (const Case& c : {Case{"7a5", ShowKey::Return, 75.0}, Case{"12", ShowKey::Escape, 75.0}}) {
    open.editor->PromptParamValue(time, open.pedal.Param(kTime), &at);
    ASSERT_NE(open.editor->TextEntryWindow(), nullptr) << c.typed;
    open.Type(c.typed);
    open.Key(c.ending);
    open.Pump(kTwoTicksMs);
    EXPECT_EQ(open.editor->TextEntryWindow(), nullptr) << c.typed;
    EXPECT_EQ(open.Value(kTime), c.after) << c.typed;
    // Keys reach the editor again once the field is gone.
    EXPECT_EQ(GetFocus(), open.Editor()) << c.typed;
  }
}

namespace {
WNDPROC gHostProc = nullptr;
std::vector<WPARAM> gHostKeys;

LRESULT CALLBACK RecordingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_KEYDOWN) gHostKeys.push_back(wParam);
  return CallWindowProcA(gHostProc, window, message, wParam, lParam);
}
}  // namespace

TEST_F(WindowedPedal, KeysTheEditorDoesNotTakeReachTheHostsWindow)
{
  gHostKeys.clear();
  gHostProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(open.Parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingHostProc)));
  SetFocus(open.Editor());
  open.Key(ShowKey::Tab);
  open.Key(ShowKey::Character, 'x');
  SetWindowLongPtrA(open.Parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gHostProc));
  EXPECT_EQ(gHostKeys, (std::vector<WPARAM>{VK_TAB, 'X'}));
}
