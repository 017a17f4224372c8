#pragma once

#include "editor/IBounds.h"
#include "raster/MemBitmap.h"

#include <cstdint>
#include <memory>

struct _XDisplay;
class Raster_CachedFont;
class X11Presenter;

// A window of the editor's own (text field, popup menu, message box) with the pixels it shows:
// drawn with the raster and text code like the editor itself, then presented in one go.
class X11Canvas
{
public:
  enum class Kind {
    Child,   // inside `parent` at area's position
    Popup,   // on the root window at screen position, not managed by the window manager
    Dialog,  // on the root window, decorated and placed by the window manager
  };

  X11Canvas(_XDisplay* display, unsigned long parent, const IBounds& area, Kind kind, long eventMask);
  ~X11Canvas();
  X11Canvas(const X11Canvas&) = delete;
  X11Canvas& operator=(const X11Canvas&) = delete;

  // False when the window or its pixels could not be made.
  bool Valid() const { return mWindow != 0 && mPresenter != nullptr; }
  unsigned long Window() const { return mWindow; }
  int Width() const { return mArea.Width(); }
  int Height() const { return mArea.Height(); }

  void Fill(const IBounds& rect, uint32_t colour);
  // One line of text in rect (vertically centred; align flags of the text code), clipped to rect.
  void Text(Raster_CachedFont* font, const char* text, const IBounds& rect, int alignFlags, uint32_t colour);
  // Shows the window and then everything drawn so far.
  void Map();
  void Present();

private:
  _XDisplay* mDisplay;
  unsigned long mWindow = 0;
  IBounds mArea;
  Raster_MemBitmap mPixels;
  std::unique_ptr<X11Presenter> mPresenter;
};

// The pen advance of `length` bytes of UTF-8 text (up to the NUL when -1); 0 without a font.
int TextWidth(Raster_CachedFont* font, const char* text, int length = -1);
