#include "editor/x11/X11Errors.h"

#include <X11/Xlib.h>

#include <mutex>
#include <vector>

namespace {

struct Watched {
  Display* display;
  unsigned long errors;
};

std::mutex& Lock()
{
  static std::mutex lock;
  return lock;
}

std::vector<Watched>& WatchedDisplays()
{
  static std::vector<Watched> displays;
  return displays;
}

XErrorHandler& PreviousHandler()
{
  static XErrorHandler previous = nullptr;
  return previous;
}

int CountingHandler(Display* display, XErrorEvent* error)
{
  XErrorHandler previous = nullptr;
  {
    std::lock_guard<std::mutex> hold(Lock());
    for (Watched& watched : WatchedDisplays()) {
      if (watched.display == display) {
        ++watched.errors;
        return 0;
      }
    }
    previous = PreviousHandler();
  }
  return previous ? previous(display, error) : 0;
}

} // namespace

namespace X11Errors
{

void Watch(Display* display)
{
  std::lock_guard<std::mutex> hold(Lock());
  if (WatchedDisplays().empty()) PreviousHandler() = XSetErrorHandler(CountingHandler);
  WatchedDisplays().push_back({display, 0});
}

void Unwatch(Display* display)
{
  std::lock_guard<std::mutex> hold(Lock());
  auto& displays = WatchedDisplays();
  for (auto it = displays.begin(); it != displays.end(); ++it) {
    if (it->display == display) {
      displays.erase(it);
      break;
    }
  }
  if (!displays.empty()) return;
  // Our handler must not outlive the library; a handler someone installed after ours stays.
  const XErrorHandler current = XSetErrorHandler(PreviousHandler());
  if (current != CountingHandler) XSetErrorHandler(current);
  PreviousHandler() = nullptr;
}

unsigned long Count(Display* display)
{
  std::lock_guard<std::mutex> hold(Lock());
  for (const Watched& watched : WatchedDisplays())
    if (watched.display == display) return watched.errors;
  return 0;
}

bool FailedSince(Display* display, unsigned long before)
{
  XSync(display, False);
  return Count(display) != before;
}

} // namespace X11Errors
