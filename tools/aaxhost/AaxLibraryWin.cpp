#include "tools/aaxhost/AaxLibrary.h"

#include <windows.h>

namespace aaxhost {

std::string locateAaxBinary(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    std::string folder = path;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    const std::size_t slash = folder.find_last_of("/\\");
    const std::string name = folder.substr(slash == std::string::npos ? 0 : slash + 1);
    return folder + "\\Contents\\x64\\" + name;
}

void* openLibrary(const std::string& path, std::string& error) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(library);
}

void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

} // namespace aaxhost
