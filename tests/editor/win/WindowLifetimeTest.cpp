#include "tests/editor/win/WindowedPedal.h"

#include <psapi.h>

namespace {

bool ClassRegistered()
{
  WNDCLASSA info;
  return GetClassInfoA(GetModuleHandleA(nullptr), "IEffectWndClass", &info) != 0;
}

struct Resources {
  DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  SIZE_T memory = 0;
  Resources()
  {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) memory = counters.PagefileUsage;
  }
};

}  // namespace

TEST(EditorWindowLifetime, CloseAndReopenHundredTimesKeepsWindowsGdiObjectsAndMemory)
{
  OpenPedal open(50, 50);
  ASSERT_TRUE(open.window);
  // One round first: caches and the system's own first-use allocations are made.
  open.editor->CloseEditorWindow();
  ASSERT_NE(open.editor->OpenEditorWindow(open.Parent()), nullptr);
  open.Pump(kTwoTicksMs);
  open.editor->CloseEditorWindow();
  open.Pump(20);
  const Resources before;

  for (int i = 0; i < 100; ++i) {
    HWND window = static_cast<HWND>(open.editor->OpenEditorWindow(open.Parent()));
    ASSERT_NE(window, nullptr) << i;
    open.Pump(i % 10 == 0 ? 60 : 0);
    HWND field = nullptr;
    HGDIOBJ fieldFont = nullptr;
    if (i % 25 == 0) {
      // Now and then with a text field open, which closing must take along with its font.
      IControl* time = open.editor->Control(3);
      IBounds at = time->Rect();
      open.editor->PromptParamValue(time, open.pedal.Param(kTime), &at);
      field = open.editor->TextEntryWindow();
      ASSERT_NE(field, nullptr);
      fieldFont = reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0));
      EXPECT_EQ(GetObjectType(fieldFont), static_cast<DWORD>(OBJ_FONT));
    }
    open.editor->CloseEditorWindow();
    EXPECT_FALSE(IsWindow(window)) << i;
    EXPECT_EQ(open.editor->TextEntryWindow(), nullptr);
    if (field) {
      EXPECT_FALSE(IsWindow(field));
      EXPECT_EQ(GetObjectType(fieldFont), 0u) << "the field's font is freed";
    }
  }
  open.Pump(20);
  const Resources after;
  std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu, private memory %lu -> %lu KiB\n",
              static_cast<unsigned long>(before.gdi), static_cast<unsigned long>(after.gdi),
              static_cast<unsigned long>(before.user), static_cast<unsigned long>(after.user),
              static_cast<unsigned long>(before.memory / 1024), static_cast<unsigned long>(after.memory / 1024));
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  EXPECT_LT(after.memory, before.memory + 1024 * 1024);
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 0);
  EXPECT_FALSE(ClassRegistered());
}

TEST(EditorWindowLifetime, TwoInstancesShareTheClassAndWorkIndependently)
{
  auto first = std::make_unique<OpenPedal>(20, 400);
  OpenPedal second(500, 400);
  ASSERT_TRUE(first->window && second.window);
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 2);
  EXPECT_TRUE(ClassRegistered());

  first->Automate(kFeedback, 0.0);
  second.Automate(kFeedback, 0.0);
  first->pedal.calls.clear();
  second.Drag(121, 94, -128, -16);
  EXPECT_EQ(first->pedal.Param(kFeedback)->ToNormalized(), 0.0);
  EXPECT_NEAR(second.pedal.Param(kFeedback)->ToNormalized(), 0.5, 0.02);
  EXPECT_TRUE(first->pedal.calls.empty());

  first.reset();
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 1);
  EXPECT_TRUE(ClassRegistered());
  // The one left still redraws what the host changes.
  second.Automate(kFeedback, 1.0);
  ReferencePicture full({{kFeedback, 1.0}});
  EXPECT_EQ(DifferencesIn(full.Screen(), second.Capture(), kFeedbackKnob), 0);
  second.editor->CloseEditorWindow();
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 0);
  EXPECT_FALSE(ClassRegistered());
}

TEST(EditorWindowLifetime, ValuesChangedWhileClosedAreInTheFirstPaint)
{
  OpenPedal open(60, 60);
  ASSERT_TRUE(open.window);
  open.editor->CloseEditorWindow();
  HostAutomates(open.pedal, kFeedback, 1.0);
  ASSERT_NE(open.editor->OpenEditorWindow(open.Parent()), nullptr);
  // The first paint comes with the first look at the queue, before any timer tick.
  open.Pump(0);
  ReferencePicture full({{kFeedback, 1.0}});
  EXPECT_EQ(DifferencesIn(full.Screen(), open.Capture(), kFeedbackKnob), 0);
}

