#pragma once
// The test's own side of the X server: host windows to open editors in, real input through the
// XTest extension (as a user's would arrive) and the pixels a window shows, read back.

#include "raster/MemBitmap.h"

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <string>
#include <memory>
#include <vector>

class X11TestDisplay
{
public:
  X11TestDisplay();
  ~X11TestDisplay();
  X11TestDisplay(const X11TestDisplay&) = delete;
  X11TestDisplay& operator=(const X11TestDisplay&) = delete;

  Display* display() const { return mDisplay; }
  bool HasInputExtension() const { return mHasTest; }

  // A mapped top-level window at (x, y) of the screen, as a host's editor frame.
  Window MakeHostWindow(int x, int y, int w, int h);
  void DestroyWindow(Window window);

  // Input at a position of `window` (translated to the screen).
  void MoveTo(Window window, int x, int y);
  void Press(int button = 1);
  void Release(int button = 1);
  void Click(Window window, int x, int y, int button = 1);
  void HoldKey(KeySym key, bool down);
  void TypeKey(KeySym key);

  // What `window` shows, read back from the server; empty when it cannot be read.
  std::unique_ptr<Raster_MemBitmap> Grab(Window window);
  // The windows directly inside `window`, and all windows below the root.
  std::vector<Window> Children(Window window);
  int CountAllWindows();
  // Mapped popup windows (not managed by a window manager) on the root, other than `except` and
  // this connection's own windows.
  std::vector<Window> MappedPopups(Window except = 0);
  // What all clients of the server hold, counted by resource type name ("WINDOW", "PIXMAP", "GC",
  // ...), plus the number of clients under "clients". Empty when the server lacks the X-Resource
  // extension.
  std::map<std::string, unsigned long> ServerResources();
  // Polls `ready` every few milliseconds, pumping `pump` in between, for at most timeoutMs.
  static bool WaitFor(const std::function<bool()>& ready, const std::function<void()>& pump, int timeoutMs = 2000);

private:
  Display* mDisplay = nullptr;
  bool mHasTest = false;
  std::vector<Window> mWindows;
};
