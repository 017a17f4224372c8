// Popup menus: the editor's menu model as a native popup menu, shown modally under its anchor.
#include "editor/win/IGraphicsWin.h"

#include "editor/IMenuModel.h"

namespace {

constexpr WORD kNoCommand = 0xFFFF;

// Hands out command identifiers in building order from *counter: the menu's own entries first,
// each submenu's when its entry is reached, so IMenuModel::ChooseCommand finds every entry again.
HMENU BuildNativeMenu(const IMenuModel& menu, int* counter)
{
  HMENU native = CreatePopupMenu();
  if (!native) return nullptr;
  const int base = *counter;
  *counter += menu.Count();
  TextBuffer label(64);
  for (int i = 0; i < menu.Count(); ++i) {
    const IMenuEntry* entry = menu.items.At(i);
    if (entry->flags & kMenuSeparator) {
      AppendMenuA(native, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    menu.FormatLabel(i, &label);
    if (!entry->submenu) {
      UINT state = MF_STRING;
      if (entry->flags & kMenuGreyed) state |= MF_GRAYED;
      if (entry->flags & kMenuDisabled) state |= MF_DISABLED;
      if (entry->flags & kMenuTicked) state |= MF_CHECKED;
      AppendMenuA(native, state, static_cast<UINT_PTR>(base + i), label.Text());
    } else if (HMENU submenu = BuildNativeMenu(*entry->submenu, counter)) {
      if (!AppendMenuA(native, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), label.Text()))
        DestroyMenu(submenu);
    }
  }
  return native;
}

}  // namespace

IMenuModel* IGraphicsWin::ShowPopupMenu(IMenuModel* menu, IBounds* anchor)
{
  // The press that opened the menu leaves no captured control behind.
  ResetMouseState();
  if (!menu) return nullptr;
  int counter = 0;
  HMENU native = BuildNativeMenu(*menu, &counter);
  if (!native) return nullptr;

  IMenuModel* chosen = nullptr;
  if (mWindow) {
    POINT at{anchor ? anchor->left : 0, anchor ? anchor->bottom : 0};
    ClientToScreen(mWindow, &at);
    mMenuOpen = true;
    const BOOL shown = TrackPopupMenu(native, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, mWindow, nullptr);
    mMenuOpen = false;
    MSG command;
    if (shown && PeekMessageA(&command, mWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(command.wParam) == 0 &&
        LOWORD(command.wParam) != kNoCommand)
      chosen = menu->ChooseCommand(LOWORD(command.wParam));
    // The menu swallowed the release of the press that opened it: that press ends once its value
    // has been applied, so the host sees the edit inside the gesture.
    PostMessageA(mWindow, kPressEndedMessage, 0, 0);
  }
  DestroyMenu(native);
  if (mWindow) {
    const RECT all{0, 0, mWidth, mHeight};
    InvalidateRect(mWindow, &all, FALSE);
  }
  return chosen;
}
