// Linux library loading for the VST2 host: dlopen, dlsym, dlclose.
#include "tools/host/vst2/Vst2Library.h"

#include <dlfcn.h>

namespace quilhost {

void* loadLibraryFile(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        error = "cannot load '" + path + "': " + (reason ? reason : "unknown error");
    }
    return library;
}

void* librarySymbol(void* library, const char* name) { return dlsym(library, name); }

void unloadLibraryFile(void* library) { dlclose(library); }

} // namespace quilhost
