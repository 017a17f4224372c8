#pragma once
// Whether this build can show the editor in a host's window: a VST2 host is told about the editor
// (effFlagsHasEditor, effEditOpen answering 1) only where a native window host builds it, so that no
// host ever opens an editor that shows nothing. One switch per platform.

#if defined(_WIN32)
#define QUIL_VST2_EDITOR_WINDOW 1  // the Win32 window host: a child of the host's HWND
#elif defined(__linux__)
#define QUIL_VST2_EDITOR_WINDOW 1  // the X11 window host: a child of the host's window id
#else
#define QUIL_VST2_EDITOR_WINDOW 0  // no window host here
#endif
