#pragma once
// Host context, messages and the connection between component and controller.

#include "adapters/vst3/api/FUnknown.h"

namespace vst3 {

class IAttributeList : public FUnknown {
public:
    using AttrID = const char*;
    virtual tresult PLUGIN_API setInt(AttrID id, int64 value) = 0;
    virtual tresult PLUGIN_API getInt(AttrID id, int64& value) = 0;
    virtual tresult PLUGIN_API setFloat(AttrID id, double value) = 0;
    virtual tresult PLUGIN_API getFloat(AttrID id, double& value) = 0;
    virtual tresult PLUGIN_API setString(AttrID id, const TChar* string) = 0;
    virtual tresult PLUGIN_API getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
    virtual tresult PLUGIN_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
    virtual tresult PLUGIN_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
    static constexpr Uid iid = Uid::fromWords(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
};

class IMessage : public FUnknown {
public:
    virtual FIDString PLUGIN_API getMessageID() = 0;
    virtual void PLUGIN_API setMessageID(FIDString id) = 0;
    virtual IAttributeList* PLUGIN_API getAttributes() = 0;
    static constexpr Uid iid = Uid::fromWords(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
};

class IConnectionPoint : public FUnknown {
public:
    virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API notify(IMessage* message) = 0;
    static constexpr Uid iid = Uid::fromWords(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
};

class IHostApplication : public FUnknown {
public:
    virtual tresult PLUGIN_API getName(String128 name) = 0;
    virtual tresult PLUGIN_API createInstance(TUID cid, TUID iidBytes, void** obj) = 0;
    static constexpr Uid iid = Uid::fromWords(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
};

class IPlugInterfaceSupport : public FUnknown {
public:
    virtual tresult PLUGIN_API isPlugInterfaceSupported(const TUID iidBytes) = 0;
    static constexpr Uid iid = Uid::fromWords(0x4FB58B9E, 0x9EAA4E0F, 0xAB361C1C, 0xCCB56FEA);
};

} // namespace vst3
