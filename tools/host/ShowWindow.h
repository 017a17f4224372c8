#pragma once
// The host's own top-level window for `show`: one per platform (Win32 on Windows, Xlib on Linux).
// It holds the plug-in's view in its client area, pumps the window system's messages, delivers
// scripted input as real input and reads its client area back.

#include "adapters/vst3/api/FUnknown.h"
#include "tools/host/ShowEvents.h"

#include <cstdint>
#include <memory>
#include <string>

class Raster_MemBitmap;

namespace quilhost {

// What the client area shows where no view has painted yet (0xAARRGGBB). The window paints it
// before create() returns, so a capture that differs from it shows the view's first paint.
constexpr std::uint32_t kShowBackground = 0xFF00FF00u;

class ShowWindow {
public:
    // A visible window whose client area is width x height pixels. Null, with `error` saying why,
    // when the window system refuses (for instance, no display).
    static std::unique_ptr<ShowWindow> create(int width, int height, const std::string& title, std::string& error);

    virtual ~ShowWindow() = default;

    // The parent handed to the plug-in's view, and its platform type ("HWND", "X11EmbedWindowID").
    virtual void* nativeHandle() = 0;
    virtual const char* platformType() const = 0;

    // Handles the window system's messages (the plug-in's timers among them) for about `ms`
    // milliseconds; 0 handles what is pending. False once the user closed the window.
    virtual bool pump(int ms) = 0;

    // Delivers one event to the window as real input at client position (x, y), modifiers held
    // for its duration. False, with `error` set, when the window system refused it. Called from a
    // thread of its own while the window's thread pumps: a popup menu or dialog the input opens
    // runs a modal loop inside pump() and must still receive the events that follow.
    virtual bool inject(const ShowEvent& event, std::string& error) = 0;

    // Reads the client area's current pixels (opaque). False when they cannot be read.
    virtual bool capture(Raster_MemBitmap& pixels) = 0;

    // Resizes the client area (a view asking its frame for a new size).
    virtual bool resizeClient(int width, int height) = 0;

    // Further interfaces the window offers the view through the host's frame (a run loop where the
    // platform needs one). Answers what it knows with *obj set and a reference added.
    virtual bool queryInterface(const vst3::TUID /*iid*/, void** /*obj*/) { return false; }
};

} // namespace quilhost