TEST(EditorWindowLifetime, ClosingMidPressEndsTheGestureAndAHostDestroyedWindowIsForgotten)
{
  OpenPedal open(60, 500);
  ASSERT_TRUE(open.window);
  open.pedal.calls.clear();
  open.Mouse(ShowEventKind::Down, 195, 94);
  open.Mouse(ShowEventKind::Move, 195, 80);
  open.editor->CloseEditorWindow();
  const std::vector<HostCall> calls = open.Calls(kTime);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, HostCall::BeginParamChange);
  EXPECT_EQ(calls.back().kind, HostCall::EndParamChange);
  EXPECT_EQ(GetCapture(), nullptr);
  open.Mouse(ShowEventKind::Up, 195, 80);

  // The host tears its window down without closing the editor first.
  ASSERT_NE(open.editor->OpenEditorWindow(open.Parent()), nullptr);
  HWND stale = open.Editor();
  DestroyWindow(open.Parent());
  EXPECT_FALSE(IsWindow(stale));
  EXPECT_FALSE(open.editor->HasWindow());
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 0);
  open.editor->CloseEditorWindow();
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 0);
  // The class is usable again for the next window.
  std::string error;
  auto host = quilhost::ShowWindow::create(410, 460, "again", error);
  ASSERT_TRUE(host) << error;
  EXPECT_NE(open.editor->OpenEditorWindow(host->nativeHandle()), nullptr);
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 1);
  open.editor->CloseEditorWindow();
}

TEST(EditorWindowLifetime, AHiddenCursorReturnsWhereItWasAlsoWhenTheWindowCloses)
{
  OpenPedal open(60, 60);
  ASSERT_TRUE(open.window);
  ASSERT_TRUE(SetCursorPos(200, 150));
  for (bool closeFirst : {false, true}) {
    open.editor->ConcealCursor();
    open.editor->ConcealCursor();  // once hidden, hiding again changes nothing
    SetCursorPos(400, 300);
    if (closeFirst)
      open.editor->CloseEditorWindow();
    else
      open.editor->RevealCursor();
    POINT at;
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 200) << closeFirst;
    EXPECT_EQ(at.y, 150) << closeFirst;
    // Shown once more brings the display count to 1 exactly when the hiding was undone once.
    EXPECT_EQ(ShowCursor(TRUE), 1) << closeFirst;
    ShowCursor(FALSE);
  }
}

namespace {
// The pedal as a VST3 build sees it: the host resizes its own frame.
class Vst3Pedal : public FenwoxQuil {
 public:
  int PluginFormat() override { return 1; }
};

SIZE WindowSize(HWND window)
{
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}
}  // namespace

TEST(EditorWindowLifetime, ResizingGrowsTheHostWindowExceptUnderVst3)
{
  FenwoxQuil vst2Like;
  Vst3Pedal vst3;
  struct Case {
    IEffectBase* pedal;
    bool hostWindowGrows;
  };
  for (const Case& c : {Case{&vst2Like, true}, Case{&vst3, false}}) {
    std::string error;
    auto host = quilhost::ShowWindow::create(410, 460, "resize", error);
    ASSERT_TRUE(host) << error;
    HWND parent = static_cast<HWND>(host->nativeHandle());
    IGraphics* editor = c.pedal->Editor();
    HWND window = static_cast<HWND>(editor->OpenEditorWindow(parent));
    ASSERT_NE(window, nullptr);
    const SIZE parentBefore = WindowSize(parent), editorBefore = WindowSize(window);
    editor->ResizeWindow(430, 470);
    EXPECT_EQ(WindowSize(window).cx, editorBefore.cx + 20);
    EXPECT_EQ(WindowSize(window).cy, editorBefore.cy + 10);
    EXPECT_EQ(WindowSize(parent).cx, parentBefore.cx + (c.hostWindowGrows ? 20 : 0)) << c.hostWindowGrows;
    EXPECT_EQ(WindowSize(parent).cy, parentBefore.cy + (c.hostWindowGrows ? 10 : 0)) << c.hostWindowGrows;
    editor->CloseEditorWindow();
  }
}
