#pragma once

// The editor host a build hands to its hosts, chosen when compiling: the Windows window host in
// Windows builds, the window-less host where QUIL_EDITOR_OFFSCREEN asks for it (tests and tools
// that look at the editor without a window system) and in builds without a window host of their own.
#if defined(QUIL_EDITOR_OFFSCREEN) || !defined(_WIN32)
#include "editor/offscreen/IGraphicsOffscreen.h"
using IGraphicsPlatform = IGraphicsOffscreen;
#else
#include "editor/win/IGraphicsWin.h"
using IGraphicsPlatform = IGraphicsWin;
#endif
