// The module entry of an AAX deliverable: the seven exports hosts look up, by undecorated name.
// Each catches everything: no exception may reach the host.
#include "adapters/aax/support/AcfModule.h"
#include "adapters/aax/support/CACFUnknown.h"
#include "core/ModuleHandle.h"

#include <mutex>

#ifdef _WIN32
#include <windows.h>
#define QUIL_ACF_EXPORT extern "C" __declspec(dllexport)
#else
#define QUIL_ACF_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using namespace aax;

namespace {

// The host services taken at start-up, given back at shut-down.
std::mutex& servicesLock() {
    static std::mutex lock;
    return lock;
}
HostRef<AAX_IACFHostServices>& hostServices() {
    static HostRef<AAX_IACFHostServices> services;
    return services;
}

template <class Body>
int32_t exported(Body&& body) noexcept {
    return guardedCall(ACF_E_UNEXPECTED, body);
}

} // namespace

QUIL_ACF_EXPORT int32_t ACFRegisterPlugin(IACFUnknown* hostUnknown, IACFPluginDefinition** definition) {
    return exported([&] {
        if (!definition) return ACF_E_POINTER;
        AAX_VCollection collection(hostUnknown);
        const int32_t result = DescribePlugin(&collection);
        if (result != AAX_SUCCESS) return result;
        *definition = collection.PluginDefinition();
        return *definition ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
    });
}

QUIL_ACF_EXPORT int32_t ACFRegisterComponent(IACFUnknown*, uint32_t, IACFComponentDefinition** definition) {
    return exported([&] {
        if (definition) *definition = nullptr;
        return ACF_OK;
    });
}

QUIL_ACF_EXPORT int32_t ACFGetClassFactory(IACFUnknown*, const acfCLSID*, const acfIID*, void** out) {
    return exported([&] {
        if (out) *out = nullptr;
        return AAX_ERROR_UNIMPLEMENTED;
    });
}

QUIL_ACF_EXPORT int32_t ACFCanUnloadNow(IACFUnknown*) {
    return exported([] { return CACFUnknown::LiveObjectCount(); });
}

QUIL_ACF_EXPORT int32_t ACFStartup(IACFUnknown* hostUnknown) {
    return exported([&] {
        HostRef<IACFComponentFactory> factory(queryHostInterface<IACFComponentFactory>(hostUnknown, IID_IACFComponentFactory));
        void* services = nullptr;
        if (factory && factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1, &services) != ACF_OK)
            services = nullptr;
        std::lock_guard<std::mutex> hold(servicesLock());
        hostServices().reset(static_cast<AAX_IACFHostServices*>(services));
        return ACF_OK;
    });
}

QUIL_ACF_EXPORT int32_t ACFShutdown(IACFUnknown*) {
    return exported([] {
        std::lock_guard<std::mutex> hold(servicesLock());
        hostServices().reset();
        return ACF_OK;
    });
}

QUIL_ACF_EXPORT int32_t ACFGetSDKVersion(uint64_t* version) {
    return exported([&] {
        if (!version) return ACF_E_POINTER;
        *version = kSdkVersion;
        return ACF_OK;
    });
}

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    ModuleHandle = instance;
    return TRUE;
}
#endif
