#include "editor/offscreen/IGraphicsOffscreen.h"

#include "editor/IControl.h"
#include "editor/IMenuModel.h"
#include "editor/ResourceImage.h"
#include "editor/TextEntryRules.h"
#include "editor/offscreen/IOffscreenResponder.h"
#include "editor/offscreen/SystemFolders.h"
#include "raster/Blit.h"
#include "raster/Png.h"
#include "raster/SysBitmap.h"

#include <cstring>
#include <string>

namespace {
constexpr int kWheelDeltaPerNotch = 120;
} // namespace

IGraphicsOffscreen::IGraphicsOffscreen(IEffectBase* plugin, int width, int height, int frameRate)
    : IGraphics(plugin, width, height, frameRate)
{
}

// The plug-in deletes its editor while it is itself being destroyed: the host is no longer told
// about an unfinished press then.
IGraphicsOffscreen::~IGraphicsOffscreen() { DestroyWindow(); }

bool IGraphicsOffscreen::BlitToWindow(IBounds* rect)
{
  if (!mWindow || !rect || !mBackBuffer) return false;
  Raster_Composite(&mScreen, mBackBuffer, rect->left, rect->top, rect, 1.0f, kBlitCopy);
  return true;
}

void IGraphicsOffscreen::CancelTextEntry()
{
  if (TextEntryOpen()) mEntryOutcome = EntryOutcome::Cancel;
}

void IGraphicsOffscreen::ResizeWindow(int w, int h)
{
  if (w == mWidth && h == mHeight) return;
  IGraphics::ResizeWindow(w, h);
  if (!mWindow) return;
  mScreen.SetSize(w, h);
  Invalidate(IBounds(0, 0, w, h));
}

const char* IGraphicsOffscreen::GraphicsApiName() { return "Offscreen"; }

int IGraphicsOffscreen::ShowMessageDialog(const char* text, const char* caption, int type)
{
  return mResponder ? mResponder->AnswerMessageDialog(text, caption, type) : 0;
}

IMenuModel* IGraphicsOffscreen::ShowPopupMenu(IMenuModel* menu, IBounds* anchor)
{
  // The press that opened the menu leaves no captured control behind.
  ResetMouseState();
  if (!menu) return nullptr;
  const int command = mResponder ? mResponder->ChooseMenuCommand(*menu, anchor ? *anchor : IBounds()) : -1;
  IMenuModel* chosen = menu->ChooseCommand(command);
  Invalidate(IBounds(0, 0, mWidth, mHeight));
  return chosen;
}

void IGraphicsOffscreen::ShowTextEntry(IControl* control, const ITextStyle*, IBounds* rect, const char* text,
                                       IEffectParam* param)
{
  if (!control || TextEntryOpen()) return;
  mEntryControl = control;
  mEntryParam = param;
  mEntryText.Assign(text);
  mEntryOutcome = EntryOutcome::Cancel;
  std::string typed;
  if (!mResponder || !mResponder->TypeIntoTextEntry(rect ? *rect : IBounds(), text ? text : "", &typed)) return;

  // The typed keys replace the selected text; the field refuses what its parameter cannot take
  // and anything beyond the control's entry length.
  std::string kept;
  for (const char c : typed) {
    if (static_cast<int>(kept.size()) >= control->EntryLength()) break;
    if (TextEntryAcceptsChar(param, c)) kept.push_back(c);
  }
  mEntryText.Assign(kept.c_str());
  mEntryOutcome = EntryOutcome::Commit;
}

void IGraphicsOffscreen::CloseTextEntry()
{
  mEntryControl = nullptr;
  mEntryParam = nullptr;
  mEntryOutcome = EntryOutcome::Pending;
}

void IGraphicsOffscreen::HostExecutablePath(TextBuffer* out) { SystemFolders::ExecutableFolder(out); }

void IGraphicsOffscreen::PluginModulePath(TextBuffer* out) { SystemFolders::ModuleFolder(out); }

void IGraphicsOffscreen::DesktopFolder(TextBuffer* out) { SystemFolders::Desktop(out); }

void IGraphicsOffscreen::AppDataFolder(TextBuffer* out, bool allUsers) { SystemFolders::AppData(out, allUsers); }

void IGraphicsOffscreen::UserAppDataFolder(TextBuffer* out) { AppDataFolder(out, false); }

void IGraphicsOffscreen::AskForFile(TextBuffer* fileName, int, TextBuffer*, const char*)
{
  // There is no dialog to show: the question ends as if cancelled, the folder unchanged.
  if (fileName) fileName->Assign("");
}

bool IGraphicsOffscreen::AskForColour(IRgba*, const char*) { return false; }

bool IGraphicsOffscreen::OpenLink(const char*, const char*, const char*, const char*) { return false; }

