#pragma once
// The root interface every object implements, plus the plug-in lifecycle and change-notification
// interfaces. Interfaces are abstract classes with no data and no virtual destructor, so their
// vtables hold exactly the published slots.

#include "adapters/vst3/api/Types.h"

namespace vst3 {

class FUnknown {
public:
    virtual tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) = 0;
    virtual uint32 PLUGIN_API addRef() = 0;
    virtual uint32 PLUGIN_API release() = 0;
    static constexpr Uid iid = Uid::fromWords(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
};

class IPluginBase : public FUnknown {
public:
    virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
    virtual tresult PLUGIN_API terminate() = 0;
    static constexpr Uid iid = Uid::fromWords(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
};

class IDependent : public FUnknown {
public:
    virtual void PLUGIN_API update(FUnknown* changedUnknown, int32 message) = 0;
    static constexpr Uid iid = Uid::fromWords(0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E);
};

// queryInterface helper: when `asked` names interface I, hand out `self` as an I (one reference
// added) and report success. `self` must already be cast along an unambiguous path to I.
template <class I>
bool answerInterface(I* self, const TUID asked, void** obj) {
    if (!(I::iid == asked)) return false;
    self->addRef();
    *obj = self;
    return true;
}

// Asks `unknown` for interface I; null when it is not offered. The caller owns one reference.
template <class I>
I* queryInterfaceOf(FUnknown* unknown) {
    void* obj = nullptr;
    if (!unknown || unknown->queryInterface(I::iid.bytes, &obj) != kResultOk) return nullptr;
    return static_cast<I*>(obj);
}

} // namespace vst3
