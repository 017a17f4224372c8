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
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    memory = counters.PrivateUsage;
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
    ASSERT_NE(open.editor->OpenEditorWindow(open.Parent()), nullptr) << i;
    open.Pump(i % 10 == 0 ? 60 : 0);
    if (i % 25 == 0) {
      // Now and then with a text field open, which closing must take along.
      IControl* time = open.editor->Control(3);
      IBounds at = time->Rect();
      open.editor->PromptParamValue(time, open.pedal.Param(kTime), &at);
      EXPECT_NE(open.editor->TextEntryWindow(), nullptr);
    }
    open.editor->CloseEditorWindow();
    EXPECT_EQ(open.editor->TextEntryWindow(), nullptr);
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

  first->pedal.Param(kFeedback)->SetFromNormalized(0.0);
  second.pedal.Param(kFeedback)->SetFromNormalized(0.0);
  second.Drag(121, 94, -128, -16);
  EXPECT_EQ(first->pedal.Param(kFeedback)->ToNormalized(), 0.0);
  EXPECT_NEAR(second.pedal.Param(kFeedback)->ToNormalized(), 0.5, 0.02);
  EXPECT_TRUE(first->pedal.calls.empty());

  first.reset();
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 1);
  EXPECT_TRUE(ClassRegistered());
  // The one left still redraws what the host changes.
  Raster_MemBitmap before;
  before.SetSize(410, 460);
  Raster_MemBitmap& shown = second.Capture();
  for (int y = 0; y < 460; ++y)
    for (int x = 0; x < 410; ++x) before.PixelData()[y * before.RowPixels() + x] = shown.PixelData()[y * shown.RowPixels() + x];
  second.pedal.Param(kFeedback)->SetFromNormalized(1.0);
  second.Pump(kTwoTicksMs);
  EXPECT_GT(DifferencesIn(before, second.Capture(), kFeedbackKnob), 100);
  second.editor->CloseEditorWindow();
  EXPECT_EQ(IGraphicsWin::ClassUsers(), 0);
  EXPECT_FALSE(ClassRegistered());
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
