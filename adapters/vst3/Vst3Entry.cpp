// The module entry of a VST3 deliverable: the exports hosts look up (GetPluginFactory; InitDll
// and ExitDll on Windows; ModuleEntry and ModuleExit on Linux), the one factory and its class,
// and instance creation under the process-wide lock.
#include "adapters/vst3/Vst3Entry.h"

#include "adapters/vst3/base/PluginFactory.h"
#include "adapters/vst3/base/Utf16.h"
#include "core/ModuleHandle.h"

#include <cstring>
#include <mutex>
#include <new>

#ifdef _WIN32
#include <windows.h>
#define QUIL_VST3_EXPORT extern "C" __declspec(dllexport)
#else
#define QUIL_VST3_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using namespace vst3;

namespace {

// The SDK version this adapter's behaviour follows, announced in the class record.
constexpr const char* kSdkVersion = "VST 3.5.2";

void* gRecordedModule = nullptr;
CPluginFactory* gFactory = nullptr;

// Created on first use; destroyed with the library's static objects.
std::mutex& instanceLock() {
    static std::mutex lock;
    return lock;
}

FUnknown* CreatePluginInstance(void*) {
    std::lock_guard<std::mutex> hold(instanceLock());
    try {
        IEffectVST3* plugin = CreateVst3Plugin();
        return static_cast<IAudioProcessor*>(plugin);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PFactoryInfo factoryInfo(const Vst3ClassDescription& description) {
    PFactoryInfo info{};
    copyToField(info.vendor, sizeof info.vendor, description.vendor);
    copyToField(info.url, sizeof info.url, description.url);
    copyToField(info.email, sizeof info.email, description.email);
    info.flags = PFactoryInfo::kUnicode;
    return info;
}

PClassInfo2 classInfo(const Vst3ClassDescription& description) {
    PClassInfo2 info{};
    const Uid cid = Uid::fromWords(description.words[0], description.words[1], description.words[2], description.words[3]);
    std::memcpy(info.cid, cid.bytes, sizeof(TUID));
    info.cardinality = kManyInstances;
    copyToField(info.category, sizeof info.category, "Audio Module Class");
    copyToField(info.name, sizeof info.name, description.name);
    info.classFlags = kSimpleModeSupported;
    copyToField(info.subCategories, sizeof info.subCategories, description.subCategories);
    copyToField(info.vendor, sizeof info.vendor, "");
    copyToField(info.version, sizeof info.version, description.version);
    copyToField(info.sdkVersion, sizeof info.sdkVersion, kSdkVersion);
    return info;
}

} // namespace

QUIL_VST3_EXPORT IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (gFactory) {
        gFactory->addRef();
        return gFactory;
    }
    const Vst3ClassDescription& description = Vst3PluginClass();
    static const PFactoryInfo info = factoryInfo(description);
    static const PClassInfo2 record = classInfo(description);
    gFactory = new (std::nothrow) CPluginFactory(info);
    if (!gFactory) return nullptr;
    gFactory->setOwnerSlot(&gFactory);
    gFactory->registerClass(record, CreatePluginInstance, nullptr);
    return gFactory;
}

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gRecordedModule = instance;
    return TRUE;
}

QUIL_VST3_EXPORT bool InitDll() {
    ModuleHandle = gRecordedModule;
    return true;
}

QUIL_VST3_EXPORT bool ExitDll() { return true; }
#else
QUIL_VST3_EXPORT bool ModuleEntry(void* sharedLibraryHandle) {
    gRecordedModule = sharedLibraryHandle;
    ModuleHandle = gRecordedModule;
    return true;
}

QUIL_VST3_EXPORT bool ModuleExit() { return true; }
#endif
