#pragma once

// The editor host a build hands to its hosts, chosen when compiling: the Windows window host in
// Windows builds, the X11 window host on Linux, and the window-less host where
// QUIL_EDITOR_OFFSCREEN asks for it (tests and tools that look at the editor without a window system).
#if defined(QUIL_EDITOR_OFFSCREEN)
#include "editor/offscreen/IGraphicsOffscreen.h"
using IGraphicsPlatform = IGraphicsOffscreen;
#elif defined(_WIN32)
#include "editor/win/IGraphicsWin.h"
using IGraphicsPlatform = IGraphicsWin;
#else
#include "editor/x11/IGraphicsX11.h"
using IGraphicsPlatform = IGraphicsX11;
#endif
