#pragma once
// The module's class factory: the factory information, the registered classes with their create
// functions, and instance creation on the host's request.

#include "adapters/vst3/api/PluginFactory.h"

#include <atomic>
#include <vector>

namespace vst3 {

class CPluginFactory final : public IPluginFactory3 {
public:
    // Makes an instance of a registered class with one reference owned by the caller, or null.
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    CPluginFactory(const CPluginFactory&) = delete;
    CPluginFactory& operator=(const CPluginFactory&) = delete;

    // False when `create` is null or the class identifier is registered already.
    bool registerClass(const PClassInfo2& info, CreateFunction create, void* context);

    // A module keeps its one factory in `slot`; the factory empties it when it is destroyed, so
    // the module builds a fresh factory on the next request.
    void setOwnerSlot(CPluginFactory** slot) { mOwnerSlot = slot; }

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
    int32 PLUGIN_API countClasses() override;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iidBytes, void** obj) override;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
    tresult PLUGIN_API setHostContext(FUnknown* context) override;

private:
    struct ClassEntry {
        PClassInfo2 info;
        CreateFunction create;
        void* context;
    };

    ~CPluginFactory();
    const ClassEntry* entryAt(int32 index) const;

    std::atomic<uint32> mRefCount{1};
    PFactoryInfo mFactoryInfo;
    std::vector<ClassEntry> mClasses;
    CPluginFactory** mOwnerSlot = nullptr;
};

} // namespace vst3
