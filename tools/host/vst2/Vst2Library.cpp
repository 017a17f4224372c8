#include "tools/host/vst2/Vst2Library.h"

#include <filesystem>

namespace quilhost {

namespace {

vst2::EntryFunction entryOf(void* library) {
    void* entry = librarySymbol(library, "VSTPluginMain");
    if (!entry) entry = librarySymbol(library, "main");
    return reinterpret_cast<vst2::EntryFunction>(entry);
}

} // namespace

std::unique_ptr<Vst2Library> Vst2Library::open(const std::string& path, std::string& error) {
    std::unique_ptr<Vst2Library> library(new Vst2Library);
    library->mPath = path;
    library->mLibrary = loadLibraryFile(path, error);
    if (!library->mLibrary) return nullptr;
    library->mEntry = entryOf(library->mLibrary);
    if (!library->mEntry) {
        error = "'" + path + "' exports neither VSTPluginMain nor main";
        return nullptr;
    }
    return library;
}

Vst2Library::~Vst2Library() {
    if (mLibrary) unloadLibraryFile(mLibrary);
}

bool isVst2Library(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::string ignored;
    void* library = loadLibraryFile(path, ignored);
    if (!library) return false;
    const bool vst2 = entryOf(library) && !librarySymbol(library, "GetPluginFactory");
    unloadLibraryFile(library);
    return vst2;
}

} // namespace quilhost
