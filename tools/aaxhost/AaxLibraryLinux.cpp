#include "tools/aaxhost/AaxLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace aaxhost {

std::string locateAaxBinary(const std::string& path) {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return path;
    std::string folder = path;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    const std::size_t slash = folder.find_last_of('/');
    std::string name = folder.substr(slash == std::string::npos ? 0 : slash + 1);
    name = name.substr(0, name.rfind('.'));
    return folder + "/Contents/x86_64-linux/" + name + ".so";
}

void* openLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = dlerror();
    return library;
}

void* librarySymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

} // namespace aaxhost
