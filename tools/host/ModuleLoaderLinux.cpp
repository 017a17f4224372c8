// Linux module loading: dlopen, then ModuleEntry with the library handle before the factory is
// fetched; ModuleExit after the factory is released. Hosts refuse a module that lacks any of the
// three exports.
#include "tools/host/ModuleLoader.h"

#include <dlfcn.h>

namespace quilhost {

namespace {
using ModuleEntryFunction = bool (*)(void*);
using ModuleExitFunction = bool (*)();
} // namespace

std::unique_ptr<Vst3Module> Vst3Module::open(const std::string& path, std::string& error) {
    std::unique_ptr<Vst3Module> module(new Vst3Module);
    module->mBinaryPath = locateModuleBinary(path, error);
    if (module->mBinaryPath.empty()) return nullptr;
    module->mLibrary = dlopen(module->mBinaryPath.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!module->mLibrary) {
        const char* reason = dlerror();
        error = "cannot load '" + module->mBinaryPath + "': " + (reason ? reason : "unknown error");
        return nullptr;
    }
    auto entry = reinterpret_cast<ModuleEntryFunction>(dlsym(module->mLibrary, "ModuleEntry"));
    auto exit = reinterpret_cast<ModuleExitFunction>(dlsym(module->mLibrary, "ModuleExit"));
    auto getFactory = reinterpret_cast<GetFactoryFunction>(dlsym(module->mLibrary, "GetPluginFactory"));
    for (const auto& [symbol, found] : {std::pair<const char*, bool>{"ModuleEntry", entry != nullptr},
                                        {"ModuleExit", exit != nullptr},
                                        {"GetPluginFactory", getFactory != nullptr}}) {
        if (!found) {
            error = "'" + module->mBinaryPath + "' does not export " + symbol;
            return nullptr;
        }
    }
    if (!entry(module->mLibrary)) {
        error = "ModuleEntry of '" + module->mBinaryPath + "' reported failure";
        return nullptr;
    }
    module->mExit = exit;
    if (!module->takeFactory(getFactory, error)) return nullptr;
    return module;
}

void Vst3Module::unloadLibrary() {
    dlclose(mLibrary);
}

} // namespace quilhost
