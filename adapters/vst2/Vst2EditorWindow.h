#pragma once
// Whether this build can show the editor in a host's window: a VST2 host is told about the editor
// (effFlagsHasEditor, effEditOpen answering 1) only where a native window host builds it, so that no
// host ever opens an editor that shows nothing. One switch per platform.

#if defined(_WIN32)
#define QUIL_VST2_EDITOR_WINDOW 0  // 1 once the editor is built on the Win32 window host
#else
#define QUIL_VST2_EDITOR_WINDOW 0  // 1 once the editor is built on the X11 window host
#endif
