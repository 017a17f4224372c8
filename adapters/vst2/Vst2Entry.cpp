// The library entry of a VST2 deliverable: the exported entry point (VSTPluginMain, also exported
// as main), instance creation under the process-wide lock, and the record of this library's module
// handle for the editor's window class and images.
#include "adapters/vst2/Vst2Entry.h"

#include "core/ModuleHandle.h"

#include <mutex>
#include <new>

#ifdef _WIN32
#include <windows.h>
// Exported through the module-definition file, which also names it `main`.
#define QUIL_VST2_EXPORT extern "C"
#else
#include <dlfcn.h>
#define QUIL_VST2_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using namespace vst2;

namespace {

// Created on first use; destroyed with the library's static objects.
std::mutex& instanceLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

QUIL_VST2_EXPORT QUIL_VST2_HOST_ENTRY AEffect* QUIL_VST2_CALL VSTPluginMain(HostCallback host) {
    std::lock_guard<std::mutex> hold(instanceLock());
    try {
        IEffectVST* plugin = CreateVst2Plugin(host);
        if (!plugin) return nullptr;
        plugin->FinishCreation();
        return plugin->Effect();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    ModuleHandle = instance;
    return TRUE;
}
#else
// The older entry name; a C++ function may not be called main, so the symbol is an alias.
QUIL_VST2_EXPORT AEffect* VstMainAlias(HostCallback host) __asm__("main") __attribute__((alias("VSTPluginMain")));

namespace {

// Linux has no library entry with the handle: look this library up by an address inside it.
__attribute__((constructor)) void RecordModuleHandle() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&RecordModuleHandle), &info) || !info.dli_fname) return;
    void* self = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!self) return;
    ModuleHandle = self;
    // Only a lookup: the library stays loaded for as long as the host keeps it.
    dlclose(self);
}

}  // namespace
#endif
