#pragma once
// The host-side objects a plug-in talks to: the host context with its name and object factory,
// messages with their attribute lists, and the component handler that receives edits.

#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/base/FObject.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quilhost {

class HostAttributeList : public vst3::FObject, public vst3::IAttributeList {
public:
    vst3::tresult PLUGIN_API setInt(AttrID id, vst3::int64 value) override;
    vst3::tresult PLUGIN_API getInt(AttrID id, vst3::int64& value) override;
    vst3::tresult PLUGIN_API setFloat(AttrID id, double value) override;
    vst3::tresult PLUGIN_API getFloat(AttrID id, double& value) override;
    vst3::tresult PLUGIN_API setString(AttrID id, const vst3::TChar* string) override;
    vst3::tresult PLUGIN_API getString(AttrID id, vst3::TChar* string, vst3::uint32 sizeInBytes) override;
    vst3::tresult PLUGIN_API setBinary(AttrID id, const void* data, vst3::uint32 sizeInBytes) override;
    vst3::tresult PLUGIN_API getBinary(AttrID id, const void*& data, vst3::uint32& sizeInBytes) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    struct Value {
        enum class Kind { Int, Float, String, Binary };
        explicit Value(Kind valueKind) : kind(valueKind) {}
        Kind kind;
        vst3::int64 integer = 0;
        double real = 0.0;
        std::u16string text;
        std::vector<std::uint8_t> bytes;
    };
    const Value* find(AttrID id, Value::Kind kind) const;

    std::map<std::string, Value> mValues;
};

class HostMessage : public vst3::FObject, public vst3::IMessage {
public:
    HostMessage();
    ~HostMessage() override;

    vst3::FIDString PLUGIN_API getMessageID() override { return mId.c_str(); }
    void PLUGIN_API setMessageID(vst3::FIDString id) override { mId = id ? id : ""; }
    vst3::IAttributeList* PLUGIN_API getAttributes() override { return mAttributes; }

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    std::string mId;
    HostAttributeList* mAttributes;
};

class HostApplication : public vst3::FObject, public vst3::IHostApplication {
public:
    explicit HostApplication(std::string name) : mName(std::move(name)) {}

    vst3::tresult PLUGIN_API getName(vst3::String128 name) override;
    // Makes messages and attribute lists for the plug-in.
    vst3::tresult PLUGIN_API createInstance(vst3::TUID cid, vst3::TUID iidBytes, void** obj) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    std::string mName;
};

// Records the edits and restart requests the plug-in sends, for the host to report.
class ComponentHandler : public vst3::FObject, public vst3::IComponentHandler {
public:
    vst3::tresult PLUGIN_API beginEdit(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API performEdit(vst3::ParamID id, vst3::ParamValue valueNormalized) override;
    vst3::tresult PLUGIN_API endEdit(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API restartComponent(vst3::int32 flags) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

    const std::vector<std::string>& log() const { return mLog; }

private:
    std::vector<std::string> mLog;
};

} // namespace quilhost
