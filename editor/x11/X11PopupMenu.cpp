#include "editor/x11/X11PopupMenu.h"

#include "core/TextBuffer.h"
#include "editor/IMenuModel.h"
#include "editor/x11/X11Canvas.h"
#include "raster/Raster_IFont.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kTickColumn = 20;
constexpr int kArrowColumn = 18;
constexpr int kMinWidth = 80;
constexpr uint32_t kBackground = 0xFFF2F2F2u;
constexpr uint32_t kBorder = 0xFF7A7A7Au;
constexpr uint32_t kHotBackground = 0xFF3A6EA5u;
constexpr uint32_t kText = 0xFF000000u;
constexpr uint32_t kHotText = 0xFFFFFFFFu;
constexpr uint32_t kGreyText = 0xFF9A9A9Au;
constexpr uint32_t kSeparator = 0xFFC4C4C4u;
constexpr long kEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;

bool Selectable(const IMenuEntry* entry)
{
  return entry && !(entry->flags & (kMenuSeparator | kMenuGreyed | kMenuDisabled));
}

} // namespace

struct X11PopupMenu::Level {
  IMenuModel* menu = nullptr;
  std::unique_ptr<X11Canvas> canvas;
  IBounds area;             // on the screen
  std::vector<int> tops;    // each entry's top inside the window
  std::vector<int> heights;
  int hot = -1;
};

X11PopupMenu::X11PopupMenu(Display* display, IMenuModel* menu, Raster_CachedFont* font, int x, int y)
    : mDisplay(display), mMenu(menu), mFont(font), mX(x), mY(y)
{
}

X11PopupMenu::~X11PopupMenu()
{
  if (mGrabbed) {
    XUngrabPointer(mDisplay, CurrentTime);
    XUngrabKeyboard(mDisplay, CurrentTime);
  }
  mLevels.clear();
  XFlush(mDisplay);
}

