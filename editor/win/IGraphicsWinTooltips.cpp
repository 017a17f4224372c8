// Hover tracking and tooltips. The editor core reports no hovering in this system, so the tooltip
// control is made only for editors that ask for tooltips.
#include "editor/win/IGraphicsWin.h"

#include "editor/IControl.h"

#include <commctrl.h>

namespace {

TOOLINFOA EditorTool(HWND window)
{
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  return tool;
}

}  // namespace

bool IGraphicsWin::CreateTooltip()
{
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  if (!InitCommonControlsEx(&classes)) return false;
  mTooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mWindow, nullptr, Module(), nullptr);
  if (!mTooltipWindow) return false;
  SetWindowPos(mTooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TOOLINFOA tool = EditorTool(mWindow);
  SendMessageA(mTooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  return true;
}

void IGraphicsWin::HoverStep(int x, int y, IMouseFlags* flags)
{
  if (!MouseOver(x, y, flags)) return;
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, mWindow, HOVER_DEFAULT};
  if (mTooltipsWanted && Hovered() != mTooltipControl) {
    mTooltipControl = Hovered();
    if (mTooltipControl >= 0) track.dwFlags |= TME_HOVER;
    HideTooltip();
  }
  TrackMouseEvent(&track);
}

void IGraphicsWin::ShowTooltip()
{
  if (!mTooltipWindow || mTooltipControl < 0) return;
  IControl* control = Control(mTooltipControl);
  const char* text = control ? control->Tooltip() : nullptr;
  if (!text) return;
  // The tool text is limited to 80 characters; a longer one is cut, not overrun.
  char shown[80];
  lstrcpynA(shown, text, sizeof shown);
  TOOLINFOA tool = EditorTool(mWindow);
  tool.lpszText = shown;
  SendMessageA(mTooltipWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  mTooltipShown = true;
}

void IGraphicsWin::HideTooltip()
{
  if (!mTooltipShown || !mTooltipWindow) return;
  TOOLINFOA tool = EditorTool(mWindow);
  tool.lpszText = nullptr;
  SendMessageA(mTooltipWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  mTooltipShown = false;
}
