#include "editor/x11/X11Canvas.h"

#include "editor/x11/X11Presenter.h"
#include "raster/Blit.h"
#include "raster/Raster_CachedFont.h"

#include <X11/Xlib.h>

#include <algorithm>

X11Canvas::X11Canvas(Display* display, unsigned long parent, const IBounds& area, Kind kind, long eventMask)
    : mDisplay(display), mArea(area)
{
  const int w = std::max(1, area.Width()), h = std::max(1, area.Height());
  if (!mPixels.SetSize(w, h) && !mPixels.PixelData()) return;
  XSetWindowAttributes attributes{};
  attributes.event_mask = eventMask;
  attributes.background_pixmap = None;
  attributes.override_redirect = kind == Kind::Popup ? True : False;
  attributes.save_under = kind == Kind::Popup ? True : False;
  const unsigned long mask = CWEventMask | CWBackPixmap | CWOverrideRedirect | CWSaveUnder;
  const ::Window container = kind == Kind::Child ? parent : DefaultRootWindow(display);
  mWindow = XCreateWindow(display, container, area.left, area.top, static_cast<unsigned>(w), static_cast<unsigned>(h),
                          0, CopyFromParent, InputOutput, CopyFromParent, mask, &attributes);
  if (kind == Kind::Dialog && parent) XSetTransientForHint(display, mWindow, parent);
  if (mWindow) mPresenter = std::make_unique<X11Presenter>(display, mWindow, w, h);
}

X11Canvas::~X11Canvas()
{
  mPresenter.reset();
  if (mWindow) XDestroyWindow(mDisplay, mWindow);
  XFlush(mDisplay);
}

void X11Canvas::Fill(const IBounds& rect, uint32_t colour)
{
  Raster_FillBox(&mPixels, rect.left, rect.top, rect.Width(), rect.Height(), colour, 1.0f, kBlitCopy);
}

void X11Canvas::Text(Raster_CachedFont* font, const char* text, const IBounds& rect, int alignFlags, uint32_t colour)
{
  if (!font || !text || !text[0]) return;
  // Drawn into a strip of its own first, so that nothing spills out of rect.
  Raster_MemBitmap strip(std::max(1, rect.Width()), std::max(1, rect.Height()));
  IBounds whole(0, 0, rect.Width(), rect.Height());
  Raster_Composite(&strip, &mPixels, 0, 0, &rect, 1.0f, kBlitCopy);
  font->SetInkColour(colour);
  font->DrawTextRun(&strip, text, -1, &whole,
                    alignFlags | Raster_IFont::kTextSingleLine | Raster_IFont::kTextVCentre | Raster_IFont::kTextNoClip);
  Raster_Composite(&mPixels, &strip, rect.left, rect.top, nullptr, 1.0f, kBlitCopy);
}

void X11Canvas::Map()
{
  XMapRaised(mDisplay, mWindow);
  Present();
}

void X11Canvas::Present()
{
  if (mPresenter) mPresenter->Put(&mPixels, IBounds(0, 0, mPixels.PixelWidth(), mPixels.PixelHeight()));
}

int TextWidth(Raster_CachedFont* font, const char* text, int length)
{
  if (!font || !text || !text[0] || length == 0) return 0;
  Raster_MemBitmap scratch(1, 1);
  IBounds extent;
  font->DrawTextRun(&scratch, text, length, &extent,
                    Raster_IFont::kTextSingleLine | Raster_IFont::kTextMeasure);
  return extent.Width();
}
