#pragma once

#include "editor/IEditorLoopClient.h"
#include "editor/IGraphics.h"

#include <chrono>
#include <cstdint>
#include <memory>

// Kept opaque here so that code including this header does not see Xlib's macros.
struct _XDisplay;
union _XEvent;

class X11Presenter;
class X11TextEntry;
class X11ModalWindow;

// The editor's platform on Linux: a child window of the host's X11 window, on plain Xlib. It has no
// thread of its own: the host's loop drives it (IEditorLoopClient) through the X connection's
// descriptor and a timer at the editor's frame rate. The back buffer reaches the window through
// shared memory when the server offers it. The in-place text field, popup menus and the message box
// are our own windows, drawn with the editor's raster and text code.
class IGraphicsX11 : public IGraphics, public IEditorLoopClient
{
public:
  IGraphicsX11(IEffectBase* plugin, int width, int height, int frameRate);
  ~IGraphicsX11() override;

  bool BlitToWindow(IBounds* rect) override;
  void CancelTextEntry() override;
  void ResizeWindow(int w, int h) override;
  const char* GraphicsApiName() override;
  int ShowMessageDialog(const char* text, const char* caption, int type) override;
  IMenuModel* ShowPopupMenu(IMenuModel* menu, IBounds* anchor) override;
  void ShowTextEntry(IControl* control, const ITextStyle* style, IBounds* rect, const char* text,
                     IEffectParam* param) override;
  void HostExecutablePath(TextBuffer* out) override;
  void PluginModulePath(TextBuffer* out) override;
  void DesktopFolder(TextBuffer* out) override;
  void AppDataFolder(TextBuffer* out, bool allUsers) override;
  void UserAppDataFolder(TextBuffer* out) override;
  void AskForFile(TextBuffer* fileName, int action, TextBuffer* dir, const char* extensions) override;
  bool AskForColour(IRgba* colour, const char* prompt) override;
  bool OpenLink(const char* url, const char* title, const char* confirmText, const char* errorText) override;
  // parentWindow carries the host's X11 window id. Opens its own connection to the display.
  void* OpenEditorWindow(void* parentWindow) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override;
  bool ReadClipboardText(TextBuffer* out) override;
  void ConcealCursor() override;
  void RevealCursor() override;
  void ReservedHook3() override;
  Raster_IBitmap* LoadBitmapResource(int resourceId, const char* fileName) override;

  int LoopDescriptor() const override;
  int LoopIntervalMs() const override;
  void OnDescriptorReady() override;
  void OnLoopTimer() override;
  void Idle() override;

  bool TextEntryOpen() const { return mTextEntry != nullptr; }
  bool UsesSharedMemory() const;

private:
  using Clock = std::chrono::steady_clock;

  void DestroyWindow();
  void HandleEvent(_XEvent& event);
  void HandleButtonPress(_XEvent& event);
  void HandleButtonRelease(_XEvent& event);
  void HandleMotion(_XEvent& event);
  void HandleKeyPress(_XEvent& event);
  // The redraw timer's step: settles a text field that was committed or cancelled, otherwise draws
  // the dirty controls and anything exposed.
  void Tick();
  void SettleTextEntry();
  // Runs a popup or dialog window until it is done; the editor keeps redrawing meanwhile.
  void RunModal(X11ModalWindow* modal);
  // A press that opened a popup or dialog lost its release to it: the press ends here instead.
  void EndPressTakenByModal(unsigned button);
  // The host's top-level window around the editor, or the root window.
  unsigned long HostTopLevel() const;
  // Sends a key the editor did not take to the host's window.
  void ForwardKey(_XEvent& event);

  _XDisplay* mDisplay = nullptr;
  unsigned long mWindow = 0;
  unsigned long mParent = 0;
  std::unique_ptr<X11Presenter> mPresenter;
  std::unique_ptr<X11TextEntry> mTextEntry;
  X11ModalWindow* mModal = nullptr;
  IBounds mExposed;  // painted at the next tick whether or not a control is dirty
  Clock::time_point mLastTick;
  // Press tracking for drags and for telling a double click from two clicks.
  bool mLeftHeld = false;
  bool mRightHeld = false;
  bool mPressTakenByModal = false;
  unsigned long mLastPressTime = 0;
  int32_t mLastPressX = -1000;
  int32_t mLastPressY = -1000;
  int32_t mCursorX = 0;
  int32_t mCursorY = 0;
  // Cursor hidden by ConcealCursor, and where it was.
  unsigned long mBlankCursor = 0;
  bool mCursorHidden = false;
  int32_t mHiddenX = 0;
  int32_t mHiddenY = 0;
};
