#include "editor/x11/IGraphicsX11.h"

#include "core/TextBuffer.h"
#include "editor/IControl.h"
#include "editor/ResourceImage.h"
#include "editor/TextEntryRules.h"
#include "editor/offscreen/SystemFolders.h"
#include "editor/x11/X11Clipboard.h"
#include "editor/x11/X11Errors.h"
#include "editor/x11/X11MessageBox.h"
#include "editor/x11/X11PopupMenu.h"
#include "editor/x11/X11Presenter.h"
#include "editor/x11/X11TextEntry.h"
#include "raster/SysBitmap.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <string>

extern char** environ;

namespace {

// Two presses of the left button this close in time and place make a double click.
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlop = 4;
constexpr long kEditorEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                               KeyPressMask | KeyReleaseMask | LeaveWindowMask | StructureNotifyMask;
// Message box answers and types used here.
constexpr int kAnswerYes = 6;
constexpr int kTypeOk = 0;
constexpr int kTypeYesNo = 4;

ITextStyle WidgetStyle()
{
  ITextStyle style;
  style.size = 14;
  style.align = kAlignLeft;
  return style;
}

// The editor's key code for a key, -1 when no control takes such keys.
int KeyCodeFor(KeySym key)
{
  switch (key) {
  case XK_space: return kKeySpace;
  case XK_Up: case XK_KP_Up: return kKeyUp;
  case XK_Down: case XK_KP_Down: return kKeyDown;
  case XK_Left: case XK_KP_Left: return kKeyLeft;
  case XK_Right: case XK_KP_Right: return kKeyRight;
  default: break;
  }
  if (key >= XK_0 && key <= XK_9) return IKeyCodeForChar(static_cast<char>('0' + (key - XK_0)));
  if (key >= XK_a && key <= XK_z) return IKeyCodeForChar(static_cast<char>('a' + (key - XK_a)));
  if (key >= XK_A && key <= XK_Z) return IKeyCodeForChar(static_cast<char>('a' + (key - XK_A)));
  return -1;
}

// Buttons and modifiers of a pointer event. `state` is from before the event; `pressed` is the
// button the event presses (0 none), `released` the one it releases.
IMouseFlags FlagsOf(unsigned state, unsigned pressed, unsigned released)
{
  IMouseFlags flags;
  flags.left = (pressed == Button1 || (state & Button1Mask)) && released != Button1;
  flags.right = (pressed == Button3 || (state & Button3Mask)) && released != Button3;
  flags.shift = state & ShiftMask;
  flags.control = state & ControlMask;
  flags.alt = state & Mod1Mask;
  return flags;
}

} // namespace

IGraphicsX11::IGraphicsX11(IEffectBase* plugin, int width, int height, int frameRate)
    : IGraphics(plugin, width, height, frameRate)
{
}

IGraphicsX11::~IGraphicsX11() { DestroyWindow(); }

bool IGraphicsX11::BlitToWindow(IBounds* rect)
{
  if (!mPresenter || !rect || !mBackBuffer) return false;
  const IBounds shown = rect->Intersection(IBounds(0, 0, mWidth, mHeight));
  return shown.Width() <= 0 || shown.Height() <= 0 || mPresenter->Put(mBackBuffer, shown);
}

void IGraphicsX11::CancelTextEntry()
{
  if (mTextEntry) mTextEntry->SetState(X11TextEntry::State::Cancel);
}

void IGraphicsX11::ResizeWindow(int w, int h)
{
  if (w == mWidth && h == mHeight) return;
  IGraphics::ResizeWindow(w, h);
  if (!mWindow) return;
  mPresenter.reset();
  XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(std::max(1, w)), static_cast<unsigned>(std::max(1, h)));
  mPresenter = std::make_unique<X11Presenter>(mDisplay, mWindow, w, h);
  mExposed = IBounds(0, 0, w, h);
}

const char* IGraphicsX11::GraphicsApiName() { return "X11"; }

int IGraphicsX11::ShowMessageDialog(const char* text, const char* caption, int type)
{
  if (!mDisplay) return 0;
  ITextStyle style = WidgetStyle();
  X11MessageBox box(mDisplay, HostTopLevel(), FindOrCreateFont(&style), text, caption, type);
  if (!box.Open()) return 0;
  RunModal(&box);
  return box.Answer();
}

