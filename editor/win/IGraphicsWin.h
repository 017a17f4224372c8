#pragma once

#include "core/TextBuffer.h"
#include "editor/IGraphics.h"

#include <windows.h>

// States of the in-place text field, settled by the redraw timer.
enum TextEntryState : int32_t {
  EntryIdle = 0,     // no field, or one that needs nothing from the timer
  EntryFocused = 1,  // the field has the keyboard focus; the editor window stands still
  EntryDrawn = 2,    // the editor was redrawn around the open field in the last tick
  EntryCancel = 3,   // close the field without applying its text at the next tick
  EntryCommit = 4,   // apply the field's text and close it at the next tick
};

// The editor on the Windows user interface and GDI: a child window inside the host's window, a
// redraw timer, mouse and keys routed to the editor core, an in-place edit field, tooltips, menus,
// dialogs and the system services the editor asks for. Everything runs on the host's user-interface
// thread. The window can be opened and closed any number of times; the editor and its controls
// outlive it.
class IGraphicsWin : public IGraphics
{
public:
  IGraphicsWin(IEffectBase* plugin, int width, int height, int frameRate);
  ~IGraphicsWin() override;

  // The plug-in library's module: it owns the window class and the image resources. Without one
  // set, the module the library entry recorded is used, else the module holding this code.
  void SetModuleHandle(void* module) { mModule = static_cast<HINSTANCE>(module); }
  HINSTANCE Module() const;

  bool BlitToWindow(IBounds* rect) override;
  void CancelTextEntry() override;
  void ResizeWindow(int w, int h) override;
  bool HasWindow() override;
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
  void* OpenEditorWindow(void* parentWindow) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override;
  bool ReadClipboardText(TextBuffer* out) override;
  void ConcealCursor() override;
  void RevealCursor() override;
  void ReservedHook3() override;
  Raster_IBitmap* LoadBitmapResource(int resourceId, const char* fileName) override;

  // For tests and tools: the open edit field (null when none) and its state.
  HWND TextEntryWindow() const { return mTextEntryWindow; }
  TextEntryState EntryState() const { return mTextEntryState; }
  // Editor windows that currently use the shared window class, in this process.
  static int ClassUsers();

  static LRESULT CALLBACK EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TextEntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleTextEntryMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnTimerTick();
  void OnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The window is going away (closed by us or destroyed with the host's window): nothing of it
  // may stay behind.
  void ForgetWindow();

  void CloseTextEntry();
  void CommitTextEntry();

  void HoverStep(int x, int y, IMouseFlags* flags);
  void ShowTooltip();
  void HideTooltip();
  bool CreateTooltip();

  HWND HostMainWindow();

  // Posted after a popup menu: the press that opened it is over.
  static constexpr UINT kPressEndedMessage = WM_APP + 1;

  HINSTANCE mModule = nullptr;
  HWND mWindow = nullptr;
  HWND mTextEntryWindow = nullptr;
  HWND mTooltipWindow = nullptr;
  IControl* mTextEntryControl = nullptr;
  IEffectParam* mTextEntryParam = nullptr;
  WNDPROC mTextEntryStdProc = nullptr;
  TextEntryState mTextEntryState = EntryIdle;
  bool mTooltipsWanted = false;
  bool mTooltipShown = false;
  int32_t mTooltipControl = -1;
  COLORREF* mCustomColours = nullptr;
  DWORD mHostProcessId = 0;
  HWND mParentWindow = nullptr;
  HWND mHostMainWindow = nullptr;
  TextBuffer mHostMainClass{128};

  HFONT mTextEntryFont = nullptr;
  bool mCursorHidden = false;
  POINT mHiddenCursorPosition{};
  // A popup menu's own loop holds the mouse: losing the capture to it does not end the press.
  bool mMenuOpen = false;
  // Releasing the capture ourselves on a button release is not a lost press.
  bool mReleasingCapture = false;
  // Set by the destructor: the plug-in is going, the window closes without telling it.
  bool mDestroying = false;
};
