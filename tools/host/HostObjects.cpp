#include "tools/host/HostObjects.h"

#include "adapters/vst3/base/Utf16.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

namespace quilhost {

const HostAttributeList::Value* HostAttributeList::find(AttrID id, Value::Kind kind) const {
    if (!id) return nullptr;
    const auto found = mValues.find(id);
    return found != mValues.end() && found->second.kind == kind ? &found->second : nullptr;
}

tresult PLUGIN_API HostAttributeList::setInt(AttrID id, int64 value) {
    if (!id) return kInvalidArgument;
    Value& slot = mValues.insert_or_assign(id, Value(Value::Kind::Int)).first->second;
    slot.integer = value;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getInt(AttrID id, int64& value) {
    const Value* found = find(id, Value::Kind::Int);
    if (!found) return kResultFalse;
    value = found->integer;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setFloat(AttrID id, double value) {
    if (!id) return kInvalidArgument;
    Value& slot = mValues.insert_or_assign(id, Value(Value::Kind::Float)).first->second;
    slot.real = value;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getFloat(AttrID id, double& value) {
    const Value* found = find(id, Value::Kind::Float);
    if (!found) return kResultFalse;
    value = found->real;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setString(AttrID id, const TChar* string) {
    if (!id || !string) return kInvalidArgument;
    Value& slot = mValues.insert_or_assign(id, Value(Value::Kind::String)).first->second;
    slot.text = string;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getString(AttrID id, TChar* string, uint32 sizeInBytes) {
    const Value* found = find(id, Value::Kind::String);
    const std::size_t capacity = sizeInBytes / sizeof(TChar);
    if (!found || !string || capacity == 0) return kResultFalse;
    const std::size_t count = std::min(found->text.size(), capacity - 1);
    std::copy_n(found->text.begin(), count, string);
    string[count] = 0;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setBinary(AttrID id, const void* data, uint32 sizeInBytes) {
    if (!id || (!data && sizeInBytes)) return kInvalidArgument;
    Value& slot = mValues.insert_or_assign(id, Value(Value::Kind::Binary)).first->second;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    slot.bytes.assign(bytes, bytes + sizeInBytes);
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getBinary(AttrID id, const void*& data, uint32& sizeInBytes) {
    const Value* found = find(id, Value::Kind::Binary);
    if (!found) return kResultFalse;
    data = found->bytes.data();
    sizeInBytes = static_cast<uint32>(found->bytes.size());
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IAttributeList>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

HostMessage::HostMessage() : mAttributes(new HostAttributeList) {}

HostMessage::~HostMessage() { mAttributes->release(); }

tresult PLUGIN_API HostMessage::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IMessage>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

tresult PLUGIN_API HostApplication::getName(String128 name) {
    if (!name) return kInvalidArgument;
    copyUtf8ToUtf16(name, 128, mName.c_str());
    return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID cid, TUID iidBytes, void** obj) {
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    FObject* made = nullptr;
    if (IMessage::iid == cid) made = new HostMessage;
    else if (IAttributeList::iid == cid) made = new HostAttributeList;
    else return kNoInterface;
    const tresult result = made->queryInterface(iidBytes, obj);
    made->release();
    return result;
}

tresult PLUGIN_API HostApplication::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IHostApplication>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id) {
    mLog.push_back("beginEdit " + std::to_string(id));
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue valueNormalized) {
    mLog.push_back("performEdit " + std::to_string(id) + " " + std::to_string(valueNormalized));
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID id) {
    mLog.push_back("endEdit " + std::to_string(id));
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
    mLog.push_back("restartComponent " + std::to_string(flags));
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IComponentHandler>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

} // namespace quilhost
