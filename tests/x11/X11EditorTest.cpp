// The X11 editor platform on its own, in a host window of the test's: a test plug-in's editor of
// probe and caption controls, driven without a run loop (the idle entry) and by real input.
#include "core/TextBuffer.h"
#include "editor/ICaptionControl.h"
#include "editor/x11/IGraphicsX11.h"
#include "raster/SysBitmap.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/PixelCompare.h"
#include "tests/x11/X11TestDisplay.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 120;
const IBounds kProbeRect(10, 10, 60, 60);
const IBounds kLevelCaption(80, 10, 150, 30);
const IBounds kChoiceCaption(80, 50, 150, 70);

struct X11Editor : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_NE(x.display(), nullptr) << "no X display";
    ASSERT_TRUE(x.HasInputExtension());
    editor = new IGraphicsX11(plug.get(), kWidth, kHeight, 0);
    probe = new ProbeControl(plug.get(), kProbeRect, EditorTestEffect::kSteps);
    editor->AddControl(probe);
    ITextStyle style;
    style.align = kAlignLeft;
    editor->AddControl(new ICaptionControl(plug.get(), kLevelCaption, EditorTestEffect::kLevel, style, false));
    editor->AddControl(new ICaptionControl(plug.get(), kChoiceCaption, EditorTestEffect::kChoice, style, false));
    plug->AttachEditor(editor);
    host = x.MakeHostWindow(100, 100, kWidth, kHeight);
    ASSERT_NE(editor->OpenEditorWindow(reinterpret_cast<void*>(host)), nullptr);
    window = static_cast<Window>(reinterpret_cast<uintptr_t>(editor->WindowHandle()));
    Pump(60);
    plug->calls.clear();
  }

  // What the host's idle calls do: events and, when due, a redraw.
  void Pump(int ms)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      editor->Idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  bool PumpUntil(const std::function<bool()>& ready)
  {
    return X11TestDisplay::WaitFor(ready, [this] { editor->Idle(); });
  }
  bool FieldOpen() { return x.Children(window).size() == 1; }

  X11TestDisplay x;
  std::unique_ptr<EditorTestEffect> plug = std::make_unique<EditorTestEffect>();
  IGraphicsX11* editor = nullptr;
  ProbeControl* probe = nullptr;
  Window host = 0;
  Window window = 0;
};

// Stands in for the user at a popup menu, from a connection of its own: waits for the menu, then
// clicks the given item (a negative index clicks beside the menu).
std::thread ClickPopupItem(Window host, int item)
{
  return std::thread([host, item] {
    X11TestDisplay user;
    std::vector<Window> popups;
    X11TestDisplay::WaitFor([&] { return !(popups = user.MappedPopups(host)).empty(); }, nullptr);
    if (popups.empty()) return;
    if (item < 0)
      user.Click(popups[0], -30, -30);
    else
      user.Click(popups[0], 12, 1 + 20 * item + 10);
  });
}

} // namespace

