#include "tests/x11/X11TestDisplay.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <thread>

X11TestDisplay::X11TestDisplay()
{
  mDisplay = XOpenDisplay(nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  mHasTest = mDisplay && XTestQueryExtension(mDisplay, &event, &error, &major, &minor);
}

X11TestDisplay::~X11TestDisplay()
{
  if (!mDisplay) return;
  for (Window window : mWindows) XDestroyWindow(mDisplay, window);
  XCloseDisplay(mDisplay);
}

Window X11TestDisplay::MakeHostWindow(int x, int y, int w, int h)
{
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // placed exactly where asked, window manager or not
  attributes.background_pixel = 0x203040;
  const Window window = XCreateWindow(mDisplay, DefaultRootWindow(mDisplay), x, y, static_cast<unsigned>(w),
                                      static_cast<unsigned>(h), 0, CopyFromParent, InputOutput, CopyFromParent,
                                      CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(mDisplay, window);
  XSync(mDisplay, False);
  mWindows.push_back(window);
  return window;
}

void X11TestDisplay::DestroyWindow(Window window)
{
  XDestroyWindow(mDisplay, window);
  XSync(mDisplay, False);
  for (auto it = mWindows.begin(); it != mWindows.end(); ++it) {
    if (*it == window) {
      mWindows.erase(it);
      break;
    }
  }
}

void X11TestDisplay::MoveTo(Window window, int x, int y)
{
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(mDisplay, DefaultScreen(mDisplay), rootX, rootY, CurrentTime);
  XSync(mDisplay, False);
}

void X11TestDisplay::Press(int button)
{
  XTestFakeButtonEvent(mDisplay, static_cast<unsigned>(button), True, CurrentTime);
  XSync(mDisplay, False);
}

void X11TestDisplay::Release(int button)
{
  XTestFakeButtonEvent(mDisplay, static_cast<unsigned>(button), False, CurrentTime);
  XSync(mDisplay, False);
}

void X11TestDisplay::Click(Window window, int x, int y, int button)
{
  MoveTo(window, x, y);
  Press(button);
  Release(button);
}

void X11TestDisplay::HoldKey(KeySym key, bool down)
{
  XTestFakeKeyEvent(mDisplay, XKeysymToKeycode(mDisplay, key), down ? True : False, CurrentTime);
  XSync(mDisplay, False);
}

void X11TestDisplay::TypeKey(KeySym key)
{
  HoldKey(key, true);
  HoldKey(key, false);
}

std::unique_ptr<Raster_MemBitmap> X11TestDisplay::Grab(Window window)
{
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(mDisplay, window, &attributes)) return nullptr;
  XImage* image = XGetImage(mDisplay, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return nullptr;
  auto bitmap = std::make_unique<Raster_MemBitmap>(attributes.width, attributes.height);
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x)
      bitmap->PixelData()[y * bitmap->RowPixels() + x] =
          0xFF000000u | static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFu);
  XDestroyImage(image);
  return bitmap;
}

std::vector<Window> X11TestDisplay::Children(Window window)
{
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> result;
  if (XQueryTree(mDisplay, window, &root, &parent, &children, &count)) result.assign(children, children + count);
  if (children) XFree(children);
  return result;
}

int X11TestDisplay::CountAllWindows()
{
  int total = 0;
  std::vector<Window> pending{DefaultRootWindow(mDisplay)};
  while (!pending.empty()) {
    const Window window = pending.back();
    pending.pop_back();
    for (Window child : Children(window)) {
      ++total;
      pending.push_back(child);
    }
  }
  return total;
}

std::vector<Window> X11TestDisplay::MappedPopups(Window except)
{
  std::vector<Window> popups;
  for (Window window : Children(DefaultRootWindow(mDisplay))) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(mDisplay, window, &attributes)) continue;
    if (attributes.map_state == IsViewable && attributes.override_redirect && window != except &&
        std::find(mWindows.begin(), mWindows.end(), window) == mWindows.end())
      popups.push_back(window);
  }
  return popups;
}

bool X11TestDisplay::WaitFor(const std::function<bool()>& ready, const std::function<void()>& pump, int timeoutMs)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (pump) pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}
