#pragma once

#include "core/PtrList.h"
#include "editor/IBitmapStrip.h"
#include "editor/IBlend.h"
#include "editor/IBounds.h"
#include "editor/IInputState.h"
#include "editor/IParamMailbox.h"
#include "editor/IRgba.h"
#include "editor/ITextStyle.h"

#include <cstdint>

class IControl;
class IEffectBase;
class IEffectParam;
class Raster_CachedFont;
class Raster_IBitmap;
class Raster_SysBitmap;
class TextBuffer;
struct IMenuModel;

// The platform-neutral editor: it owns the controls in drawing order (index 0 is the background),
// draws the dirty ones into its back buffer, routes mouse and key events to the control under the
// mouse and keeps controls and parameters in step. Everything that needs a window system is a
// virtual operation of the platform class.
class IGraphics
{
public:
  IGraphics(IEffectBase* plugin, int width, int height, int frameRate);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Virtual operations in their fixed slot order.
  virtual bool BlitToWindow(IBounds* rect) = 0;
  virtual bool MeasureText(ITextStyle* style, const char* text, IBounds* rect);
  virtual void CancelTextEntry() = 0;
  // Starts the editor over at the new size: no controls, a new back buffer; the caller adds the
  // controls for that size afterwards.
  virtual void ResizeWindow(int w, int h);
  virtual bool HasWindow();
  virtual const char* GraphicsApiName();
  virtual int ShowMessageDialog(const char* text, const char* caption, int type) = 0;
  // The menu holding the chosen entry (its chosenIndex set), or null when nothing was chosen.
  virtual IMenuModel* ShowPopupMenu(IMenuModel* menu, IBounds* anchor) = 0;
  virtual void ShowTextEntry(IControl* control, const ITextStyle* style, IBounds* rect, const char* text,
                             IEffectParam* param) = 0;
  virtual void HostExecutablePath(TextBuffer* out) = 0;
  virtual void PluginModulePath(TextBuffer* out) = 0;
  virtual void DesktopFolder(TextBuffer* out) = 0;
  virtual void AppDataFolder(TextBuffer* out, bool allUsers) = 0;
  virtual void UserAppDataFolder(TextBuffer* out) = 0;
  virtual void AskForFile(TextBuffer* fileName, int action, TextBuffer* dir, const char* extensions) = 0;
  virtual bool AskForColour(IRgba* colour, const char* prompt) = 0;
  virtual bool OpenLink(const char* url, const char* title, const char* confirmText, const char* errorText) = 0;
  virtual bool ReservedQuery(void* a, void* b, void* c, void* d);
  virtual void* OpenEditorWindow(void* parentWindow) = 0;
  virtual void ReservedHook1(void* a);
  virtual void ReservedHook2();
  virtual void CloseEditorWindow() = 0;
  virtual void* WindowHandle() = 0;
  virtual bool ReadClipboardText(TextBuffer* out) = 0;
  virtual ~IGraphics();
  virtual void ConcealCursor();
  virtual void RevealCursor();
  virtual void ReservedHook3() = 0;
  // Null when the library holds no such image.
  virtual Raster_IBitmap* LoadBitmapResource(int resourceId, const char* fileName) = 0;

  // Building the editor.
  IBitmapStrip LoadStrip(int resourceId, const char* fileName, int frames, bool horizontal = false);
  IControl* AddBackground(int resourceId, const char* fileName);
  // Appends the control, which the editor owns from now on; returns its index, or -1 when the list
  // could not grow (the control is then deleted).
  int AddControl(IControl* control);
  // The back buffer every control draws into, mWidth x mHeight pixels, created when first needed:
  // a plug-in builds its editor at construction, and most instances never show it.
  Raster_SysBitmap* EnsureBackBuffer();

