// Windows module loading: LoadLibrary, then InitDll (optional) before GetPluginFactory is called;
// ExitDll (optional) after the factory is released, then FreeLibrary. Exports are looked up by
// their plain names, as hosts do.
#include "tools/host/ModuleLoader.h"

#include <windows.h>

#include <filesystem>

namespace quilhost {

namespace {
using InitDllFunction = bool (*)();

template <class F>
F exported(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
} // namespace

std::unique_ptr<Vst3Module> Vst3Module::open(const std::string& path, std::string& error) {
    std::unique_ptr<Vst3Module> module(new Vst3Module);
    module->mBinaryPath = locateModuleBinary(path, error);
    if (module->mBinaryPath.empty()) return nullptr;
    const std::wstring widePath = std::filesystem::path(module->mBinaryPath).wstring();
    HMODULE library = LoadLibraryW(widePath.c_str());
    if (!library) {
        error = "cannot load '" + module->mBinaryPath + "' (Windows error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    module->mLibrary = library;
    auto getFactory = exported<GetFactoryFunction>(library, "GetPluginFactory");
    if (!getFactory) {
        error = "'" + module->mBinaryPath + "' does not export GetPluginFactory";
        return nullptr;
    }
    if (auto init = exported<InitDllFunction>(library, "InitDll"); init && !init()) {
        error = "InitDll of '" + module->mBinaryPath + "' reported failure";
        return nullptr;
    }
    module->mExit = exported<InitDllFunction>(library, "ExitDll");
    if (!module->takeFactory(getFactory, error)) return nullptr;
    return module;
}

void Vst3Module::unloadLibrary() {
    FreeLibrary(static_cast<HMODULE>(mLibrary));
}

} // namespace quilhost