TEST_F(X11Editor, WindowShowsTheBackBufferAndTheSameBitmapsEverywhere)
{
  // Everything the editor drew is what the server holds for the window, pixel for pixel.
  std::unique_ptr<Raster_MemBitmap> shown = x.Grab(window);
  ASSERT_NE(shown, nullptr);
  const PixelDifference difference = ComparePixels(*editor->BackBuffer(), *shown);
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(X11Editor, PressDragReleaseDoubleClickAndWheelReachTheControlUnderTheMouse)
{
  x.MoveTo(window, 20, 40);
  x.Press();
  Pump(20);
  x.MoveTo(window, 25, 30);
  Pump(20);
  x.MoveTo(window, 200, 110);  // outside the control: the drag goes on
  Pump(20);
  x.Release();
  Pump(30);
  EXPECT_EQ(probe->events, (std::vector<std::string>{"down", "drag 5 -10", "drag 175 80", "up"}));
  EXPECT_EQ(GestureKinds(*plug), (std::vector<HostCall::Kind>{HostCall::BeginParamChange, HostCall::EndParamChange}));

  probe->events.clear();
  plug->calls.clear();
  x.Click(window, 30, 30);
  x.Click(window, 31, 31);
  x.MoveTo(window, 30, 30);
  x.Click(window, 30, 30, 4);
  x.Click(window, 30, 30, 5);
  Pump(30);
  EXPECT_EQ(probe->events, (std::vector<std::string>{"down", "up", "double", "up", "wheel 1", "wheel -1"}));
}

TEST_F(X11Editor, TextFieldCommitsOnReturnDiscardsOnEscapeAndTakesOnlyWhatItsParameterCan)
{
  struct Case {
    const char* name;
    std::vector<KeySym> keys;
    double expected;
  };
  const Case cases[] = {
      {"return commits, letters refused", {XK_4, XK_a, XK_2, XK_period, XK_5, XK_Return}, 42.5},
      {"escape discards", {XK_7, XK_Escape}, 42.5},
      {"backspace edits", {XK_1, XK_9, XK_BackSpace, XK_8, XK_KP_Enter}, 18.0},
  };
  for (const Case& c : cases) {
    x.Click(window, kLevelCaption.left + 5, kLevelCaption.top + 5);
    ASSERT_TRUE(PumpUntil([this] { return FieldOpen(); })) << c.name;
    for (KeySym key : c.keys) x.TypeKey(key);
    ASSERT_TRUE(PumpUntil([this] { return !FieldOpen(); })) << c.name;
    EXPECT_DOUBLE_EQ(plug->Param(EditorTestEffect::kLevel)->Value(), c.expected) << c.name;
  }

  // A click beside an open field commits it.
  x.Click(window, kLevelCaption.left + 5, kLevelCaption.top + 5);
  ASSERT_TRUE(PumpUntil([this] { return FieldOpen(); }));
  x.TypeKey(XK_3);
  x.Click(window, 200, 100);
  ASSERT_TRUE(PumpUntil([this] { return !FieldOpen(); }));
  EXPECT_DOUBLE_EQ(plug->Param(EditorTestEffect::kLevel)->Value(), 3.0);
}

TEST_F(X11Editor, PopupMenuChosenWithTheMouseOrDismissedBesideIt)
{
  ASSERT_EQ(plug->Param(EditorTestEffect::kChoice)->Value(), 1.0);
  std::thread user = ClickPopupItem(host, 2);
  x.Click(window, kChoiceCaption.left + 5, kChoiceCaption.top + 5);
  Pump(50);
  user.join();
  Pump(50);
  EXPECT_EQ(plug->Param(EditorTestEffect::kChoice)->Value(), 2.0);
  // The press that opened the menu is one gesture, ended although the menu took its release.
  EXPECT_EQ(GestureKinds(*plug), (std::vector<HostCall::Kind>{HostCall::BeginParamChange, HostCall::InformParamChange,
                                                               HostCall::EndParamChange}));
  EXPECT_TRUE(x.MappedPopups(host).empty());

  user = ClickPopupItem(host, -1);
  x.Click(window, kChoiceCaption.left + 5, kChoiceCaption.top + 5);
  Pump(50);
  user.join();
  Pump(50);
  EXPECT_EQ(plug->Param(EditorTestEffect::kChoice)->Value(), 2.0);
  EXPECT_TRUE(x.MappedPopups(host).empty());
}

TEST_F(X11Editor, MessageBoxAnswersWithTheButtonPressed)
{
  struct Case {
    int type;
    KeySym key;
    int answer;
  };
  // OK/Cancel: Return takes the first button; Yes/No: Tab moves on to No; Yes/No/Cancel: Escape.
  const Case cases[] = {{1, XK_Return, 1}, {4, XK_Tab, 7}, {3, XK_Escape, 2}};
  for (const Case& c : cases) {
    std::thread user([&c] {
      X11TestDisplay other;
      const size_t before = 1;  // the host window
      std::vector<Window> top;
      X11TestDisplay::WaitFor([&] { return (top = other.Children(DefaultRootWindow(other.display()))).size() > before; },
                              nullptr);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      other.TypeKey(c.key);
      if (c.key == XK_Tab) other.TypeKey(XK_Return);
    });
    EXPECT_EQ(editor->ShowMessageDialog("Delete the preset named\nWarm Echo?", "Presets", c.type), c.answer);
    user.join();
  }
}

TEST_F(X11Editor, ClipboardTextArrivesAsUtf8)
{
  std::atomic<bool> owning{false}, done{false};
  std::thread owner([&] {
    Display* d = XOpenDisplay(nullptr);
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False), utf8 = XInternAtom(d, "UTF8_STRING", False);
    XSetSelectionOwner(d, clipboard, w, CurrentTime);
    XSync(d, False);
    owning = true;
    const char* word = "Gr\xC3\xB6\xC3\x9F" "e";
    while (!done) {
      while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != SelectionRequest) continue;
        XSelectionEvent answer{};
        answer.type = SelectionNotify;
        answer.requestor = e.xselectionrequest.requestor;
        answer.selection = e.xselectionrequest.selection;
        answer.target = e.xselectionrequest.target;
        answer.time = e.xselectionrequest.time;
        answer.property = None;
        if (e.xselectionrequest.target == utf8) {
          XChangeProperty(d, answer.requestor, e.xselectionrequest.property, utf8, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(word), static_cast<int>(std::strlen(word)));
          answer.property = e.xselectionrequest.property;
        }
        XSendEvent(d, answer.requestor, False, 0, reinterpret_cast<XEvent*>(&answer));
        XFlush(d);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XCloseDisplay(d);
  });
  X11TestDisplay::WaitFor([&] { return owning.load(); }, nullptr);
  TextBuffer text(16);
  EXPECT_TRUE(editor->ReadClipboardText(&text));
  EXPECT_EQ(std::strlen(text.Text()), 7u);
  EXPECT_STREQ(text.Text(), "Gr\xC3\xB6\xC3\x9F" "e");
  done = true;
  owner.join();

  // Nobody owns it now: nothing, and no waiting for an answer that never comes.
  EXPECT_FALSE(editor->ReadClipboardText(&text));
  EXPECT_STREQ(text.Text(), "");
}

TEST_F(X11Editor, AWindowThatIsNoneOrThatVanishesIsSurvived)
{
  IGraphicsX11 other(plug.get(), 50, 50, 0);
  EXPECT_EQ(other.OpenEditorWindow(nullptr), nullptr);
  EXPECT_EQ(other.OpenEditorWindow(reinterpret_cast<void*>(uintptr_t{0x7FFFF0})), nullptr);
  EXPECT_FALSE(other.HasWindow());

  // The host destroys its window, and ours inside it, before closing the editor.
  x.DestroyWindow(host);
  Pump(30);
  editor->CloseEditorWindow();
  EXPECT_FALSE(editor->HasWindow());
  const Window again = x.MakeHostWindow(100, 100, kWidth, kHeight);
  EXPECT_NE(editor->OpenEditorWindow(reinterpret_cast<void*>(again)), nullptr);
}