  // Parameters and controls.
  // Pushes a parameter's value to every control showing it; a plain value is normalised first.
  // Editor thread only.
  void ApplyParamToControls(int paramIdx, double value, bool normalized);
  // Any thread, lock-free: the value reaches the controls at the editor's next tick.
  void PostParamValue(int paramIdx, double normalized) { mPendingValues.Post(paramIdx, normalized); }
  void GrayParamControls(int paramIdx, bool gray);
  // Opens a menu of the value texts for choice parameters, a text entry for the others.
  void PromptParamValue(IControl* control, IEffectParam* param, IBounds* rect);

  // The redraw cycle: the union of the dirty controls' rectangles, then drawing what touches a
  // rectangle into the back buffer and showing it. Collecting is the first step of every tick, so
  // it first shows what other threads left for the editor (posted values, the plug-in's
  // EditorTick).
  bool CollectDirty(IBounds* rect);
  bool RenderRect(IBounds* rect);

  // Events from the platform.
  void MouseDown(int x, int y, IMouseFlags* mod);
  // A move with a button held: a drag step for the captured control when the position changed.
  void MouseDrag(int x, int y, IMouseFlags* mod);
  void MouseUp(int x, int y, IMouseFlags* mod);
  bool MouseDoubleClick(int x, int y, IMouseFlags* mod);
  void MouseWheel(int x, int y, IMouseFlags* mod, int notches);
  bool KeyDown(int x, int y, int key);
  bool MouseOver(int x, int y, IMouseFlags* mod);
  void MouseOut();
  // The window lost the mouse before the release arrived (another window took the capture, the
  // system cancelled it): the press ends here, its host gesture is closed and later wheel turns and
  // keys go to the control under the mouse again.
  void MouseCaptureLost();
  // The platform calls this before it destroys the window: an open press ends as above and no
  // control stays hovered, so a reopened window starts from a clean mouse state.
  void WindowClosing();

  // Drawing, clipped to the rectangle being rendered.
  bool DrawStrip(const IBitmapStrip* strip, const IBounds* dest, int srcX, int srcY, const IBlend* blend);
  bool DrawStripFrame(const IBitmapStrip* strip, const IBounds* dest, int frame, const IBlend* blend);
  bool RenderText(ITextStyle* style, const char* text, IBounds* rect, bool measure);
  Raster_CachedFont* FindOrCreateFont(ITextStyle* style);

  IEffectBase* Plugin() const { return mPlugin; }
  // Null until something has been drawn.
  Raster_SysBitmap* BackBuffer() const { return mBackBuffer; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FrameRate() const { return mFrameRate; }
  int ControlCount() const { return mControlList.Count(); }
  IControl* Control(int index) const { return mControlList.At(index); }
  const IBounds& RenderArea() const { return mRenderRect; }
  int Captured() const { return mCaptured; }
  void SetCaptured(int index) { mCaptured = index; }
  int Hovered() const { return mHovered; }
  void SetHovered(int index) { mHovered = index; }
  int MouseX() const { return mMouseX; }
  int MouseY() const { return mMouseY; }
  void SetMousePosition(int x, int y) { mMouseX = x; mMouseY = y; }
  void* HostView() const { return mHostView; }
  void SetHostView(void* view) { mHostView = view; }

protected:
  // The index of the topmost control at (x, y) that is neither hidden nor greyed, or -1.
  int ControlUnder(int x, int y);
  // Forgets the current press: no captured control, no mouse position.
  void ResetMouseState();
  // Ends the host gesture the current press began, if any.
  void EndGesture();

  PtrList<IControl> mControlList;
  IEffectBase* mPlugin;
  IBounds mRenderRect;
  Raster_SysBitmap* mBackBuffer = nullptr;
  int32_t mWidth;
  int32_t mHeight;
  int32_t mFrameRate;
  int32_t mCaptured = -1;
  int32_t mHovered = -1;
  int32_t mMouseX = -1;
  int32_t mMouseY = -1;
  void* mHostView = nullptr;
  // The parameter whose host gesture the current press began, -1 when none: the release ends
  // exactly that gesture, wherever it happens and whatever a menu did to the press in between.
  int32_t mGestureParam = -1;

private:
  void ApplyPendingChanges();

  IParamMailbox mPendingValues;
};