IMenuModel* IGraphicsX11::ShowPopupMenu(IMenuModel* menu, IBounds* anchor)
{
  // The press that opened the menu leaves no captured control behind.
  ResetMouseState();
  if (!mDisplay || !menu) return nullptr;
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(mDisplay, mWindow, DefaultRootWindow(mDisplay), anchor ? anchor->left : 0,
                        anchor ? anchor->bottom : 0, &x, &y, &child);
  ITextStyle style = WidgetStyle();
  IMenuModel* chosen = nullptr;
  {
    X11PopupMenu popup(mDisplay, menu, FindOrCreateFont(&style), x, y);
    if (popup.Open()) {
      RunModal(&popup);
      chosen = popup.Chosen();
    }
  }
  mExposed = IBounds(0, 0, mWidth, mHeight);
  return chosen;
}

void IGraphicsX11::ShowTextEntry(IControl* control, const ITextStyle* style, IBounds* rect, const char* text,
                                 IEffectParam* param)
{
  if (!control || !style || !rect || !mWindow || mTextEntry) return;
  ITextStyle fieldStyle = *style;
  auto entry = std::make_unique<X11TextEntry>(
      mDisplay, mWindow, *rect, fieldStyle, FindOrCreateFont(&fieldStyle), text, control, param,
      [this](std::string* out) { return ReadClipboardUtf8(mDisplay, mWindow, out); });
  if (entry->Valid()) mTextEntry = std::move(entry);
}

void IGraphicsX11::SettleTextEntry()
{
  std::unique_ptr<X11TextEntry> entry = std::move(mTextEntry);
  if (entry->CurrentState() == X11TextEntry::State::Commit) {
    const std::string text = entry->Text().substr(0, kTextEntryReadLimit);
    IControl* control = entry->Control();
    IEffectParam* param = entry->Param();
    entry.reset();
    DeliverEnteredText(control, param, text.c_str());
  }
  if (mWindow) XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
}

void IGraphicsX11::HostExecutablePath(TextBuffer* out) { SystemFolders::ExecutableFolder(out); }

void IGraphicsX11::PluginModulePath(TextBuffer* out) { SystemFolders::ModuleFolder(out); }

void IGraphicsX11::DesktopFolder(TextBuffer* out) { SystemFolders::Desktop(out); }

void IGraphicsX11::AppDataFolder(TextBuffer* out, bool allUsers) { SystemFolders::AppData(out, allUsers); }

void IGraphicsX11::UserAppDataFolder(TextBuffer* out) { AppDataFolder(out, false); }

void IGraphicsX11::AskForFile(TextBuffer* fileName, int, TextBuffer*, const char*)
{
  // No file dialog of our own: the question ends as if cancelled, the folder unchanged.
  if (fileName) fileName->Assign("");
}

bool IGraphicsX11::AskForColour(IRgba*, const char*) { return false; }

bool IGraphicsX11::OpenLink(const char* url, const char* title, const char* confirmText, const char* errorText)
{
  if (!url || !url[0]) return false;
  if (confirmText && ShowMessageDialog(confirmText, title, kTypeYesNo) != kAnswerYes) return false;
  // The shell starts the desktop's opener in the background and ends at once, so nothing is left
  // to reap; the address is an argument, never part of the command.
  const char* script = "command -v xdg-open >/dev/null 2>&1 || exit 127; xdg-open \"$1\" >/dev/null 2>&1 &";
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(script),
                  const_cast<char*>("sh"), const_cast<char*>(url), nullptr};
  pid_t child = 0;
  int status = -1;
  const bool opened = posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv, environ) == 0 &&
                      waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!opened && errorText) ShowMessageDialog(errorText, title, kTypeOk);
  return opened;
}

