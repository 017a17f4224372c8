#include "adapters/vst3/base/FObject.h"

#include <cstring>

namespace vst3 {

tresult PLUGIN_API FObject::queryInterface(const TUID iidBytes, void** obj) {
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    if (!iidBytes) return kInvalidArgument;
    if (answerInterface<FUnknown>(unknown(), iidBytes, obj)) return kResultOk;
    if (answerInterface<IDependent>(this, iidBytes, obj)) return kResultOk;
    if (FObject::iid == iidBytes) {
        addRef();
        *obj = this;
        return kResultOk;
    }
    return kNoInterface;
}

uint32 PLUGIN_API FObject::addRef() { return ++mRefCount; }

uint32 PLUGIN_API FObject::release() {
    const uint32 remaining = --mRefCount;
    if (remaining == 0) delete this;
    return remaining;
}

void PLUGIN_API FObject::update(FUnknown*, int32) {}

bool FObject::isTypeOf(const char* name, bool) const { return classNamesEqual(name, "FObject"); }

bool classNamesEqual(const char* asked, const char* name) { return asked && std::strcmp(asked, name) == 0; }

} // namespace vst3
