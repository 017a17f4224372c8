// The in-place text field: a standard edit control over the control being edited, subclassed so
// that Return, Escape, focus changes and refused characters reach the editor, and settled by the
// redraw timer.
#include "editor/win/IGraphicsWin.h"

#include "editor/IControl.h"
#include "editor/TextEntryRules.h"

namespace {

constexpr int kTextEntryChildId = 99;
// The field hands over at most this many characters.
constexpr int kEntryReadLimit = 31;

IGraphicsWin* EditorOf(HWND window)
{
  return reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

void IGraphicsWin::ShowTextEntry(IControl* control, const ITextStyle* style, IBounds* rect, const char* text,
                                 IEffectParam* param)
{
  if (!control || mTextEntryWindow || !mWindow || !rect) return;
  const ITextStyle& shown = style ? *style : control->TextStyle();
  const DWORD align = shown.align == 0 ? ES_LEFT : shown.align == 2 ? ES_RIGHT : ES_CENTER;
  HWND field = CreateWindowExA(0, "EDIT", text ? text : "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | align,
                               rect->left, rect->top, rect->right - rect->left + 1, rect->bottom - rect->top + 1,
                               mWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextEntryChildId)), Module(),
                               nullptr);
  if (!field) return;
  mTextEntryFont = CreateFontA(shown.size, 0, 0, 0, shown.style == 1 ? FW_BOLD : FW_DONTCARE, shown.style == 2, FALSE,
                               FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, shown.name);
  SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(mTextEntryFont), 0);
  SendMessageA(field, EM_LIMITTEXT, static_cast<WPARAM>(control->EntryLength()), 0);
  SendMessageA(field, EM_SETSEL, 0, -1);

  mTextEntryWindow = field;
  mTextEntryControl = control;
  mTextEntryParam = param;
  mTextEntryState = EntryIdle;
  // Subclassed before it takes the focus, so the field's first focus already counts.
  mTextEntryStdProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IGraphicsWin::TextEntryProc)));
  SetFocus(field);
}

void IGraphicsWin::CloseTextEntry()
{
  if (!mTextEntryWindow) return;
  HWND field = mTextEntryWindow;
  const bool hadFocus = GetFocus() == field;
  SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mTextEntryStdProc));
  mTextEntryWindow = nullptr;
  mTextEntryControl = nullptr;
  mTextEntryParam = nullptr;
  mTextEntryStdProc = nullptr;
  DestroyWindow(field);
  if (mTextEntryFont) DeleteObject(mTextEntryFont);
  mTextEntryFont = nullptr;
  // Keys go to the editor again, not to nowhere.
  if (hadFocus && mWindow) SetFocus(mWindow);
}

void IGraphicsWin::CommitTextEntry()
{
  char text[kEntryReadLimit + 1] = {};
  GetWindowTextA(mTextEntryWindow, text, sizeof text);
  IControl* control = mTextEntryControl;
  IEffectParam* param = mTextEntryParam;
  // Closed before delivering: applying the value may open the next prompt.
  CloseTextEntry();
  DeliverEnteredText(control, param, text);
}

LRESULT CALLBACK IGraphicsWin::TextEntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  IGraphicsWin* editor = EditorOf(GetParent(window));
  if (!editor || editor->mTextEntryWindow != window) {
    // A field no editor owns any more still behaves as an edit field.
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)), window, message, wParam,
                           lParam);
  }
  return editor->HandleTextEntryMessage(window, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleTextEntryMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  HideTooltip();
  const WNDPROC standard = mTextEntryStdProc;
  switch (message) {
  case WM_KEYDOWN:
    if (wParam == VK_RETURN) {
      mTextEntryState = EntryCommit;
      return 0;
    }
    if (wParam == VK_ESCAPE) {
      mTextEntryState = EntryCancel;
      return 0;
    }
    break;
  case WM_SETFOCUS:
    mTextEntryState = EntryFocused;
    break;
  case WM_KILLFOCUS:
    mTextEntryState = EntryCommit;
    break;
  case WM_GETDLGCODE:
    if (!mTextEntryParam) {
      LRESULT code = CallWindowProcA(standard, window, message, wParam, lParam);
      const MSG* asked = reinterpret_cast<const MSG*>(lParam);
      if (asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
      return code;
    }
    break;
  case WM_CHAR:
    // Return and Escape were taken as keys already; as characters they would break the line or
    // reach the host's dialog handling. The field holds one line.
    if (wParam == '\r' || wParam == '\n' || wParam == 0x1B) return 0;
    if (mTextEntryParam && wParam != VK_BACK && (wParam > 0xFF || !TextEntryAcceptsChar(mTextEntryParam, static_cast<char>(wParam))))
      return 0;
    break;
  case WM_COMMAND:
    if (HIWORD(wParam) == 1) {
      mTextEntryState = EntryCommit;
      return 0;
    }
    break;
  default:
    break;
  }
  return CallWindowProcA(standard, window, message, wParam, lParam);
}