void* IGraphicsX11::OpenEditorWindow(void* parentWindow)
{
  CloseEditorWindow();
  const auto parent = static_cast<Window>(reinterpret_cast<uintptr_t>(parentWindow));
  if (!parent) return nullptr;
  mDisplay = XOpenDisplay(nullptr);
  if (!mDisplay) return nullptr;
  X11Errors::Watch(mDisplay);
  const unsigned long before = X11Errors::Count(mDisplay);

  XSetWindowAttributes attributes{};
  attributes.event_mask = kEditorEvents;
  attributes.background_pixmap = None;
  attributes.bit_gravity = NorthWestGravity;
  mWindow = XCreateWindow(mDisplay, parent, 0, 0, static_cast<unsigned>(std::max(1, mWidth)),
                          static_cast<unsigned>(std::max(1, mHeight)), 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWEventMask | CWBackPixmap | CWBitGravity, &attributes);
  // Embedders that speak XEmbed map the window themselves; the others see it mapped already.
  const long embedInfo[2] = {0, 1};
  const Atom xembed = XInternAtom(mDisplay, "_XEMBED_INFO", False);
  XChangeProperty(mDisplay, mWindow, xembed, xembed, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(embedInfo), 2);
  XMapWindow(mDisplay, mWindow);
  // A parent that is not (or no longer) a window fails here.
  if (X11Errors::FailedSince(mDisplay, before)) {
    DestroyWindow();
    return nullptr;
  }
  mParent = parent;
  mPresenter = std::make_unique<X11Presenter>(mDisplay, mWindow, mWidth, mHeight);
  // The first paint draws the whole editor.
  for (int i = 0; i < ControlCount(); ++i) Control(i)->MarkDirty(false);
  mExposed = IBounds(0, 0, mWidth, mHeight);
  mLastTick = Clock::now() - std::chrono::milliseconds(LoopIntervalMs());
  return reinterpret_cast<void*>(static_cast<uintptr_t>(mWindow));
}

void IGraphicsX11::CloseEditorWindow()
{
  if (!mDisplay) return;
  WindowClosing();
  DestroyWindow();
}

void IGraphicsX11::DestroyWindow()
{
  if (!mDisplay) return;
  // The window takes its text field with it; what was typed is dropped.
  mTextEntry.reset();
  RevealCursor();
  if (mBlankCursor) XFreeCursor(mDisplay, mBlankCursor);
  mBlankCursor = 0;
  mPresenter.reset();
  // The host may have destroyed its window, and ours with it, already: the error is ignored.
  if (mWindow) XDestroyWindow(mDisplay, mWindow);
  XSync(mDisplay, False);
  X11Errors::Unwatch(mDisplay);
  XCloseDisplay(mDisplay);
  mDisplay = nullptr;
  mWindow = mParent = 0;
  mExposed = IBounds();
  mLeftHeld = mRightHeld = false;
  mLastPressTime = 0;
}

void* IGraphicsX11::WindowHandle() { return mWindow ? reinterpret_cast<void*>(static_cast<uintptr_t>(mWindow)) : nullptr; }

bool IGraphicsX11::ReadClipboardText(TextBuffer* out)
{
  if (!out) return false;
  std::string text;
  bool read = false;
  if (mWindow) {
    read = ReadClipboardUtf8(mDisplay, mWindow, &text);
  } else if (Display* display = XOpenDisplay(nullptr)) {
    // No editor window: a hidden window of a connection of its own asks for the text.
    const Window requestor = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    read = ReadClipboardUtf8(display, requestor, &text);
    XDestroyWindow(display, requestor);
    XCloseDisplay(display);
  }
  out->Assign(read ? text.c_str() : "");
  return read;
}

