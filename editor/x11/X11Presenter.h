#pragma once

#include "editor/IBounds.h"

struct _XDisplay;
class Raster_IBitmap;

// Shows rectangles of a bitmap in a window at the same position. Through a shared-memory image
// when the server offers the extension and accepts the segment, else through plain image requests;
// pixels are converted only when the window's visual is not 32-bit BGRA-in-memory like ours.
class X11Presenter
{
public:
  // The window must stay alive while the presenter exists. width x height is the largest area
  // shown at once (the window's size).
  X11Presenter(_XDisplay* display, unsigned long window, int width, int height);
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Shows src's rect; false when the rectangle lies outside the bitmap or the window's area.
  bool Put(Raster_IBitmap* src, const IBounds& rect);
  bool SharedMemory() const { return mShared != nullptr; }

private:
  struct Shared;
  bool AttachShared();
  void DetachShared();
  unsigned long PixelOf(uint32_t argb) const;
  // Copies (converting where needed) src's rect into the image at the same position.
  void Fill(void* image, Raster_IBitmap* src, const IBounds& rect) const;

  _XDisplay* mDisplay;
  unsigned long mWindow;
  int mWidth;
  int mHeight;
  void* mGc = nullptr;
  void* mVisual = nullptr;
  int mDepth = 0;
  bool mSameLayout = false;  // the server's pixels look like ours in memory
  Shared* mShared = nullptr;
};