void* IGraphicsOffscreen::OpenEditorWindow(void* parentWindow)
{
  CloseEditorWindow();
  mParent = parentWindow;
  mScreen.SetSize(mWidth, mHeight);
  if (!mScreen.PixelData()) return nullptr;
  Raster_FillBox(&mScreen, 0, 0, mWidth, mHeight, 0xFF000000u, 1.0f, kBlitCopy);
  mWindow = &mScreen;
  // The first tick draws the whole editor.
  for (int i = 0; i < ControlCount(); ++i) Control(i)->MarkDirty(false);
  Invalidate(IBounds(0, 0, mWidth, mHeight));
  return mWindow;
}

void IGraphicsOffscreen::CloseEditorWindow()
{
  if (!mWindow) return;
  WindowClosing();
  DestroyWindow();
}

void IGraphicsOffscreen::DestroyWindow()
{
  if (!mWindow) return;
  // The window takes its text field with it; what was typed is dropped.
  CloseTextEntry();
  mWindow = nullptr;
  mMouseCaptured = false;
  mInvalid = IBounds();
}

void* IGraphicsOffscreen::WindowHandle() { return mWindow; }

bool IGraphicsOffscreen::ReadClipboardText(TextBuffer* out)
{
  // No clipboard without a window system.
  if (out) out->Assign("");
  return false;
}

void IGraphicsOffscreen::ReservedHook3() {}

Raster_IBitmap* IGraphicsOffscreen::LoadBitmapResource(int resourceId, const char* fileName)
{
  return LoadResourceImage(resourceId, fileName);
}

bool IGraphicsOffscreen::Tick(IBounds* drawn)
{
  if (drawn) *drawn = IBounds();
  if (!mWindow) return false;
  if (TextEntryOpen()) {
    // The tick that settles a text entry draws nothing.
    if (mEntryOutcome == EntryOutcome::Commit) {
      TextBuffer text(64);
      text.Assign(mEntryText.Text(), kTextEntryReadLimit);
      IControl* control = mEntryControl;
      IEffectParam* param = mEntryParam;
      CloseTextEntry();
      DeliverEnteredText(control, param, text.Text());
    } else {
      CloseTextEntry();
    }
    return false;
  }
  IBounds area = mInvalid;
  mInvalid = IBounds();
  CollectDirty(&area);
  if (area.IsEmpty()) return false;
  RenderRect(&area);
  if (drawn) *drawn = area;
  return true;
}

void IGraphicsOffscreen::PressMouse(int x, int y, IMouseFlags flags)
{
  mCursorX = x;
  mCursorY = y;
  // A press while a text field is open only settles the field.
  if (!mWindow || TextEntryOpen()) return;
  mMouseCaptured = true;
  MouseDown(x, y, &flags);
}

void IGraphicsOffscreen::MoveMouse(int x, int y, IMouseFlags flags)
{
  mCursorX = x;
  mCursorY = y;
  if (!mWindow) return;
  if (!flags.left && !flags.right) {
    MouseOver(x, y, &flags);
    return;
  }
  if (mMouseCaptured && !TextEntryOpen()) MouseDrag(x, y, &flags);
}

void IGraphicsOffscreen::ReleaseMouse(int x, int y, IMouseFlags flags)
{
  mCursorX = x;
  mCursorY = y;
  if (!mWindow) return;
  // Even with a text field open the release ends the press, so the host's gesture is closed.
  mMouseCaptured = false;
  MouseUp(x, y, &flags);
}

void IGraphicsOffscreen::DoubleClickMouse(int x, int y, IMouseFlags flags)
{
  mCursorX = x;
  mCursorY = y;
  if (!mWindow || TextEntryOpen()) return;
  if (MouseDoubleClick(x, y, &flags)) mMouseCaptured = true;
}

void IGraphicsOffscreen::TurnWheel(int x, int y, IMouseFlags flags, int delta)
{
  mCursorX = x;
  mCursorY = y;
  if (!mWindow) return;
  if (TextEntryOpen()) {
    CancelTextEntry();
    return;
  }
  MouseWheel(x, y, &flags, delta / kWheelDeltaPerNotch);
}

bool IGraphicsOffscreen::PressKey(int virtualKey)
{
  if (!mWindow || TextEntryOpen()) return false;
  const int code = IKeyCodeForVirtualKey(virtualKey);
  return code >= 0 && KeyDown(mCursorX, mCursorY, code);
}

void IGraphicsOffscreen::LeaveWindow()
{
  if (mWindow) MouseOut();
}

void IGraphicsOffscreen::LoseCapture()
{
  if (!mWindow || !mMouseCaptured) return;
  mMouseCaptured = false;
  MouseCaptureLost();
}

bool IGraphicsOffscreen::SaveScreen(const char* path) { return mWindow && Raster_WritePng(&mScreen, path); }
