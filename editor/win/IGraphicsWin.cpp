#include "editor/win/IGraphicsWin.h"

#include "core/IEffectBase.h"
#include "core/ModuleHandle.h"
#include "editor/IControl.h"
#include "raster/SysBitmap.h"

#include <windowsx.h>

namespace {

const char kWindowClassName[] = "IEffectWndClass";
constexpr UINT_PTR kFrameTimerId = 2;

// Shared by every editor of the process; touched on the user-interface thread only.
int WindowClassUsers = 0;
double TimerFrameRate = 25.0;

IMouseFlags FlagsOf(WPARAM wParam)
{
  IMouseFlags flags;
  flags.left = (wParam & MK_LBUTTON) != 0;
  flags.right = (wParam & MK_RBUTTON) != 0;
  flags.shift = (wParam & MK_SHIFT) != 0;
  flags.control = (wParam & MK_CONTROL) != 0;
  flags.alt = GetKeyState(VK_MENU) < 0;
  return flags;
}

// The editor's key code for a virtual key, -1 for keys no control takes.
int KeyCodeOf(WPARAM virtualKey)
{
  if (virtualKey == VK_SPACE) return kKeySpace;
  if (virtualKey == VK_UP) return kKeyUp;
  if (virtualKey == VK_DOWN) return kKeyDown;
  if (virtualKey == VK_LEFT) return kKeyLeft;
  if (virtualKey == VK_RIGHT) return kKeyRight;
  if (virtualKey >= '0' && virtualKey <= '9') return kKeyDigit0 + static_cast<int>(virtualKey - '0');
  if (virtualKey >= 'A' && virtualKey <= 'Z') return kKeyA + static_cast<int>(virtualKey - 'A');
  return -1;
}

RECT RectOf(const IBounds& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

IGraphicsWin* EditorOf(HWND window)
{
  return reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool RegisterEditorClass(HINSTANCE module)
{
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = IGraphicsWin::EditorWindowProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClassName;
  // A class left registered by a window the host destroyed is still ours and still usable.
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Unregisters the class once no editor window uses it any more. Fails harmlessly while the last
// window is still being destroyed; the next open or close tries again.
void UnregisterUnusedClass(HINSTANCE module)
{
  if (WindowClassUsers == 0) UnregisterClassA(kWindowClassName, module);
}

}  // namespace

IGraphicsWin::IGraphicsWin(IEffectBase* plugin, int width, int height, int frameRate)
    : IGraphics(plugin, width, height, frameRate)
{
}

IGraphicsWin::~IGraphicsWin()
{
  // The plug-in is being destroyed: the window goes without telling it anything.
  mDestroying = true;
  CloseEditorWindow();
  delete[] mCustomColours;
}

HINSTANCE IGraphicsWin::Module() const
{
  if (mModule) return mModule;
  if (ModuleHandle) return static_cast<HINSTANCE>(ModuleHandle);
  // The module that holds this code: the plug-in library itself, or a program linking it.
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&IGraphicsWin::EditorWindowProc), &module);
  return module;
}

int IGraphicsWin::ClassUsers() { return WindowClassUsers; }

bool IGraphicsWin::BlitToWindow(IBounds* rect)
{
  if (!mWindow || !rect || !mBackBuffer) return false;
  PAINTSTRUCT paint;
  HDC windowDc = BeginPaint(mWindow, &paint);
  if (windowDc) {
    BitBlt(windowDc, rect->left, rect->top, rect->Width(), rect->Height(),
           static_cast<HDC>(mBackBuffer->DeviceContext()), rect->left, rect->top, SRCCOPY);
  }
  EndPaint(mWindow, &paint);
  return true;
}

void IGraphicsWin::CancelTextEntry()
{
  if (mTextEntryWindow) mTextEntryState = EntryCancel;
}

void IGraphicsWin::ResizeWindow(int w, int h)
{
  if (w == mWidth && h == mHeight) return;
  const int dw = w - mWidth, dh = h - mHeight;
  IGraphics::ResizeWindow(w, h);
  if (!mWindow) return;

  // The editor, and around it the host's windows that are plain children too (not MDI children).
  HWND windows[3] = {mWindow, nullptr, nullptr};
  const auto plainChild = [](HWND window) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    return (style & WS_CHILD) != 0 && (exStyle & WS_EX_MDICHILD) == 0;
  };
  if (plainChild(mWindow)) {
    windows[1] = GetParent(mWindow);
    if (windows[1] && plainChild(windows[1])) windows[2] = GetParent(windows[1]);
  }
  const int count = mPlugin && mPlugin->PluginFormat() == 1 ? 1 : 3;
  for (int i = 0; i < count && windows[i]; ++i) {
    RECT r;
    GetWindowRect(windows[i], &r);
    SetWindowPos(windows[i], nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT all{0, 0, mWidth, mHeight};
  InvalidateRect(mWindow, &all, FALSE);
}

bool IGraphicsWin::HasWindow() { return mWindow != nullptr; }

const char* IGraphicsWin::GraphicsApiName() { return "Windows GDI"; }

void* IGraphicsWin::OpenEditorWindow(void* parentWindow)
{
  HWND parent = static_cast<HWND>(parentWindow);
  int x = 0, y = 0, w = mWidth, h = mHeight;
  if (mWindow) {
    // Opened again: the new window takes the old one's place relative to the parent, and its size.
    RECT parentRect{}, windowRect{};
    GetWindowRect(parent, &parentRect);
    GetWindowRect(mWindow, &windowRect);
    CloseEditorWindow();
    x = windowRect.left - parentRect.left;
    y = windowRect.top - parentRect.top;
    w = windowRect.right - windowRect.left;
    h = windowRect.bottom - windowRect.top;
  }
  mParentWindow = parent;

  const HINSTANCE module = Module();
  if (WindowClassUsers++ == 0 && !RegisterEditorClass(module)) {
    --WindowClassUsers;
    return nullptr;
  }
  TimerFrameRate = mFrameRate;
  HWND window = CreateWindowExA(0, kWindowClassName, "IEffect", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                                module, this);
  if (!window) {
    --WindowClassUsers;
    UnregisterUnusedClass(module);
    return nullptr;
  }
  mWindow = window;
  for (int i = 0; i < ControlCount(); ++i) Control(i)->MarkDirty(false);
  // Values other threads left for the editor while it was closed are shown by the first paint,
  // not one tick after it.
  IBounds everything;
  CollectDirty(&everything);
  if (mTooltipsWanted && !CreateTooltip()) mTooltipsWanted = false;
  return mWindow;
}

void IGraphicsWin::CloseEditorWindow()
{
  if (!mWindow) return;
  HWND window = mWindow;
  // The field goes first, with its font and the editor's focus, and nothing it held is applied.
  CloseTextEntry();
  if (mTooltipWindow) DestroyWindow(mTooltipWindow);
  mTooltipWindow = nullptr;
  mTooltipShown = false;
  mTooltipControl = -1;
  KillTimer(window, kFrameTimerId);
  DestroyWindow(window);
  // Destruction normally forgets the window on its way (WM_NCDESTROY); a window of another thread
  // cannot be destroyed from here, but it must not reach this editor any more either.
  if (mWindow == window) ForgetWindow();
  UnregisterUnusedClass(Module());
}

void IGraphicsWin::ForgetWindow()
{
  HWND window = mWindow;
  if (!window) return;
  if (!mDestroying) WindowClosing();
  RevealCursor();
  if (GetCapture() == window) ReleaseCapture();
  // A field still open here went down with its parent window: only its font is left to free.
  if (mTextEntryFont) DeleteObject(mTextEntryFont);
  mTextEntryFont = nullptr;
  mTextEntryWindow = nullptr;
  mTextEntryControl = nullptr;
  mTextEntryParam = nullptr;
  mTextEntryStdProc = nullptr;
  mTextEntryState = EntryIdle;
  mTooltipWindow = nullptr;
  mTooltipShown = false;
  mTooltipControl = -1;
  // Messages still on their way find no editor behind the window.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  mWindow = nullptr;
  --WindowClassUsers;
}

void* IGraphicsWin::WindowHandle() { return mWindow; }

void IGraphicsWin::ConcealCursor()
{
  if (mCursorHidden) return;
  GetCursorPos(&mHiddenCursorPosition);
  ShowCursor(FALSE);
  mCursorHidden = true;
}

void IGraphicsWin::RevealCursor()
{
  if (!mCursorHidden) return;
  SetCursorPos(mHiddenCursorPosition.x, mHiddenCursorPosition.y);
  ShowCursor(TRUE);
  mCursorHidden = false;
}

void IGraphicsWin::ReservedHook3() {}

LRESULT CALLBACK IGraphicsWin::EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_CREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    SetTimer(window, kFrameTimerId, static_cast<UINT>(1000.0 / TimerFrameRate), nullptr);
    SetFocus(window);
    return 0;
  }
  IGraphicsWin* editor = EditorOf(window);
  if (!editor || editor->mWindow != window) return DefWindowProcA(window, message, wParam, lParam);
  return editor->HandleMessage(window, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_NCDESTROY) {
    ForgetWindow();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (mTextEntryWindow && mTextEntryState == EntryFocused) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
      mTextEntryState = EntryCancel;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  IMouseFlags flags = FlagsOf(wParam);
  switch (message) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    return 0;
  case WM_PAINT: {
    RECT update;
    if (GetUpdateRect(window, &update, FALSE)) {
      IBounds area(update.left, update.top, update.right, update.bottom);
      RenderRect(&area);
    }
    // An editor without controls paints nothing; the area must still count as painted, or the
    // system would ask again at once, forever.
    ValidateRect(window, nullptr);
    return 0;
  }
  case WM_CLOSE:
    CloseEditorWindow();
    return 0;
  case WM_TIMER:
    if (wParam == kFrameTimerId) OnTimerTick();
    return 0;
  case WM_MOUSEMOVE:
    if (!flags.left && !flags.right)
      HoverStep(x, y, &flags);
    else if (GetCapture() == window && !mTextEntryWindow)
      MouseDrag(x, y, &flags);
    return 0;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    HideTooltip();
    if (mTextEntryWindow) {
      mTextEntryState = EntryCommit;
      return 0;
    }
    SetFocus(window);
    SetCapture(window);
    MouseDown(x, y, &flags);
    return 0;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    // Our own release of the capture is not a lost press: the release below still ends it.
    mReleasingCapture = true;
    ReleaseCapture();
    mReleasingCapture = false;
    MouseUp(x, y, &flags);
    return 0;
  case WM_CAPTURECHANGED:
    if (!mReleasingCapture && !mMenuOpen && reinterpret_cast<HWND>(lParam) != window) MouseCaptureLost();
    return 0;
  case WM_LBUTTONDBLCLK:
    if (MouseDoubleClick(x, y, &flags)) SetCapture(window);
    return 0;
  case WM_MOUSEWHEEL: {
    if (mTextEntryWindow) {
      mTextEntryState = EntryCancel;
      return 0;
    }
    RECT r;
    GetWindowRect(window, &r);
    MouseWheel(x - r.left, y - r.top, &flags, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
    return 0;
  }
  case kPressEndedMessage:
    // Unless a new press has begun meanwhile, which closed the old gesture itself.
    if (Captured() < 0) MouseCaptureLost();
    return 0;
  case WM_MOUSEHOVER:
    ShowTooltip();
    return 0;
  case WM_MOUSELEAVE:
    HideTooltip();
    MouseOut();
    return 0;
  case WM_KEYDOWN:
  case WM_KEYUP:
    OnKey(window, message, wParam, lParam);
    return 0;
  case WM_CTLCOLOREDIT:
    if (mTextEntryWindow && mTextEntryControl) {
      const ITextStyle& style = mTextEntryControl->TextStyle();
      HDC dc = reinterpret_cast<HDC>(wParam);
      const COLORREF background = RGB(style.entryBackground.red, style.entryBackground.green, style.entryBackground.blue);
      SetBkColor(dc, background);
      SetTextColor(dc, RGB(style.entryText.red, style.entryText.green, style.entryText.blue));
      SetBkMode(dc, OPAQUE);
      // The stock DC brush fills the rest of the field: in the same colour.
      SetDCBrushColor(dc, background);
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    return DefWindowProcA(window, message, wParam, lParam);
  default:
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

void IGraphicsWin::OnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_KEYDOWN) {
    const int code = KeyCodeOf(wParam);
    if (code >= 0) {
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(window, &cursor);
      if (KeyDown(cursor.x, cursor.y, code)) return;
    }
  }
  // Keys the editor does not take are the host's: its shortcuts keep working over the editor.
  HWND topLevel = GetAncestor(window, GA_ROOT);
  if (topLevel && topLevel != window) SendMessageA(topLevel, message, wParam, lParam);
  DefWindowProcA(window, message, wParam, lParam);
}

void IGraphicsWin::OnTimerTick()
{
  if (mTextEntryWindow && mTextEntryState != EntryIdle) {
    if (mTextEntryState == EntryCancel)
      CloseTextEntry();
    else if (mTextEntryState == EntryCommit)
      CommitTextEntry();
    mTextEntryState = EntryIdle;
    return;
  }
  IBounds dirty;
  if (!CollectDirty(&dirty)) return;
  const RECT area = RectOf(dirty);
  InvalidateRect(mWindow, &area, FALSE);
  if (!mTextEntryWindow) {
    UpdateWindow(mWindow);
    return;
  }
  // The open field is not painted over.
  const RECT field = RectOf(mTextEntryControl->Rect());
  ValidateRect(mWindow, &field);
  UpdateWindow(mWindow);
  mTextEntryState = EntryDrawn;
}
