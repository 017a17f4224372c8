// Windows library loading for the VST2 host: LoadLibrary, exports by their plain names, FreeLibrary.
#include "tools/host/vst2/Vst2Library.h"

#include <windows.h>

#include <filesystem>

namespace quilhost {

void* loadLibraryFile(const std::string& path, std::string& error) {
    HMODULE library = LoadLibraryW(std::filesystem::path(path).wstring().c_str());
    if (!library) error = "cannot load '" + path + "' (Windows error " + std::to_string(GetLastError()) + ")";
    return library;
}

void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unloadLibraryFile(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

} // namespace quilhost