bool X11PopupMenu::Open()
{
  if (!mMenu || mMenu->Count() == 0) return false;
  OpenLevel(mMenu, mX, mY);
  if (mLevels.empty()) return false;
  const Window window = mLevels[0]->canvas->Window();
  const unsigned pointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  mGrabbed = XGrabPointer(mDisplay, window, False, pointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                          CurrentTime) == GrabSuccess;
  if (!mGrabbed) return false;
  XGrabKeyboard(mDisplay, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
  return true;
}

void X11PopupMenu::OpenLevel(IMenuModel* menu, int x, int y)
{
  auto level = std::make_unique<Level>();
  level->menu = menu;
  int width = kMinWidth, height = 2;
  TextBuffer label(64);
  for (int i = 0; i < menu->Count(); ++i) {
    const IMenuEntry* entry = menu->items.At(i);
    const bool separator = entry && (entry->flags & kMenuSeparator);
    level->tops.push_back(height - 1);
    level->heights.push_back(separator ? kSeparatorHeight : kItemHeight);
    height += level->heights.back();
    if (!separator && menu->FormatLabel(i, &label))
      width = std::max(width, TextWidth(mFont, label.Text()) + kTickColumn + kArrowColumn + 2);
  }
  const int screenW = DisplayWidth(mDisplay, DefaultScreen(mDisplay));
  const int screenH = DisplayHeight(mDisplay, DefaultScreen(mDisplay));
  x = std::max(0, std::min(x, screenW - width));
  y = std::max(0, std::min(y, screenH - height));
  level->area = IBounds(x, y, x + width, y + height);
  level->canvas = std::make_unique<X11Canvas>(mDisplay, 0, level->area, X11Canvas::Kind::Popup, kEvents);
  if (!level->canvas->Valid()) return;
  Draw(*level);
  level->canvas->Map();
  mLevels.push_back(std::move(level));
}

void X11PopupMenu::CloseLevelsAbove(size_t depth)
{
  while (mLevels.size() > depth + 1) mLevels.pop_back();
}

void X11PopupMenu::Draw(Level& level)
{
  X11Canvas& canvas = *level.canvas;
  const int w = canvas.Width(), h = canvas.Height();
  canvas.Fill(IBounds(0, 0, w, h), kBorder);
  canvas.Fill(IBounds(1, 1, w - 1, h - 1), kBackground);
  TextBuffer label(64);
  for (int i = 0; i < level.menu->Count(); ++i) {
    const IMenuEntry* entry = level.menu->items.At(i);
    const int top = level.tops[static_cast<size_t>(i)] + 1;
    const IBounds row(1, top, w - 1, top + level.heights[static_cast<size_t>(i)]);
    if (!entry) continue;
    if (entry->flags & kMenuSeparator) {
      canvas.Fill(IBounds(4, top + kSeparatorHeight / 2, w - 4, top + kSeparatorHeight / 2 + 1), kSeparator);
      continue;
    }
    const bool hot = i == level.hot && Selectable(entry);
    if (hot) canvas.Fill(row, kHotBackground);
    const uint32_t ink = !Selectable(entry) ? kGreyText : hot ? kHotText : kText;
    if (entry->flags & kMenuTicked) canvas.Fill(IBounds(8, top + 7, 14, top + 13), ink);
    if (level.menu->FormatLabel(i, &label))
      canvas.Text(mFont, label.Text(), IBounds(kTickColumn, top, w - kArrowColumn, row.bottom), 0, ink);
    if (entry->submenu) {
      // A small right-pointing triangle.
      for (int c = 0; c < 4; ++c)
        canvas.Fill(IBounds(w - 12 + c, top + 6 + c, w - 11 + c, top + 14 - c), ink);
    }
  }
  canvas.Present();
}

bool X11PopupMenu::Locate(int rootX, int rootY, size_t* depth, int* entry) const
{
  for (size_t d = mLevels.size(); d-- > 0;) {
    const Level& level = *mLevels[d];
    if (!level.area.Contains(rootX, rootY)) continue;
    *depth = d;
    *entry = -1;
    const int y = rootY - level.area.top - 1;
    for (size_t i = 0; i < level.tops.size(); ++i)
      if (y >= level.tops[i] && y < level.tops[i] + level.heights[i]) *entry = static_cast<int>(i);
    return true;
  }
  return false;
}

void X11PopupMenu::Hover(size_t depth, int entry)
{
  Level& level = *mLevels[depth];
  CloseLevelsAbove(depth);
  if (level.hot != entry) {
    level.hot = entry;
    Draw(level);
  }
  const IMenuEntry* item = entry >= 0 ? level.menu->items.At(entry) : nullptr;
  if (Selectable(item) && item->submenu && item->submenu->Count() > 0)
    OpenLevel(item->submenu, level.area.right - 2, level.area.top + level.tops[static_cast<size_t>(entry)]);
}

void X11PopupMenu::Activate(size_t depth, int entry)
{
  Level& level = *mLevels[depth];
  const IMenuEntry* item = entry >= 0 ? level.menu->items.At(entry) : nullptr;
  if (!Selectable(item)) return;
  if (item->submenu) {
    if (mLevels.size() == depth + 1) Hover(depth, entry);
    return;
  }
  level.menu->chosenIndex = entry;
  mChosen = level.menu;
  mDone = true;
}

void X11PopupMenu::Step(int direction)
{
  Level& level = *mLevels.back();
  const int count = level.menu->Count();
  int entry = level.hot;
  for (int tries = 0; tries < count; ++tries) {
    entry = (entry + direction + count) % count;
    if (Selectable(level.menu->items.At(entry))) break;
  }
  if (level.hot != entry) {
    level.hot = entry;
    Draw(level);
  }
}

bool X11PopupMenu::Owns(unsigned long window) const
{
  for (const auto& level : mLevels)
    if (level->canvas->Window() == window) return true;
  return false;
}

void X11PopupMenu::HandleEvent(XEvent& event)
{
  size_t depth = 0;
  int entry = -1;
  switch (event.type) {
  case Expose:
    for (const auto& level : mLevels)
      if (level->canvas->Window() == event.xexpose.window && event.xexpose.count == 0) level->canvas->Present();
    break;
  case MotionNotify:
    mPointerMoved = true;
    if (Locate(event.xmotion.x_root, event.xmotion.y_root, &depth, &entry)) Hover(depth, entry);
    break;
  case ButtonPress:
    if (event.xbutton.button > Button3) break;
    if (!Locate(event.xbutton.x_root, event.xbutton.y_root, &depth, &entry)) mDone = true;
    // A press on an item chooses it when released there.
    mPointerMoved = true;
    break;
  case ButtonRelease:
    // The release of the press that opened the menu chooses nothing unless the pointer went to an item.
    if (event.xbutton.button > Button3 || !mPointerMoved) break;
    if (Locate(event.xbutton.x_root, event.xbutton.y_root, &depth, &entry)) Activate(depth, entry);
    break;
  case KeyPress: {
    const KeySym key = XLookupKeysym(&event.xkey, 0);
    Level& deepest = *mLevels.back();
    if (key == XK_Escape || key == XK_Left) {
      if (mLevels.size() > 1)
        mLevels.pop_back();
      else if (key == XK_Escape)
        mDone = true;
    } else if (key == XK_Up || key == XK_Down) {
      Step(key == XK_Up ? -1 : 1);
    } else if (key == XK_Return || key == XK_KP_Enter) {
      if (deepest.hot >= 0) Activate(mLevels.size() - 1, deepest.hot);
    } else if (key == XK_Right && deepest.hot >= 0 && deepest.menu->items.At(deepest.hot)->submenu) {
      Hover(mLevels.size() - 1, deepest.hot);
    }
    break;
  }
  default:
    break;
  }
}
