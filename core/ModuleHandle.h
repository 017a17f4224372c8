#pragma once

// The plug-in library's own module (an HMODULE on Windows). Each library entry records it so that
// the editor can register its window class and find the images embedded in this very library,
// whichever host process loaded it.
inline void* ModuleHandle = nullptr;
