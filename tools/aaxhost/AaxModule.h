#pragma once
// A loaded AAX module, driven as a host drives it: SDK version, registration (the description
// lands in the host's collection), component registration and start-up when opened; shut-down and
// unload when closed. Only the seven exports and the interfaces reach the module.

#include "adapters/aax/support/AaxHostInterfaces.h"
#include "tools/aaxhost/HostDescription.h"

#include <memory>
#include <string>

namespace aaxhost {

struct AaxExports {
    int32_t (*canUnloadNow)(aax::IACFUnknown*) = nullptr;
    int32_t (*getClassFactory)(aax::IACFUnknown*, const aax::acfCLSID*, const aax::acfIID*, void**) = nullptr;
    int32_t (*getSdkVersion)(uint64_t*) = nullptr;
    int32_t (*registerComponent)(aax::IACFUnknown*, uint32_t, aax::IACFComponentDefinition**) = nullptr;
    int32_t (*registerPlugin)(aax::IACFUnknown*, aax::IACFPluginDefinition**) = nullptr;
    int32_t (*shutdown)(aax::IACFUnknown*) = nullptr;
    int32_t (*startup)(aax::IACFUnknown*) = nullptr;
};

class AaxModule {
public:
    // Null, with `error` set, when the module cannot be loaded, lacks an export or fails to register.
    static std::unique_ptr<AaxModule> open(const std::string& path, std::string& error);
    // Shuts the module down (when not done yet) and unloads it.
    ~AaxModule();
    AaxModule(const AaxModule&) = delete;
    AaxModule& operator=(const AaxModule&) = delete;

    const AaxExports& exports() const { return mExports; }
    HostUnknown& host() { return mHost; }
    uint64_t sdkVersion() const { return mSdkVersion; }
    // What the module described; its one effect first.
    const CollectionRecord& collection() const { return mCollection; }
    const EffectRecord* effect() const;

    int32_t shutdown();
    int32_t canUnloadNow() { return mExports.canUnloadNow(&mHost); }

private:
    AaxModule() = default;
    bool resolveExports(std::string& error);

    void* mLibrary = nullptr;
    AaxExports mExports;
    HostUnknown mHost;
    CollectionRecord mCollection;
    uint64_t mSdkVersion = 0;
    bool mStarted = false;
};

} // namespace aaxhost
