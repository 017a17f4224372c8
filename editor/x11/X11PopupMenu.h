#pragma once

#include "editor/IBounds.h"
#include "editor/x11/X11ModalWindow.h"

#include <memory>
#include <vector>

struct _XDisplay;
struct IMenuModel;
class Raster_CachedFont;
class X11Canvas;

// A popup menu drawn by us: one override-redirect window per open level (a submenu opens to the
// right of its entry when the pointer rests on it). The pointer and keyboard are grabbed while it is
// open; a click or release on an item chooses it, a click elsewhere or Escape dismisses the menu.
// Up, Down, Right, Left and Return work the levels from the keyboard.
class X11PopupMenu : public X11ModalWindow
{
public:
  // (x, y): the screen position of the menu's top-left corner.
  X11PopupMenu(_XDisplay* display, IMenuModel* menu, Raster_CachedFont* font, int x, int y);
  ~X11PopupMenu() override;

  // False when the menu could not be shown (nothing to show, or the grab was refused).
  bool Open();
  bool Owns(unsigned long window) const override;
  void HandleEvent(_XEvent& event) override;
  bool Done() const override { return mDone; }
  // The menu holding the chosen entry, its chosenIndex set; null when dismissed.
  IMenuModel* Chosen() const { return mChosen; }

private:
  struct Level;
  void OpenLevel(IMenuModel* menu, int x, int y);
  void CloseLevelsAbove(size_t depth);
  void Draw(Level& level);
  // The level and entry under a screen position; false when over no menu.
  bool Locate(int rootX, int rootY, size_t* depth, int* entry) const;
  void Hover(size_t depth, int entry);
  void Activate(size_t depth, int entry);
  void Step(int direction);

  _XDisplay* mDisplay;
  IMenuModel* mMenu;
  Raster_CachedFont* mFont;
  int mX;
  int mY;
  std::vector<std::unique_ptr<Level>> mLevels;
  IMenuModel* mChosen = nullptr;
  bool mDone = false;
  bool mGrabbed = false;
  bool mPointerMoved = false;
};
