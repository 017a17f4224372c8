#include "editor/x11/X11Presenter.h"

#include "editor/x11/X11Errors.h"
#include "raster/Bitmap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

struct X11Presenter::Shared {
  XShmSegmentInfo segment{};
  XImage* image = nullptr;
};

namespace {

int ShiftOf(unsigned long mask)
{
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int BitsOf(unsigned long mask)
{
  int bits = 0;
  for (; mask; mask >>= 1) bits += mask & 1;
  return bits;
}

unsigned long Place(uint32_t channel, unsigned long mask)
{
  const int bits = BitsOf(mask);
  const unsigned long value = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
  return (value << ShiftOf(mask)) & mask;
}

bool LittleEndianHost()
{
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

} // namespace

X11Presenter::X11Presenter(Display* display, unsigned long window, int width, int height)
    : mDisplay(display), mWindow(window), mWidth(width), mHeight(height)
{
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  mVisual = attributes.visual;
  mDepth = attributes.depth;
  mGc = XCreateGC(display, window, 0, nullptr);
  const Visual* visual = attributes.visual;
  mSameLayout = visual && visual->c_class == TrueColor && visual->red_mask == 0xff0000 &&
                visual->green_mask == 0xff00 && visual->blue_mask == 0xff && (mDepth == 24 || mDepth == 32) &&
                LittleEndianHost() && ImageByteOrder(display) == LSBFirst;
  if (!AttachShared()) DetachShared();
}

X11Presenter::~X11Presenter()
{
  DetachShared();
  if (mGc) XFreeGC(mDisplay, static_cast<GC>(mGc));
}

bool X11Presenter::AttachShared()
{
  if (!XShmQueryExtension(mDisplay) || mWidth <= 0 || mHeight <= 0) return false;
  mShared = new Shared;
  mShared->image = XShmCreateImage(mDisplay, static_cast<Visual*>(mVisual), static_cast<unsigned>(mDepth), ZPixmap,
                                   nullptr, &mShared->segment, static_cast<unsigned>(mWidth),
                                   static_cast<unsigned>(mHeight));
  if (!mShared->image) return false;
  const size_t bytes = static_cast<size_t>(mShared->image->bytes_per_line) * static_cast<size_t>(mHeight);
  mShared->segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (mShared->segment.shmid < 0) return false;
  void* memory = shmat(mShared->segment.shmid, nullptr, 0);
  if (memory == reinterpret_cast<void*>(-1)) {
    shmctl(mShared->segment.shmid, IPC_RMID, nullptr);
    mShared->segment.shmid = -1;
    return false;
  }
  mShared->segment.shmaddr = mShared->image->data = static_cast<char*>(memory);
  mShared->segment.readOnly = False;
  // A server on another machine cannot reach our memory and says so with an error.
  const unsigned long before = X11Errors::Count(mDisplay);
  const bool attached = XShmAttach(mDisplay, &mShared->segment) && !X11Errors::FailedSince(mDisplay, before);
  // Removed now, the segment goes away with its last user, even if this process dies.
  shmctl(mShared->segment.shmid, IPC_RMID, nullptr);
  if (!attached) mShared->segment.shmid = -1;
  return attached;
}

void X11Presenter::DetachShared()
{
  if (!mShared) return;
  if (mShared->segment.shmid >= 0 && mShared->segment.shmaddr) {
    XShmDetach(mDisplay, &mShared->segment);
    XSync(mDisplay, False);
  }
  if (mShared->segment.shmaddr) shmdt(mShared->segment.shmaddr);
  if (mShared->image) {
    mShared->image->data = nullptr;
    XDestroyImage(mShared->image);
  }
  delete mShared;
  mShared = nullptr;
}

unsigned long X11Presenter::PixelOf(uint32_t argb) const
{
  const Visual* visual = static_cast<const Visual*>(mVisual);
  return Place((argb >> 16) & 0xff, visual->red_mask) | Place((argb >> 8) & 0xff, visual->green_mask) |
         Place(argb & 0xff, visual->blue_mask);
}

void X11Presenter::Fill(void* target, Raster_IBitmap* src, const IBounds& rect) const
{
  XImage* image = static_cast<XImage*>(target);
  const uint32_t* pixels = src->PixelData();
  const int rowPixels = src->RowPixels();
  const int height = src->PixelHeight();
  for (int y = rect.top; y < rect.bottom; ++y) {
    const int row = src->RowsBottomUp() ? height - 1 - y : y;
    const uint32_t* from = pixels + static_cast<size_t>(row) * static_cast<size_t>(rowPixels);
    if (mSameLayout) {
      char* to = image->data + static_cast<size_t>(y) * static_cast<size_t>(image->bytes_per_line);
      std::memcpy(to + rect.left * 4, from + rect.left, static_cast<size_t>(rect.Width()) * 4);
      continue;
    }
    for (int x = rect.left; x < rect.right; ++x) XPutPixel(image, x, y, PixelOf(from[x]));
  }
}

bool X11Presenter::Put(Raster_IBitmap* src, const IBounds& rect)
{
  if (!src || !src->PixelData() || rect.left < 0 || rect.top < 0 || rect.Width() <= 0 || rect.Height() <= 0 ||
      rect.right > src->PixelWidth() || rect.bottom > src->PixelHeight() || rect.right > mWidth ||
      rect.bottom > mHeight)
    return false;
  GC gc = static_cast<GC>(mGc);
  const unsigned w = static_cast<unsigned>(rect.Width()), h = static_cast<unsigned>(rect.Height());
  if (mShared) {
    Fill(mShared->image, src, rect);
    XShmPutImage(mDisplay, mWindow, gc, mShared->image, rect.left, rect.top, rect.left, rect.top, w, h, False);
    // The segment is written again by the next frame: wait until the server has read this one.
    XSync(mDisplay, False);
    return true;
  }
  XImage* image = XCreateImage(mDisplay, static_cast<Visual*>(mVisual), static_cast<unsigned>(mDepth), ZPixmap, 0,
                               nullptr, static_cast<unsigned>(mWidth), static_cast<unsigned>(mHeight), 32, 0);
  if (!image) return false;
  const bool borrow = mSameLayout && !src->RowsBottomUp() && src->PixelWidth() == mWidth;
  if (borrow) {
    // Our pixels are already what the server wants: the image only describes them.
    image->data = reinterpret_cast<char*>(src->PixelData());
    image->bytes_per_line = src->RowPixels() * 4;
    image->height = src->PixelHeight();
  } else {
    image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), static_cast<size_t>(mHeight)));
    if (!image->data) {
      XDestroyImage(image);
      return false;
    }
    Fill(image, src, rect);
  }
  XPutImage(mDisplay, mWindow, gc, image, rect.left, rect.top, rect.left, rect.top, w, h);
  if (borrow) image->data = nullptr;
  XDestroyImage(image);
  XFlush(mDisplay);
  return true;
}
