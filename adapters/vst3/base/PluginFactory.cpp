#include "adapters/vst3/base/PluginFactory.h"

#include "adapters/vst3/base/Utf16.h"

#include <cstring>

namespace vst3 {
namespace {

// A 64-byte 8-bit field into a 64-unit UTF-16 field, even when the source fills its field.
void widenField(char16 (&dest)[64], const char8 (&source)[64]) {
    char terminated[65];
    std::memcpy(terminated, source, 64);
    terminated[64] = 0;
    copyUtf8ToUtf16(dest, 64, terminated);
}

} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : mFactoryInfo(info) {}

CPluginFactory::~CPluginFactory() {
    if (mOwnerSlot && *mOwnerSlot == this) *mOwnerSlot = nullptr;
}

bool CPluginFactory::registerClass(const PClassInfo2& info, CreateFunction create, void* context) {
    if (!create) return false;
    for (const ClassEntry& entry : mClasses) {
        if (std::memcmp(entry.info.cid, info.cid, sizeof(TUID)) == 0) return false;
    }
    mClasses.push_back(ClassEntry{info, create, context});
    return true;
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iidBytes, void** obj) {
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    if (!iidBytes) return kInvalidArgument;
    if (FUnknown::iid == iidBytes || IPluginFactory::iid == iidBytes || IPluginFactory2::iid == iidBytes ||
        IPluginFactory3::iid == iidBytes) {
        addRef();
        *obj = this;
        return kResultOk;
    }
    return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() { return ++mRefCount; }

uint32 PLUGIN_API CPluginFactory::release() {
    const uint32 remaining = --mRefCount;
    if (remaining == 0) delete this;
    return remaining;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (!info) return kInvalidArgument;
    *info = mFactoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(mClasses.size()); }

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= mClasses.size()) return nullptr;
    return &mClasses[static_cast<std::size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
    info->cardinality = entry->info.cardinality;
    std::memcpy(info->category, entry->info.category, sizeof info->category);
    std::memcpy(info->name, entry->info.name, sizeof info->name);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    *info = entry->info;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    const PClassInfo2& source = entry->info;
    *info = PClassInfoW{};
    std::memcpy(info->cid, source.cid, sizeof(TUID));
    info->cardinality = source.cardinality;
    std::memcpy(info->category, source.category, sizeof info->category);
    std::memcpy(info->subCategories, source.subCategories, sizeof info->subCategories);
    info->classFlags = source.classFlags;
    widenField(info->name, source.name);
    widenField(info->vendor, source.vendor);
    widenField(info->version, source.version);
    widenField(info->sdkVersion, source.sdkVersion);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iidBytes, void** obj) {
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iidBytes) return kInvalidArgument;
    for (const ClassEntry& entry : mClasses) {
        if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0) continue;
        FUnknown* instance = entry.create(entry.context);
        if (!instance) return kOutOfMemory;
        // The host gets its own reference through the query; the creation reference goes.
        const tresult result = instance->queryInterface(iidBytes, obj);
        instance->release();
        if (result != kResultOk) *obj = nullptr;
        return result == kResultOk ? kResultOk : kNoInterface;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown*) { return kNotImplemented; }

} // namespace vst3