void IGraphicsX11::ConcealCursor()
{
  if (!mWindow || mCursorHidden) return;
  if (!mBlankCursor) {
    static const char kEmpty[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(mDisplay, mWindow, kEmpty, 1, 1);
    XColor black{};
    mBlankCursor = XCreatePixmapCursor(mDisplay, empty, empty, &black, &black, 0, 0);
    XFreePixmap(mDisplay, empty);
  }
  mHiddenX = mCursorX;
  mHiddenY = mCursorY;
  XDefineCursor(mDisplay, mWindow, mBlankCursor);
  mCursorHidden = true;
}

void IGraphicsX11::RevealCursor()
{
  if (!mWindow || !mCursorHidden) return;
  XWarpPointer(mDisplay, None, mWindow, 0, 0, 0, 0, mHiddenX, mHiddenY);
  XUndefineCursor(mDisplay, mWindow);
  mCursorHidden = false;
}

void IGraphicsX11::ReservedHook3() {}

Raster_IBitmap* IGraphicsX11::LoadBitmapResource(int resourceId, const char* fileName)
{
  return LoadResourceImage(resourceId, fileName);
}

bool IGraphicsX11::UsesSharedMemory() const { return mPresenter && mPresenter->SharedMemory(); }

int IGraphicsX11::LoopDescriptor() const { return mDisplay ? ConnectionNumber(mDisplay) : -1; }

int IGraphicsX11::LoopIntervalMs() const { return std::max(1, 1000 / std::max(1, mFrameRate)); }

void IGraphicsX11::OnDescriptorReady()
{
  while (mDisplay && XPending(mDisplay)) {
    XEvent event;
    XNextEvent(mDisplay, &event);
    HandleEvent(event);
  }
}

void IGraphicsX11::OnLoopTimer()
{
  OnDescriptorReady();
  Tick();
}

void IGraphicsX11::Idle()
{
  OnDescriptorReady();
  if (Clock::now() - mLastTick >= std::chrono::milliseconds(LoopIntervalMs())) Tick();
}

void IGraphicsX11::Tick()
{
  if (!mWindow) return;
  mLastTick = Clock::now();
  if (mTextEntry && mTextEntry->CurrentState() != X11TextEntry::State::Editing) {
    // The tick that settles a text field draws nothing.
    SettleTextEntry();
    return;
  }
  IBounds area = mExposed;
  mExposed = IBounds();
  CollectDirty(&area);
  if (!area.IsEmpty()) RenderRect(&area);
}

void IGraphicsX11::RunModal(X11ModalWindow* modal)
{
  X11ModalWindow* outer = mModal;
  mModal = modal;
  while (mDisplay && !modal->Done()) {
    while (mDisplay && !modal->Done() && XPending(mDisplay)) {
      XEvent event;
      XNextEvent(mDisplay, &event);
      if (modal->Owns(event.xany.window))
        modal->HandleEvent(event);
      else
        HandleEvent(event);
    }
    if (!mDisplay || modal->Done()) break;
    // The editor keeps drawing while the modal window is open.
    const auto due = mLastTick + std::chrono::milliseconds(LoopIntervalMs());
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
    pollfd watch{ConnectionNumber(mDisplay), POLLIN, 0};
    if (wait <= 0 || poll(&watch, 1, static_cast<int>(wait)) == 0) Tick();
  }
  mModal = outer;
  // The window took the buttons while it was open: the press that opened it has to end by itself.
  if (mLeftHeld || mRightHeld) mPressTakenByModal = true;
  mLeftHeld = mRightHeld = false;
}

void IGraphicsX11::EndPressTakenByModal(unsigned button)
{
  if (!mPressTakenByModal) return;
  mPressTakenByModal = false;
  if (!mWindow) return;
  IMouseFlags flags = FlagsOf(0, 0, button);
  MouseUp(mCursorX, mCursorY, &flags);
}

unsigned long IGraphicsX11::HostTopLevel() const
{
  if (!mDisplay || !mWindow) return 0;
  Window window = mWindow, root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  // Up the tree to the window just below the root.
  while (XQueryTree(mDisplay, window, &root, &parent, &children, &count)) {
    if (children) XFree(children);
    if (!parent || parent == root) return window;
    window = parent;
  }
  return 0;
}

void IGraphicsX11::ForwardKey(XEvent& event)
{
  const Window target = HostTopLevel();
  if (!target || target == mWindow) return;
  event.xkey.window = target;
  XSendEvent(mDisplay, target, False, event.type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
  XFlush(mDisplay);
}

void IGraphicsX11::HandleEvent(XEvent& event)
{
  if (mTextEntry && event.xany.window == mTextEntry->Window()) {
    mTextEntry->HandleEvent(event);
    return;
  }
  if (event.xany.window != mWindow) return;
  // While a popup or dialog is open the editor only repaints.
  if (mModal && event.type != Expose) return;
  switch (event.type) {
  case Expose:
    mExposed = mExposed.Union(IBounds(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                      event.xexpose.y + event.xexpose.height));
    if (event.xexpose.count == 0 && !mModal) {
      // Painted at once, as the system's paint request asks.
      IBounds area = mExposed;
      mExposed = IBounds();
      RenderRect(&area);
    }
    break;
  case ButtonPress:
    HandleButtonPress(event);
    break;
  case ButtonRelease:
    HandleButtonRelease(event);
    break;
  case MotionNotify:
    HandleMotion(event);
    break;
  case KeyPress:
    HandleKeyPress(event);
    break;
  case KeyRelease:
    ForwardKey(event);
    break;
  case LeaveNotify:
    if (event.xcrossing.mode == NotifyGrab && (mLeftHeld || mRightHeld)) {
      // Another window took the mouse while a button was held: the press ends here.
      mLeftHeld = mRightHeld = false;
      MouseCaptureLost();
    } else if (event.xcrossing.mode == NotifyNormal && !mLeftHeld && !mRightHeld) {
      MouseOut();
    }
    break;
  default:
    break;
  }
}

void IGraphicsX11::HandleButtonPress(XEvent& event)
{
  const XButtonEvent& press = event.xbutton;
  mCursorX = press.x;
  mCursorY = press.y;
  if (press.button == Button4 || press.button == Button5) {
    if (mTextEntry) {
      CancelTextEntry();
      return;
    }
    IMouseFlags flags = FlagsOf(press.state, 0, 0);
    MouseWheel(press.x, press.y, &flags, press.button == Button4 ? 1 : -1);
    return;
  }
  if (press.button > Button3) return;
  if (mTextEntry) {
    // A click beside the field commits it at the next tick.
    mTextEntry->SetState(X11TextEntry::State::Commit);
    return;
  }
  XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
  IMouseFlags flags = FlagsOf(press.state, press.button, 0);
  if (press.button == Button1) mLeftHeld = true;
  if (press.button == Button3) mRightHeld = true;
  const bool doubleClick = press.button == Button1 && mLastPressTime != 0 &&
                           press.time - mLastPressTime <= kDoubleClickMs &&
                           std::abs(press.x - mLastPressX) <= kDoubleClickSlop &&
                           std::abs(press.y - mLastPressY) <= kDoubleClickSlop;
  if (doubleClick) {
    // A third press starts counting again.
    mLastPressTime = 0;
    MouseDoubleClick(press.x, press.y, &flags);
    EndPressTakenByModal(press.button);
    return;
  }
  if (press.button == Button1) {
    mLastPressTime = press.time ? press.time : 1;
    mLastPressX = press.x;
    mLastPressY = press.y;
  }
  MouseDown(press.x, press.y, &flags);
  EndPressTakenByModal(press.button);
}

void IGraphicsX11::HandleButtonRelease(XEvent& event)
{
  const XButtonEvent& release = event.xbutton;
  mCursorX = release.x;
  mCursorY = release.y;
  if (release.button > Button3) return;
  if (release.button == Button1) mLeftHeld = false;
  if (release.button == Button3) mRightHeld = false;
  IMouseFlags flags = FlagsOf(release.state, 0, release.button);
  MouseUp(release.x, release.y, &flags);
}

void IGraphicsX11::HandleMotion(XEvent& event)
{
  // Only the latest position of a burst of moves matters; a press or release in between ends it.
  XEvent next;
  while (XPending(mDisplay) && (XPeekEvent(mDisplay, &next), next.type == MotionNotify) &&
         next.xmotion.window == mWindow)
    XNextEvent(mDisplay, &event);
  const XMotionEvent& motion = event.xmotion;
  mCursorX = motion.x;
  mCursorY = motion.y;
  IMouseFlags flags = FlagsOf(motion.state, 0, 0);
  if (!flags.left && !flags.right) {
    MouseOver(motion.x, motion.y, &flags);
    return;
  }
  if ((mLeftHeld || mRightHeld) && !mTextEntry) MouseDrag(motion.x, motion.y, &flags);
}

void IGraphicsX11::HandleKeyPress(XEvent& event)
{
  const KeySym key = XLookupKeysym(&event.xkey, 0);
  const int code = KeyCodeFor(key);
  if (code >= 0 && KeyDown(mCursorX, mCursorY, code)) return;
  // Keys the editor does not take belong to the host (its shortcuts keep working).
  ForwardKey(event);
}
