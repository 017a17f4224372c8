#pragma once
// The module's factory interfaces and the class description records they fill.

#include "adapters/vst3/api/FUnknown.h"

#include <cstddef>

namespace vst3 {

struct PFactoryInfo {
    enum : int32 { kNoFlags = 0, kClassesDiscardable = 1 << 0, kComponentNonDiscardable = 1 << 3, kUnicode = 1 << 4 };
    char8 vendor[64];
    char8 url[256];
    char8 email[128];
    int32 flags;
};

constexpr int32 kManyInstances = 0x7FFFFFFF;

struct PClassInfo {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
};

struct PClassInfo2 {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
    uint32 classFlags;
    char8 subCategories[128];
    char8 vendor[64];
    char8 version[64];
    char8 sdkVersion[64];
};

struct PClassInfoW {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char16 name[64];
    uint32 classFlags;
    char8 subCategories[128];
    char16 vendor[64];
    char16 version[64];
    char16 sdkVersion[64];
};

static_assert(sizeof(PFactoryInfo) == 452 && alignof(PFactoryInfo) == 4, "PFactoryInfo layout");
static_assert(offsetof(PFactoryInfo, flags) == 448, "PFactoryInfo layout");
static_assert(sizeof(PClassInfo) == 116 && offsetof(PClassInfo, name) == 52, "PClassInfo layout");
static_assert(sizeof(PClassInfo2) == 440, "PClassInfo2 layout");
static_assert(offsetof(PClassInfo2, classFlags) == 116 && offsetof(PClassInfo2, subCategories) == 120, "PClassInfo2 layout");
static_assert(offsetof(PClassInfo2, sdkVersion) == 376, "PClassInfo2 layout");
static_assert(sizeof(PClassInfoW) == 696, "PClassInfoW layout");
static_assert(offsetof(PClassInfoW, classFlags) == 180 && offsetof(PClassInfoW, subCategories) == 184, "PClassInfoW layout");
static_assert(offsetof(PClassInfoW, vendor) == 312 && offsetof(PClassInfoW, sdkVersion) == 568, "PClassInfoW layout");

class IPluginFactory : public FUnknown {
public:
    virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 PLUGIN_API countClasses() = 0;
    virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
    virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString iidBytes, void** obj) = 0;
    static constexpr Uid iid = Uid::fromWords(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
};

class IPluginFactory2 : public IPluginFactory {
public:
    virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
    static constexpr Uid iid = Uid::fromWords(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
};

class IPluginFactory3 : public IPluginFactory2 {
public:
    virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;
    static constexpr Uid iid = Uid::fromWords(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
};

} // namespace vst3
