#pragma once

#include "core/TextBuffer.h"
#include "editor/IGraphics.h"
#include "raster/MemBitmap.h"

class IOffscreenResponder;

// The editor's platform without a window system: "opening" gives an opaque handle, the caller
// drives the redraw timer with Tick(), the window's pixels land in a screen bitmap, and a responder
// the caller sets stands in for the user in menus, text entries and message boxes. Mouse and key
// input arrives through the same steps a window's messages take. Images come from the images
// embedded in the build.
class IGraphicsOffscreen : public IGraphics
{
public:
  IGraphicsOffscreen(IEffectBase* plugin, int width, int height, int frameRate);
  ~IGraphicsOffscreen() override;

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
  void* OpenEditorWindow(void* parentWindow) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override;
  bool ReadClipboardText(TextBuffer* out) override;
  void ReservedHook3() override;
  Raster_IBitmap* LoadBitmapResource(int resourceId, const char* fileName) override;

  // The redraw timer's tick. A committed or cancelled text entry is settled and nothing is drawn;
  // otherwise the dirty controls and any invalidated area are drawn and shown. Returns whether
  // something was drawn, and what in *drawn.
  bool Tick(IBounds* drawn = nullptr);

  // Window messages. Coordinates are the editor's.
  void PressMouse(int x, int y, IMouseFlags flags);
  void MoveMouse(int x, int y, IMouseFlags flags);
  void ReleaseMouse(int x, int y, IMouseFlags flags);
  void DoubleClickMouse(int x, int y, IMouseFlags flags);
  // delta in the system's units, 120 to a notch, positive away from the user.
  void TurnWheel(int x, int y, IMouseFlags flags, int delta);
  // A key press at the last mouse position, by virtual-key code. False when the editor did not take
  // the key, which a window would then pass to the host.
  bool PressKey(int virtualKey);
  void LeaveWindow();
  // Another window took the mouse while a button was held.
  void LoseCapture();

  void SetResponder(IOffscreenResponder* responder) { mResponder = responder; }
  // The window's pixels; valid while the window is open.
  Raster_IBitmap* Screen() { return &mScreen; }
  bool SaveScreen(const char* path);
  bool TextEntryOpen() const { return mEntryControl != nullptr; }
  void* ParentWindow() const { return mParent; }

private:
  enum class EntryOutcome { Pending, Commit, Cancel };

  void CloseTextEntry();
  // Drops the window and what lives in it; the editor's mouse state is the caller's business.
  void DestroyWindow();
  void Invalidate(const IBounds& rect) { mInvalid = mInvalid.Union(rect); }

  IOffscreenResponder* mResponder = nullptr;
  Raster_MemBitmap mScreen;
  void* mWindow = nullptr;
  void* mParent = nullptr;
  bool mMouseCaptured = false;
  int32_t mCursorX = 0;
  int32_t mCursorY = 0;
  IBounds mInvalid;  // painted at the next tick whether or not a control is dirty
  IControl* mEntryControl = nullptr;
  IEffectParam* mEntryParam = nullptr;
  TextBuffer mEntryText{64};
  EntryOutcome mEntryOutcome = EntryOutcome::Pending;
};
