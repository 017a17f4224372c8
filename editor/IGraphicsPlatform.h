#pragma once

// The editor platform a build hands to hosts, chosen when it is compiled: the X11 window host on
// Linux. Builds that define QUIL_EDITOR_OFFSCREEN (tests and tools) get the window-less host.
#if defined(QUIL_EDITOR_OFFSCREEN) || defined(_WIN32)
#include "editor/offscreen/IGraphicsOffscreen.h"
using IGraphicsPlatform = IGraphicsOffscreen;
#else
#include "editor/x11/IGraphicsX11.h"
using IGraphicsPlatform = IGraphicsX11;
#endif
